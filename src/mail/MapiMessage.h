// One message to send: recipients, subject, body and attachments, filled by
// the caller and handed to CMapiMailSession::Send. Send writes resolved
// recipient names back into the lists.
#pragma once

#include <QString>
#include <QStringList>

class CMapiMessage {
public:
    QStringList m_To; // each entry as the user typed it; one entry may name several addresses
    QStringList m_Cc;
    QStringList m_Bcc;
    QString m_sSubject;
    QString m_sBody;
    QStringList m_AttachmentPaths; // full paths, in order
    // Empty (the recipient sees the path) or one name per path.
    QStringList m_AttachmentNames;
};
