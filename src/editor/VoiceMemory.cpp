#include "editor/VoiceMemory.h"

#include "config/VoiceFiles.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <climits>

namespace EditorVoice {

int soundDataSize(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = file.read(8);
    if (head.size() < 8)
        return 0;
    const qint64 size = qint64(qFromLittleEndian<quint32>(head.constData() + 4)) - 36;
    return size > 0 ? int(std::min<qint64>(size, INT_MAX)) : 0;
}

int countUsedVoiceMemory(const QString& folder, const QString& title) {
    if (folder.isEmpty())
        return 0;
    qint64 used = 0;
    for (int n = 1; n <= VoiceFiles::InputCount; ++n) {
        used +=
            soundDataSize(VoiceFiles::resolveNoCase(folder, VoiceFiles::configHighName(title, n)));
        used +=
            soundDataSize(VoiceFiles::resolveNoCase(folder, VoiceFiles::configLowName(title, n)));
    }
    return int(std::min<qint64>(used, INT_MAX));
}

} // namespace EditorVoice
