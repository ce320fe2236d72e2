// What CMapiMailSession needs from whatever carries the mail: the calls of a
// simple mail interface with numeric results. The real transport speaks SMTP;
// tests use a fake that records the calls.
#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <memory>

// Result codes of the mail calls; 0 is success.
enum MailResult : quint32 {
    MailSuccess = 0,
    MailUserAbort = 1,
    MailFailure = 2,
    MailLoginFailure = 3,
    MailAttachmentOpenFailure = 12,
    MailUnknownRecipient = 14,
    MailInvalidMessage = 17,
    MailInvalidSession = 19,
};

// Logon flags.
constexpr quint32 MailLogonUi = 0x00000001;
constexpr quint32 MailNewSession = 0x00000002;

enum class RecipientClass { To = 1, Cc = 2, Bcc = 3 };

struct MailRecipient {
    RecipientClass recipientClass = RecipientClass::To;
    QString name; // as typed, or as resolved
    bool operator==(const MailRecipient&) const = default;
};

struct MailAttachment {
    QString path;
    QString name; // what the recipient sees
    bool operator==(const MailAttachment&) const = default;
};

// The message as the session hands it to the transport.
struct MailEnvelope {
    QString subject;
    QString body;
    QList<MailRecipient> recipients; // To, then Cc, then Bcc
    QList<MailAttachment> attachments;
};

class MailTransport {
public:
    virtual ~MailTransport() = default;

    // Known before logon: whether the transport can send at all.
    virtual bool isAvailable() const = 0;

    // A null profile or password means none was passed. `uiParam` is the
    // window that may parent a logon dialog (0: none). On success *session
    // is a non-zero handle.
    virtual quint32 logon(quintptr uiParam, const QString* profileName, const QString* password,
                          quint32 flags, quintptr* session) = 0;
    virtual quint32 logoff(quintptr session) = 0;
    // On success *resolved holds the name to send under.
    virtual quint32 resolveName(quintptr session, const QString& name, QString* resolved) = 0;
    virtual quint32 sendMail(quintptr session, const MailEnvelope& message) = 0;

    // The reason for the last failure in words, as the peer gave it where it
    // gave one; empty after a success.
    virtual QString lastFailureReason() const = 0;
};
