#include "mail/SmtpTransport.h"

#include <algorithm>

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <QUuid>

#include <curl/curl.h>

#include <QCoreApplication>
#include <memory>
#include <mutex>

namespace {
// This file's texts, in the program's language.
struct SmtpTransportText {
    Q_DECLARE_TR_FUNCTIONS(SmtpTransportText)
};
} // namespace

namespace {

// Header lines are kept well under the 78-character line the mail standards ask for.
constexpr qsizetype kEncodedWordBytes = 45;

QString oneLine(const QString& text) {
    static const QRegularExpression lineBreaks(QStringLiteral("[\\r\\n]+"));
    QString line = text;
    return line.replace(lineBreaks, QStringLiteral(" "));
}

bool isPlainHeaderText(const QString& text) {
    if (text.size() > 900 || text.contains(QLatin1String("=?")))
        return false;
    for (const QChar c : text) {
        if (c.unicode() != '\t' && (c.unicode() < 0x20 || c.unicode() > 0x7E))
            return false;
    }
    return true;
}

QByteArray mailboxHeaderText(const SmtpTransport::Mailbox& mailbox) {
    const QByteArray address = '<' + mailbox.address.toLatin1() + '>';
    if (mailbox.displayName.isEmpty())
        return mailbox.address.toLatin1();
    if (isPlainHeaderText(mailbox.displayName) && !mailbox.displayName.contains('"') &&
        !mailbox.displayName.contains('\\'))
        return '"' + mailbox.displayName.toLatin1() + "\" " + address;
    return SmtpTransport::encodeHeaderText(mailbox.displayName) + ' ' + address;
}

struct CurlEasyDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct CurlMimeDeleter {
    void operator()(curl_mime* mime) const { curl_mime_free(mime); }
};
struct CurlListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlList = std::unique_ptr<curl_slist, CurlListDeleter>;

void append(CurlList& list, const QByteArray& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.constData());
    if (grown) {
        (void)list.release();
        list.reset(grown);
    }
}

// What the server said last, and what we said last, for the failure message.
struct Dialogue {
    QByteArray lastCommand;
    QByteArray lastRefusal;
    QByteArray refusedCommand;
    bool refusalContinues = false;
};

int recordDialogue(CURL*, curl_infotype type, char* data, size_t size, void* context) {
    auto* dialogue = static_cast<Dialogue*>(context);
    const QByteArray text = QByteArray(data, static_cast<qsizetype>(size)).trimmed();
    if (type == CURLINFO_HEADER_OUT) {
        dialogue->lastCommand = text;
    } else if (type == CURLINFO_HEADER_IN && !text.isEmpty() &&
               (text.startsWith('4') || text.startsWith('5'))) {
        // A multi-line reply arrives line by line; keep the whole of the last one.
        if (dialogue->refusalContinues) {
            dialogue->lastRefusal += ' ' + text;
        } else {
            dialogue->lastRefusal = text;
            dialogue->refusedCommand = dialogue->lastCommand;
        }
        dialogue->refusalContinues = text.size() > 3 && text.at(3) == '-';
    }
    return 0;
}

} // namespace

bool SmtpTransport::isLoopbackHost(const QString& host) {
    // Only a literal loopback address, or "localhost", which libcurl answers
    // itself with a loopback address: a name such as 127.example.com may
    // resolve anywhere.
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    QString literal = host;
    if (literal.startsWith('[') && literal.endsWith(']'))
        literal = literal.mid(1, literal.size() - 2);
    if (literal == QLatin1String("::1"))
        return true;
    // Written out in full (127.x.y.z): "127.1" and the like are left to no resolver's whim.
    static const QRegularExpression ipv4(
        QStringLiteral("^127\\.(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])"
                       "(\\.(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])){2}$"));
    return ipv4.match(literal).hasMatch();
}

