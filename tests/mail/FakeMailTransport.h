// A mail transport that records every call as text and answers from queues
// (success when a queue is empty).
#pragma once

#include "mail/MailTransport.h"

#include <QMap>
#include <QStringList>

class FakeMailTransport final : public MailTransport {
public:
    bool available = true;
    QList<quint32> logonResults;
    QList<quint32> sendResults;
    quint32 logoffResult = MailSuccess;
    QMap<QString, QString> resolvable; // typed name -> resolved name; others fail
    QString reason = QStringLiteral("the fake says no");

    QStringList calls;
    QList<MailEnvelope> sent;
    QStringList* callLog = nullptr; // also records there, for fakes that a factory owns

    bool isAvailable() const override { return available; }
    quint32 logon(quintptr uiParam, const QString* profileName, const QString* password,
                  quint32 flags, quintptr* session) override {
        record(QStringLiteral("logon(%1,%2,%3,%4)")
                   .arg(uiParam)
                   .arg(profileName ? *profileName : QStringLiteral("null"),
                        password ? *password : QStringLiteral("null"))
                   .arg(flags));
        const quint32 result = logonResults.isEmpty() ? MailSuccess : logonResults.takeFirst();
        *session = result == MailSuccess ? 77 : 0;
        return result;
    }
    quint32 logoff(quintptr session) override {
        record(QStringLiteral("logoff(%1)").arg(session));
        return logoffResult;
    }
    quint32 resolveName(quintptr session, const QString& name, QString* resolved) override {
        record(QStringLiteral("resolve(%1,%2)").arg(session).arg(name));
        if (!resolvable.contains(name))
            return MailUnknownRecipient;
        *resolved = resolvable.value(name);
        return MailSuccess;
    }
    quint32 sendMail(quintptr session, const MailEnvelope& message) override {
        record(QStringLiteral("send(%1)").arg(session));
        sent.append(message);
        return sendResults.isEmpty() ? MailSuccess : sendResults.takeFirst();
    }
    QString lastFailureReason() const override { return reason; }

private:
    void record(const QString& call) {
        calls.append(call);
        if (callLog)
            callLog->append(call);
    }
};
