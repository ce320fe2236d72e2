// The mail transport that sends through an SMTP server with libcurl: TLS
// (smtps://, or STARTTLS required on smtp:// except on the loopback
// interface), authentication with the password from the user's ~/.netrc,
// and the message built with libcurl's MIME API. Blocks while it sends, so
// callers run it off the user-interface thread.
#pragma once

#include "mail/MailTransport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

struct MailSettings {
    QString serverUrl;       // smtps://host:465, smtp://host:587 or smtp://localhost:25
    QString senderAddress;   // the From address
    QString userName;        // empty: the login from ~/.netrc, if any
    QString caFile;          // empty: the system's certificate authorities
    int timeoutSeconds = 30; // the longest a whole send may take
};

class SmtpTransport final : public MailTransport {
public:
    explicit SmtpTransport(MailSettings settings);

    bool isAvailable() const override;
    quint32 logon(quintptr uiParam, const QString* profileName, const QString* password,
                  quint32 flags, quintptr* session) override;
    quint32 logoff(quintptr session) override;
    quint32 resolveName(quintptr session, const QString& name, QString* resolved) override;
    quint32 sendMail(quintptr session, const MailEnvelope& message) override;
    QString lastFailureReason() const override { return reason_; }

    struct Mailbox {
        QString displayName;
        QString address; // bare, ASCII
    };
    // Splits a recipient text at ';' and ',' into mailboxes ("a@b.org",
    // "Name <a@b.org>"). Line breaks count as spaces, so they can never start
    // a header. False, with the reason, when an entry is not an address.
    static bool parseMailboxes(const QString& text, QList<Mailbox>* mailboxes, QString* error);
    // A header value that keeps to one header: line breaks become spaces, and
    // text that is not plain ASCII becomes UTF-8 encoded words.
    static QByteArray encodeHeaderText(const QString& text);
    // A bare address ("a@b.org") as the server is given it.
    static bool isAddress(const QString& address);
    // smtp:// or smtps://, in any case.
    static bool hasSmtpScheme(const QUrl& url);
    // A host plain SMTP may go to: a literal loopback address or localhost.
    static bool isLoopbackHost(const QString& host);
    // Empty, or why a server URL holding a password is refused.
    static QString passwordRefusal(const QString& serverUrl);

private:
    quint32 fail(quint32 result, const QString& reason);

    MailSettings settings_;
    QString reason_;
};
