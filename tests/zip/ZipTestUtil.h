// Reads zip archives back field by field for the zip writer tests, without
// going through the writer's own code.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <ctime>

struct LocalRecord {
    quint32 offset = 0;
    quint32 signature = 0;
    quint16 versionNeeded = 0, flag = 0, method = 0, time = 0, date = 0;
    quint32 crc = 0, compressedSize = 0, uncompressedSize = 0;
    quint16 nameLength = 0, extraLength = 0;
    QByteArray name;
    quint32 dataOffset = 0;
};

struct CentralRecord {
    quint32 signature = 0;
    quint16 versionMadeBy = 0, versionNeeded = 0, flag = 0, method = 0, time = 0, date = 0;
    quint32 crc = 0, compressedSize = 0, uncompressedSize = 0;
    quint16 nameLength = 0, extraLength = 0, commentLength = 0, volumeStart = 0, internalAttr = 0;
    quint32 externalAttr = 0, localOffset = 0;
    QByteArray name;
};

struct EndRecord {
    quint32 signature = 0;
    quint16 thisVolume = 0, centralVolume = 0, entriesHere = 0, totalEntries = 0;
    quint32 centralSize = 0, centralOffset = 0;
    quint16 commentLength = 0;
};

struct ParsedArchive {
    QByteArray bytes;
    EndRecord end;
    QList<CentralRecord> centrals;
    QList<LocalRecord> locals; // one per central record, same order
    QString error;             // empty when the structure reads cleanly

    QByteArray Data(int index) const;
    QByteArray Inflated(int index) const;
};

// Expects no archive comment, so the end record is the last 22 bytes.
ParsedArchive ParseArchive(const QByteArray& bytes);
ParsedArchive ParseArchiveFile(const QString& path);

quint32 ReferenceCrc32(const QByteArray& data);
QByteArray InflateRaw(const QByteArray& compressed, qsizetype expectedSize);

QByteArray ReadWholeFile(const QString& path);
void WriteWholeFile(const QString& path, const QByteArray& data);
void SetModificationTime(const QString& path, std::time_t time);
QByteArray PseudoRandomBytes(qsizetype size, quint32 seed);
QByteArray TextBytes(qsizetype size);
