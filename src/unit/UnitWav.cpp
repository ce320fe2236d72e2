#include "unit/UnitWav.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr qint64 ChunkHeaderSize = 8;
constexpr qint64 FormatFieldsSize = 16;

quint32 le32(const char* bytes) {
    return qFromLittleEndian<quint32>(bytes);
}
quint16 le16(const char* bytes) {
    return qFromLittleEndian<quint16>(bytes);
}

} // namespace

QString unitWavProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("it cannot be read (%1)").arg(file.errorString());
    const QString notWav = QStringLiteral("it is not a WAV file");
    const QString shortFile = QStringLiteral("it is shorter than its header says");

    const qint64 fileSize = file.size();
    const QByteArray riff = file.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return notWav;
    const qint64 riffEnd = ChunkHeaderSize + le32(riff.constData() + 4);
    if (riffEnd > fileSize)
        return shortFile;

    bool formatSeen = false;
    bool dataSeen = false;
    for (qint64 offset = 12; offset + ChunkHeaderSize <= riffEnd && !dataSeen;) {
        if (!file.seek(offset))
            return shortFile;
        const QByteArray header = file.read(ChunkHeaderSize);
        if (header.size() < ChunkHeaderSize)
            return shortFile;
        const qint64 size = le32(header.constData() + 4);
        const qint64 body = offset + ChunkHeaderSize;
        if (body + size > riffEnd)
            return shortFile;
        if (header.startsWith("fmt ")) {
            const QByteArray fields = file.read(FormatFieldsSize);
            if (size < FormatFieldsSize || fields.size() < FormatFieldsSize)
                return notWav;
            const quint16 encoding = le16(fields.constData());
            const quint16 channels = le16(fields.constData() + 2);
            const quint32 rate = le32(fields.constData() + 4);
            const quint16 bits = le16(fields.constData() + 14);
            if (encoding != 1 || channels != 1 || bits != 8 || (rate != 8000 && rate != 4000))
                return QStringLiteral("it is not 8-bit mono PCM sound at 8000 or 4000 Hz");
            formatSeen = true;
        } else if (header.startsWith("data")) {
            dataSeen = true;
        }
        offset = body + size + (size & 1);
    }
    if (!formatSeen || !dataSeen)
        return notWav;
    return {};
}
