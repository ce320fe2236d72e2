#include "mail/MapiMailSession.h"

CMapiMailSession::CMapiMailSession(MailTransport* transport) {
    LoadMapi(transport);
}

CMapiMailSession::~CMapiMailSession() {
    Logoff();
    UnloadMapi();
}

void CMapiMailSession::LoadMapi(MailTransport* transport) {
    if (transport && transport->isAvailable())
        m_transport = transport;
}

void CMapiMailSession::UnloadMapi() {
    m_transport = nullptr;
}

bool CMapiMailSession::Logon(const QString& profileName, const QString& password,
                             quintptr parentWindow) {
    Logoff();
    if (!m_transport) {
        m_lastError = MailFailure;
        return false;
    }
    quintptr uiParam = 0;
    quint32 flags = MailNewSession;
    const QString* name = nullptr;
    const QString* secret = nullptr;
    if (!profileName.isEmpty()) {
        // A named profile never brings up a dialog.
        name = &profileName;
        secret = &password;
    } else if (parentWindow != 0) {
        uiParam = parentWindow;
        flags |= MailLogonUi;
    }
    const quint32 first = m_transport->logon(uiParam, name, secret, flags, &m_session);
    if (first == MailSuccess) {
        m_lastError = MailSuccess;
        return true;
    }
    m_session = 0;
    if (first == MailUserAbort)
        return false;
    // Attach to a session the mail program may already hold.
    const quint32 second = m_transport->logon(uiParam, nullptr, nullptr, 0, &m_session);
    if (second == MailSuccess) {
        m_lastError = MailSuccess;
        return true;
    }
    m_session = 0;
    m_lastError = second;
    return false;
}

bool CMapiMailSession::Logoff() {
    if (m_session == 0)
        return false;
    m_lastError = m_transport ? m_transport->logoff(m_session) : MailSuccess;
    m_session = 0;
    return true;
}

bool CMapiMailSession::ResolveRecipient(const QString& name, QString* resolved) {
    if (!m_transport) {
        m_lastError = MailFailure;
        return false;
    }
    const quint32 result = m_transport->resolveName(m_session, name, resolved);
    if (result != MailSuccess)
        m_lastError = result;
    return result == MailSuccess;
}

bool CMapiMailSession::Send(CMapiMessage& message) {
    if (!m_transport) {
        m_lastError = MailFailure;
        return false;
    }
    if (!message.m_AttachmentNames.isEmpty() &&
        message.m_AttachmentNames.size() != message.m_AttachmentPaths.size()) {
        m_lastError = MailInvalidMessage;
        return false;
    }

    MailEnvelope envelope;
    envelope.subject = message.m_sSubject;
    envelope.body = message.m_sBody;
    const auto addRecipients = [&](QStringList& list, RecipientClass recipientClass) {
        for (QString& entry : list) {
            QString resolved;
            // An entry that does not resolve still goes out as typed.
            if (ResolveRecipient(entry, &resolved))
                entry = resolved;
            envelope.recipients.append({recipientClass, entry});
        }
    };
    addRecipients(message.m_To, RecipientClass::To);
    addRecipients(message.m_Cc, RecipientClass::Cc);
    addRecipients(message.m_Bcc, RecipientClass::Bcc);

    for (qsizetype i = 0; i < message.m_AttachmentPaths.size(); ++i) {
        const QString& path = message.m_AttachmentPaths.at(i);
        envelope.attachments.append(
            {path, message.m_AttachmentNames.isEmpty() ? path : message.m_AttachmentNames.at(i)});
    }

    const quint32 result = m_transport->sendMail(m_session, envelope);
    m_lastError = result;
    return result == MailSuccess;
}

QString CMapiMailSession::LastErrorReason() const {
    return m_transport && m_lastError != MailSuccess ? m_transport->lastFailureReason() : QString();
}
