#include "ZipTestUtil.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <zlib.h>

namespace {

quint16 Get16(const QByteArray& bytes, qsizetype at) {
    return static_cast<quint16>(static_cast<quint8>(bytes[at]) | static_cast<quint8>(bytes[at + 1])
                                                                     << 8);
}

quint32 Get32(const QByteArray& bytes, qsizetype at) {
    return static_cast<quint32>(Get16(bytes, at)) | static_cast<quint32>(Get16(bytes, at + 2))
                                                        << 16;
}

} // namespace

ParsedArchive ParseArchive(const QByteArray& bytes) {
    ParsedArchive archive;
    archive.bytes = bytes;
    if (bytes.size() < 22) {
        archive.error = "shorter than an end record";
        return archive;
    }
    const qsizetype endAt = bytes.size() - 22;
    EndRecord& end = archive.end;
    end.signature = Get32(bytes, endAt);
    end.thisVolume = Get16(bytes, endAt + 4);
    end.centralVolume = Get16(bytes, endAt + 6);
    end.entriesHere = Get16(bytes, endAt + 8);
    end.totalEntries = Get16(bytes, endAt + 10);
    end.centralSize = Get32(bytes, endAt + 12);
    end.centralOffset = Get32(bytes, endAt + 16);
    end.commentLength = Get16(bytes, endAt + 20);
    if (end.signature != 0x06054B50) {
        archive.error = "no end record signature";
        return archive;
    }
    if (qsizetype(end.centralOffset) + end.centralSize != endAt) {
        archive.error = "central directory does not end where the end record begins";
        return archive;
    }

    qsizetype at = end.centralOffset;
    for (int i = 0; i < end.totalEntries; ++i) {
        if (at + 46 > endAt) {
            archive.error = QString("central record %1 overruns").arg(i);
            return archive;
        }
        CentralRecord c;
        c.signature = Get32(bytes, at);
        c.versionMadeBy = Get16(bytes, at + 4);
        c.versionNeeded = Get16(bytes, at + 6);
        c.flag = Get16(bytes, at + 8);
        c.method = Get16(bytes, at + 10);
        c.time = Get16(bytes, at + 12);
        c.date = Get16(bytes, at + 14);
        c.crc = Get32(bytes, at + 16);
        c.compressedSize = Get32(bytes, at + 20);
        c.uncompressedSize = Get32(bytes, at + 24);
        c.nameLength = Get16(bytes, at + 28);
        c.extraLength = Get16(bytes, at + 30);
        c.commentLength = Get16(bytes, at + 32);
        c.volumeStart = Get16(bytes, at + 34);
        c.internalAttr = Get16(bytes, at + 36);
        c.externalAttr = Get32(bytes, at + 38);
        c.localOffset = Get32(bytes, at + 42);
        c.name = bytes.mid(at + 46, c.nameLength);
        if (c.signature != 0x02014B50) {
            archive.error = QString("central record %1 has a bad signature").arg(i);
            return archive;
        }
        at += 46 + c.nameLength + c.extraLength + c.commentLength;
        archive.centrals.append(c);

        LocalRecord l;
        const qsizetype lat = c.localOffset;
        if (lat + 30 > end.centralOffset) {
            archive.error = QString("local header %1 out of range").arg(i);
            return archive;
        }
        l.offset = c.localOffset;
        l.signature = Get32(bytes, lat);
        l.versionNeeded = Get16(bytes, lat + 4);
        l.flag = Get16(bytes, lat + 6);
        l.method = Get16(bytes, lat + 8);
        l.time = Get16(bytes, lat + 10);
        l.date = Get16(bytes, lat + 12);
        l.crc = Get32(bytes, lat + 14);
        l.compressedSize = Get32(bytes, lat + 18);
        l.uncompressedSize = Get32(bytes, lat + 22);
        l.nameLength = Get16(bytes, lat + 26);
        l.extraLength = Get16(bytes, lat + 28);
        l.name = bytes.mid(lat + 30, l.nameLength);
        l.dataOffset = static_cast<quint32>(lat + 30 + l.nameLength + l.extraLength);
        if (l.signature != 0x04034B50) {
            archive.error = QString("local header %1 has a bad signature").arg(i);
            return archive;
        }
        if (qsizetype(l.dataOffset) + l.compressedSize > end.centralOffset) {
            archive.error = QString("data of entry %1 runs into the central directory").arg(i);
            return archive;
        }
        archive.locals.append(l);
    }
    if (at != qsizetype(end.centralOffset) + end.centralSize)
        archive.error = "central directory size does not match its records";
    return archive;
}

ParsedArchive ParseArchiveFile(const QString& path) {
    return ParseArchive(ReadWholeFile(path));
}

QByteArray ParsedArchive::Data(int index) const {
    const LocalRecord& l = locals.at(index);
    return bytes.mid(l.dataOffset, centrals.at(index).compressedSize);
}

QByteArray ParsedArchive::Inflated(int index) const {
    if (centrals.at(index).method == 0)
        return Data(index);
    return InflateRaw(Data(index), centrals.at(index).uncompressedSize);
}

quint32 ReferenceCrc32(const QByteArray& data) {
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : data) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray InflateRaw(const QByteArray& compressed, qsizetype expectedSize) {
    QByteArray out(expectedSize + 1, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return {};
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const qsizetype produced = static_cast<qsizetype>(stream.total_out);
    const bool consumedAll = stream.avail_in == 0;
    inflateEnd(&stream);
    if (result != Z_STREAM_END || !consumedAll)
        return QByteArray("<inflate failed>");
    out.truncate(produced);
    return out;
}

QByteArray ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteWholeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(data);
}

void SetModificationTime(const QString& path, std::time_t time) {
    const timespec times[2] = {{time, 0}, {time, 0}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

QByteArray PseudoRandomBytes(qsizetype size, quint32 seed) {
    QByteArray bytes(size, '\0');
    quint32 state = seed ? seed : 1;
    for (qsizetype i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[i] = static_cast<char>(state);
    }
    return bytes;
}

QByteArray TextBytes(qsizetype size) {
    QByteArray text;
    for (int line = 0; text.size() < size; ++line)
        text += QByteArray("REG ") + QByteArray::number(line % 87 + 1) + " = +4917" +
                QByteArray::number(line * 7919 % 100000) + " input high\r\n";
    text.truncate(size);
    return text;
}