QString SmtpTransport::passwordRefusal(const QString& serverUrl) {
    if (QUrl(serverUrl.trimmed()).password().isEmpty())
        return {};
    return SmtpTransportText::tr(
               "The mail server address \"%1\" holds a password. Quillary keeps no "
               "password: remove it from the address and put it in ~/.netrc (a line "
               "\"machine HOST login USER password SECRET\").")
        .arg(QUrl(serverUrl.trimmed()).toDisplayString(QUrl::RemovePassword));
}

bool SmtpTransport::isAddress(const QString& address) {
    static const QRegularExpression pattern(
        QStringLiteral("^[!#-'*+\\-/-9=?A-Z^-~.]+@[A-Za-z0-9\\-.\\[\\]:]+$"));
    return pattern.match(address).hasMatch() && !address.startsWith('@') &&
           !address.endsWith('@') && address.count('@') == 1;
}

bool SmtpTransport::hasSmtpScheme(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("smtp") || scheme == QLatin1String("smtps");
}

SmtpTransport::SmtpTransport(MailSettings settings) : settings_(std::move(settings)) {
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool SmtpTransport::isAvailable() const {
    return !settings_.serverUrl.trimmed().isEmpty();
}

quint32 SmtpTransport::fail(quint32 result, const QString& reason) {
    reason_ = reason;
    return result;
}

quint32 SmtpTransport::logon(quintptr, const QString*, const QString*, quint32, quintptr* session) {
    // The server is reached only when sending; logon checks what sending needs.
    *session = 0;
    const QUrl url(settings_.serverUrl.trimmed());
    if (!url.isValid() || url.host().isEmpty() || !hasSmtpScheme(url))
        return fail(
            MailLoginFailure,
            SmtpTransportText::tr("The mail server \"%1\" is not an smtp:// or smtps:// address.")
                .arg(settings_.serverUrl));
    if (const QString refusal = passwordRefusal(settings_.serverUrl); !refusal.isEmpty())
        return fail(MailLoginFailure, refusal);
    if (!isAddress(settings_.senderAddress.trimmed()))
        return fail(MailLoginFailure,
                    SmtpTransportText::tr("The sender address \"%1\" is not an e-mail address.")
                        .arg(settings_.senderAddress));
    reason_.clear();
    *session = 1;
    return MailSuccess;
}

quint32 SmtpTransport::logoff(quintptr) {
    return MailSuccess;
}

quint32 SmtpTransport::resolveName(quintptr, const QString& name, QString* resolved) {
    QList<Mailbox> mailboxes;
    QString error;
    if (!parseMailboxes(name, &mailboxes, &error))
        return fail(MailUnknownRecipient, error);
    *resolved = name;
    return MailSuccess;
}

bool SmtpTransport::parseMailboxes(const QString& text, QList<Mailbox>* mailboxes, QString* error) {
    static const QRegularExpression separators(QStringLiteral("[;,]"));
    mailboxes->clear();
    for (const QString& part : oneLine(text).split(separators)) {
        const QString entry = part.trimmed();
        if (entry.isEmpty())
            continue;
        Mailbox mailbox;
        const qsizetype open = entry.lastIndexOf('<');
        if (open >= 0 && entry.endsWith('>')) {
            mailbox.address = entry.mid(open + 1, entry.size() - open - 2).trimmed();
            mailbox.displayName = entry.left(open).trimmed();
            if (mailbox.displayName.size() >= 2 && mailbox.displayName.startsWith('"') &&
                mailbox.displayName.endsWith('"'))
                mailbox.displayName = mailbox.displayName.mid(1, mailbox.displayName.size() - 2);
        } else {
            mailbox.address = entry;
        }
        if (!isAddress(mailbox.address)) {
            *error = SmtpTransportText::tr("\"%1\" is not an e-mail address.").arg(entry);
            return false;
        }
        mailboxes->append(mailbox);
    }
    if (mailboxes->isEmpty()) {
        *error = SmtpTransportText::tr("No recipient address was given.");
        return false;
    }
    return true;
}

QByteArray SmtpTransport::encodeHeaderText(const QString& text) {
    const QString line = oneLine(text);
    if (isPlainHeaderText(line))
        return line.toLatin1();
    // Encoded words of whole characters, so no word splits a UTF-8 sequence.
    QList<QByteArray> words;
    QByteArray chunk;
    for (qsizetype i = 0; i < line.size();) {
        const qsizetype length = line.at(i).isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
        const QByteArray character = line.mid(i, length).toUtf8();
        if (chunk.size() + character.size() > kEncodedWordBytes) {
            words.append(chunk);
            chunk.clear();
        }
        chunk += character;
        i += length;
    }
    if (!chunk.isEmpty() || words.isEmpty())
        words.append(chunk);
    QByteArray encoded;
    for (const QByteArray& word : words) {
        if (!encoded.isEmpty())
            encoded += "\r\n ";
        encoded += "=?UTF-8?B?" + word.toBase64() + "?=";
    }
    return encoded;
}

quint32 SmtpTransport::sendMail(quintptr session, const MailEnvelope& message) {
    if (session == 0)
        return fail(MailInvalidSession, SmtpTransportText::tr("Not logged on to the mail server."));

    QList<Mailbox> to, cc;
    QList<QByteArray> envelopeRecipients;
    for (const MailRecipient& recipient : message.recipients) {
        QList<Mailbox> mailboxes;
        QString error;
        if (!parseMailboxes(recipient.name, &mailboxes, &error))
            return fail(MailUnknownRecipient, error);
        for (const Mailbox& mailbox : mailboxes)
            envelopeRecipients.append('<' + mailbox.address.toLatin1() + '>');
        if (recipient.recipientClass == RecipientClass::To)
            to += mailboxes;
        else if (recipient.recipientClass == RecipientClass::Cc)
            cc += mailboxes;
    }
    if (envelopeRecipients.isEmpty())
        return fail(MailUnknownRecipient, SmtpTransportText::tr("No recipient address was given."));
    for (const MailAttachment& attachment : message.attachments) {
        if (!QFileInfo(attachment.path).isReadable())
            return fail(
                MailAttachmentOpenFailure,
                SmtpTransportText::tr("The attachment %1 cannot be read.").arg(attachment.path));
    }

    std::unique_ptr<CURL, CurlEasyDeleter> curl(curl_easy_init());
    if (!curl)
        return fail(MailFailure, SmtpTransportText::tr("The mail library could not be started."));
    CURL* easy = curl.get();

    // The user name goes into the URL: libcurl looks a password up in ~/.netrc
    // for the URL's user, not for one set with CURLOPT_USERNAME.
    QUrl serverUrl(settings_.serverUrl.trimmed());
    if (!settings_.userName.isEmpty())
        serverUrl.setUserName(settings_.userName);
    const QByteArray url = serverUrl.toEncoded();
    const QByteArray sender = settings_.senderAddress.trimmed().toLatin1();
    const QByteArray from = '<' + sender + '>';
    curl_easy_setopt(easy, CURLOPT_URL, url.constData());
    curl_easy_setopt(easy, CURLOPT_MAIL_FROM, from.constData());
    CurlList recipients;
    for (const QByteArray& address : envelopeRecipients)
        append(recipients, address);
    curl_easy_setopt(easy, CURLOPT_MAIL_RCPT, recipients.get());

    // The password only ever comes from ~/.netrc; we store none.
    curl_easy_setopt(easy, CURLOPT_NETRC, static_cast<long>(CURL_NETRC_OPTIONAL));
    // Credentials never cross the network in clear: STARTTLS is required on
    // smtp:// unless the server is on this machine.
    if (serverUrl.scheme().toLower() == QLatin1String("smtp"))
        curl_easy_setopt(
            easy, CURLOPT_USE_SSL,
            static_cast<long>(isLoopbackHost(serverUrl.host()) ? CURLUSESSL_TRY : CURLUSESSL_ALL));

    // The whole send ends within the limit, however slowly the server answers
    // each step; half of it at most for the connection.
    const long connectTimeout = std::max(1L, long(settings_.timeoutSeconds) / 2);
    const long answerTimeout = std::max(1L, long(settings_.timeoutSeconds) - connectTimeout);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, connectTimeout);
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, answerTimeout);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, answerTimeout);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS,
                     std::max(1000L, long(settings_.timeoutSeconds) * 1000));
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    if (!settings_.caFile.isEmpty())
        curl_easy_setopt(easy, CURLOPT_CAINFO, QFile::encodeName(settings_.caFile).constData());

    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
    Dialogue dialogue;
    curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, recordDialogue);
    curl_easy_setopt(easy, CURLOPT_DEBUGDATA, &dialogue);
    curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);

    const QString domain = QString::fromLatin1(sender.mid(sender.indexOf('@') + 1));
    CurlList headers;
    append(headers, "Date: " + QDateTime::currentDateTime().toString(Qt::RFC2822Date).toLatin1());
    append(headers, "From: " + sender);
    QByteArrayList toTexts, ccTexts;
    for (const Mailbox& mailbox : to)
        toTexts.append(mailboxHeaderText(mailbox));
    for (const Mailbox& mailbox : cc)
        ccTexts.append(mailboxHeaderText(mailbox));
    if (!toTexts.isEmpty())
        append(headers, "To: " + toTexts.join(", "));
    if (!ccTexts.isEmpty())
        append(headers, "Cc: " + ccTexts.join(", "));
    append(headers, "Subject: " + encodeHeaderText(message.subject));
    append(headers, "Message-ID: <" +
                        QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + '@' +
                        domain.toLatin1() + '>');
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers.get());

    std::unique_ptr<curl_mime, CurlMimeDeleter> mime(curl_mime_init(easy));
    QString body = message.body;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
    const QByteArray bodyBytes = body.replace('\n', QLatin1String("\r\n")).toUtf8();
    curl_mimepart* text = curl_mime_addpart(mime.get());
    curl_mime_data(text, bodyBytes.constData(), static_cast<size_t>(bodyBytes.size()));
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");
    for (const MailAttachment& attachment : message.attachments) {
        curl_mimepart* part = curl_mime_addpart(mime.get());
        curl_mime_filedata(part, QFile::encodeName(attachment.path).constData());
        if (isPlainHeaderText(attachment.name)) {
            // Named with curl_mime_filename: a Content-Disposition of our own would drop the name.
            curl_mime_filename(part, attachment.name.toLatin1().constData());
        } else {
            // A name beyond ASCII goes as an RFC 2231 parameter, which mail readers decode.
            curl_slist* disposition =
                curl_slist_append(nullptr, "Content-Disposition: attachment; filename*=UTF-8''" +
                                               QUrl::toPercentEncoding(attachment.name));
            curl_mime_headers(part, disposition, 1);
        }
        curl_mime_type(part, attachment.name.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive)
                                 ? "application/zip"
                                 : "application/octet-stream");
        curl_mime_encoder(part, "base64");
    }
    curl_easy_setopt(easy, CURLOPT_MIMEPOST, mime.get());

    const CURLcode code = curl_easy_perform(easy);
    if (code == CURLE_OK) {
        reason_.clear();
        return MailSuccess;
    }

    QString reason;
    if (!dialogue.lastRefusal.isEmpty())
        reason = SmtpTransportText::tr("The mail server answered: %1")
                     .arg(QString::fromUtf8(dialogue.lastRefusal));
    else if (code == CURLE_OPERATION_TIMEDOUT)
        reason = SmtpTransportText::tr("The mail server did not answer within %n seconds.", nullptr,
                                       settings_.timeoutSeconds);
    const QString detail =
        QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(code));
    reason = reason.isEmpty() ? detail : reason + QStringLiteral(" (") + detail + ')';

    quint32 result = MailFailure;
    if (code == CURLE_LOGIN_DENIED)
        result = MailLoginFailure;
    else if (code == CURLE_READ_ERROR)
        result = MailAttachmentOpenFailure;
    else if (dialogue.refusedCommand.startsWith("RCPT"))
        result = MailUnknownRecipient;
    return fail(result, reason);
}
