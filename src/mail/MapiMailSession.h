// One mail session for one message: availability, logon (with one retry on
// the shared session), recipient resolution, sending and logoff, over a
// MailTransport. Shows nothing and throws nothing: every operation returns
// true or false and leaves a MailResult in LastError.
#pragma once

#include "mail/MailTransport.h"
#include "mail/MapiMessage.h"

class CMapiMailSession {
public:
    // The transport must outlive the session. A null transport is "not installed".
    explicit CMapiMailSession(MailTransport* transport);
    ~CMapiMailSession();
    CMapiMailSession(const CMapiMailSession&) = delete;
    CMapiMailSession& operator=(const CMapiMailSession&) = delete;

    bool IsMapiAvailable() const { return m_transport != nullptr; }
    bool IsLoggedOn() const { return m_session != 0; }

    // A non-empty profile name logs on without any dialog; an empty one lets
    // the transport ask through parentWindow, if one is given.
    bool Logon(const QString& profileName, const QString& password = {}, quintptr parentWindow = 0);
    // True if a session was open (whatever the transport answered).
    bool Logoff();
    bool ResolveRecipient(const QString& name, QString* resolved);
    // Resolved names replace the typed ones in the message's lists; a name that
    // does not resolve is sent as typed. Attachment names, when given, must
    // number as many as the paths.
    bool Send(CMapiMessage& message);

    quint32 LastError() const { return m_lastError; }
    // The transport's words for the last failure; empty when there are none.
    QString LastErrorReason() const;

private:
    void LoadMapi(MailTransport* transport);
    void UnloadMapi();

    quintptr m_session = 0;
    quint32 m_lastError = 0;
    MailTransport* m_transport = nullptr;
};
