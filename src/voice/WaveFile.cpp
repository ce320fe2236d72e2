#include "voice/WaveFile.h"

#include "config/VoiceFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// This file's texts, in the program's language.
struct WaveFileText {
    Q_DECLARE_TR_FUNCTIONS(WaveFileText)
};
} // namespace

namespace WaveFile {

int PcmFormat::bytesPerSample() const {
    switch (sampleType) {
    case SampleType::UInt8:
        return 1;
    case SampleType::Int16:
        return 2;
    case SampleType::Int32:
    case SampleType::Float:
        return 4;
    }
    return 1;
}

PcmFormat unitFormat(int sampleRate) {
    return {sampleRate, 1, SampleType::UInt8};
}

namespace {

void appendLe32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void appendLe16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

} // namespace

QByteArray canonicalHeader(int sampleRate, quint32 dataSize) {
    QByteArray header;
    header.reserve(HeaderSize);
    header.append("RIFF", 4);
    appendLe32(header, 36 + dataSize);
    header.append("WAVEfmt ", 8);
    appendLe32(header, 16);
    appendLe16(header, 1); // PCM
    appendLe16(header, 1); // channels
    appendLe32(header, quint32(sampleRate));
    appendLe32(header, quint32(sampleRate)); // bytes per second: one byte a sample
    appendLe16(header, 1);                   // block alignment
    appendLe16(header, 8);                   // bits per sample
    header.append("data", 4);
    appendLe32(header, dataSize);
    return header;
}

bool writeUnitWave(const QString& path, int sampleRate, const QByteArray& samples, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    // A short recording sits in QSaveFile's buffer until the flush, and
    // commit() does not look at a flush that fails (a full disk): it would
    // put an empty file in place of the old recording. So flush first.
    const QByteArray header = canonicalHeader(sampleRate, quint32(samples.size()));
    if (file.write(header) != header.size() || file.write(samples) != samples.size() ||
        !file.flush()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool openRegularFile(QFile& file, const QString& path, qint64* size, QString* why) {
    // Anything but a regular file is refused before it is opened: opening a
    // device can act on it (a serial line raises its modem lines).
    const QByteArray name = QFile::encodeName(path);
    struct stat named {};
    if (::stat(name.constData(), &named) == 0 && !S_ISREG(named.st_mode)) {
        *why = WaveFileText::tr("it is not a regular file");
        return false;
    }
    // O_NONBLOCK keeps a FIFO swapped in after the stat from waiting for a
    // writer; it is cleared again once fstat has shown a regular file.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        *why = error == ENOENT ? WaveFileText::tr("it does not exist")
                               : WaveFileText::tr("it cannot be read (%1)")
                                     .arg(QString::fromLocal8Bit(std::strerror(error)));
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *why = WaveFileText::tr("it is not a regular file");
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1 ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *why = WaveFileText::tr("it cannot be read");
        return false;
    }
    *size = qint64(info.st_size);
    return true;
}

qint64 WaveDataSize(const QString& path) {
    QFile file;
    qint64 size = 0;
    QString why;
    if (!openRegularFile(file, path, &size, &why))
        return -1;
    char head[8];
    if (file.read(head, 8) != 8)
        return 0;
    return qint64(qFromLittleEndian<quint32>(head + 4)) - 36;
}

// Recounted at every Stop: the folder is listed once for all the names (as
// resolveNoCase would match them), not once for each missing one.
int CountUsedVoiceMemory(const QString& folder, const QString& title) {
    const QDir dir(folder);
    QHash<QString, QString> entries; // lower case: the first entry of that name
    for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System)) {
        if (!entries.contains(entry.toLower()))
            entries.insert(entry.toLower(), entry);
    }
    qint64 total = 0;
    for (const QString& name : VoiceFiles::configInputNames(title)) {
        const auto found = entries.constFind(name.toLower());
        if (found == entries.cend())
            continue;
        const QString exact = dir.filePath(name);
        const QString path = QFileInfo::exists(exact) ? exact : dir.filePath(*found);
        total += std::max<qint64>(0, WaveDataSize(path));
    }
    return int(std::min<qint64>(total, INT_MAX));
}

namespace {

bool isRiffWave(const QByteArray& bytes) {
    return bytes.size() >= 12 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE";
}

struct Chunk {
    QByteArray id;
    qsizetype body; // where its data starts
    quint32 size;   // as its header declares; may run past the end
};

// The chunks whose headers lie within the first `end` bytes of a RIFF/WAVE
// image, in order.
QList<Chunk> chunksOf(const QByteArray& bytes, qsizetype end) {
    QList<Chunk> chunks;
    for (qsizetype at = 12; at + 8 <= end;) {
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        chunks.append({bytes.mid(at, 4), at + 8, size});
        at += 8 + qsizetype(size) + (size & 1);
    }
    return chunks;
}

// The first 16 bytes of a "fmt " chunk: what the samples are.
struct FormatFields {
    quint16 encoding; // 1: integer PCM, 3: float
    quint16 channels;
    quint32 sampleRate;
    quint16 bitsPerSample;
};
constexpr qsizetype FormatFieldsSize = 16;

FormatFields formatFields(const char* body) {
    return {qFromLittleEndian<quint16>(body), qFromLittleEndian<quint16>(body + 2),
            qFromLittleEndian<quint32>(body + 4), qFromLittleEndian<quint16>(body + 14)};
}

} // namespace

namespace {

QString tooBig() {
    return WaveFileText::tr("it is larger than the unit's voice memory of %1 bytes")
        .arg(UnitMemoryCapacity);
}

} // namespace

QString unitWaveImageProblem(const QByteArray& bytes) {
    const QString notWav = WaveFileText::tr("it is not a WAV file");
    const QString shortFile = WaveFileText::tr("it is shorter than its header says");

    if (!isRiffWave(bytes))
        return notWav;
    const qint64 riffEnd = 8 + qint64(qFromLittleEndian<quint32>(bytes.constData() + 4));
    if (riffEnd > bytes.size())
        return shortFile;

    bool formatSeen = false;
    for (const Chunk& chunk : chunksOf(bytes, riffEnd)) {
        if (chunk.body + qint64(chunk.size) > riffEnd)
            return shortFile;
        if (chunk.id == "fmt ") {
            if (chunk.size < FormatFieldsSize)
                return notWav;
            const FormatFields format = formatFields(bytes.constData() + chunk.body);
            if (format.encoding != 1 || format.channels != 1 || format.bitsPerSample != 8 ||
                (format.sampleRate != quint32(UnitSampleRate) &&
                 format.sampleRate != quint32(UnitSampleRate / 2)))
                return WaveFileText::tr("it is not 8-bit mono PCM sound at 8000 or 4000 Hz");
            formatSeen = true;
        } else if (chunk.id == "data") {
            if (!formatSeen)
                return notWav;
            return chunk.size > quint32(UnitMemoryCapacity) ? tooBig() : QString();
        }
    }
    return notWav;
}

namespace {

RecordingCheck openRecording(QFile& file, const QString& path) {
    qint64 size = 0;
    QString why;
    if (!openRegularFile(file, path, &size, &why)) {
        if (why == WaveFileText::tr("it does not exist"))
            return {RecordingCheck::Missing, why};
        const QFileInfo info(path);
        const bool regular = !info.exists() || info.isFile();
        return {regular ? RecordingCheck::Unreadable : RecordingCheck::NotRegularFile, why};
    }
    if (size > MaxRecordingFileSize)
        return {RecordingCheck::TooBig, tooBig()};
    return {};
}

} // namespace

RecordingCheck checkRecordingFile(const QString& path) {
    QFile file;
    return openRecording(file, path);
}

RecordingCheck checkRecording(const QString& path) {
    QFile file;
    if (const RecordingCheck opened = openRecording(file, path); !opened.ok())
        return opened;
    const QByteArray bytes = file.read(MaxRecordingFileSize);
    if (const QString problem = unitWaveImageProblem(bytes); !problem.isEmpty())
        return {problem == tooBig() ? RecordingCheck::TooBig : RecordingCheck::WrongFormat,
                problem};
    return {};
}

QString unitWaveProblem(const QString& path) {
    return checkRecording(path).why;
}

bool readWave(const QString& path, WaveContents* contents, QString* error) {
    QFile file;
    qint64 size = 0;
    QString why;
    if (!openRegularFile(file, path, &size, &why)) {
        *error = WaveFileText::tr("The file %1 cannot be opened: %2.").arg(path, why);
        return false;
    }
    if (size > MaxRecordingFileSize) {
        *error = WaveFileText::tr("The file %1 cannot be played: %2.").arg(path, tooBig());
        return false;
    }
    return parseWave(file.read(MaxRecordingFileSize), contents, error, path);
}

bool parseWave(const QByteArray& bytes, WaveContents* contents, QString* error,
               const QString& path) {
    const auto notWave = [&] {
        *error = WaveFileText::tr("The file %1 is not a playable WAV file.").arg(path);
        return false;
    };
    if (!isRiffWave(bytes))
        return notWave();

    bool haveFormat = false;
    for (const Chunk& chunk : chunksOf(bytes, bytes.size())) {
        const qsizetype available = std::min<qsizetype>(chunk.size, bytes.size() - chunk.body);
        if (chunk.id == "fmt ") {
            if (available < FormatFieldsSize)
                return notWave();
            const FormatFields fields = formatFields(bytes.constData() + chunk.body);
            PcmFormat& format = contents->format;
            const quint16 tag = fields.encoding;
            const quint16 bits = fields.bitsPerSample;
            if (tag == 1 && bits == 8)
                format.sampleType = SampleType::UInt8;
            else if (tag == 1 && bits == 16)
                format.sampleType = SampleType::Int16;
            else if (tag == 1 && bits == 32)
                format.sampleType = SampleType::Int32;
            else if (tag == 3 && bits == 32)
                format.sampleType = SampleType::Float;
            else
                return notWave();
            if (fields.channels < 1 || fields.channels > 8 || fields.sampleRate < 1000 ||
                fields.sampleRate > 384000)
                return notWave();
            format.channels = fields.channels;
            format.sampleRate = int(fields.sampleRate);
            haveFormat = true;
        } else if (chunk.id == "data") {
            if (!haveFormat)
                return notWave();
            // A recording cut short still plays as far as it goes.
            const qsizetype frame = contents->format.bytesPerFrame();
            contents->data = bytes.mid(chunk.body, available - available % frame);
            return true;
        }
    }
    return notWave();
}

namespace {

float decodeSample(const char* p, SampleType type) {
    switch (type) {
    case SampleType::UInt8:
        return (float(quint8(*p)) - 128.0f) / 128.0f;
    case SampleType::Int16:
        return float(qFromLittleEndian<qint16>(p)) / 32768.0f;
    case SampleType::Int32:
        return float(double(qFromLittleEndian<qint32>(p)) / 2147483648.0);
    case SampleType::Float:
        return qFromLittleEndian<float>(p);
    }
    return 0;
}

void encodeSample(float value, char* p, SampleType type) {
    const double v = std::clamp(double(value), -1.0, 1.0);
    switch (type) {
    case SampleType::UInt8:
        *p = char(quint8(std::clamp(std::lround(v * 128.0) + 128, 0L, 255L)));
        break;
    case SampleType::Int16:
        qToLittleEndian(qint16(std::clamp(std::lround(v * 32768.0), -32768L, 32767L)), p);
        break;
    case SampleType::Int32:
        qToLittleEndian(
            qint32(std::clamp<long long>(std::llround(v * 2147483648.0), INT_MIN, INT_MAX)), p);
        break;
    case SampleType::Float:
        qToLittleEndian(float(v), p);
        break;
    }
}

} // namespace

QByteArray convertPcm(const QByteArray& input, const PcmFormat& from, const PcmFormat& to) {
    if (from == to)
        return input;
    const qsizetype inFrames = input.size() / from.bytesPerFrame();
    const int inSize = from.bytesPerSample();

    // Requantize and bring the channel count over, one float per frame and channel.
    std::vector<float> frames(size_t(inFrames) * size_t(to.channels));
    for (qsizetype i = 0; i < inFrames; ++i) {
        const char* frame = input.constData() + i * from.bytesPerFrame();
        if (to.channels == 1) {
            float sum = 0;
            for (int c = 0; c < from.channels; ++c)
                sum += decodeSample(frame + c * inSize, from.sampleType);
            frames[size_t(i)] = sum / float(from.channels);
        } else {
            for (int c = 0; c < to.channels; ++c) {
                const int source = std::min(c, from.channels - 1);
                frames[size_t(i) * size_t(to.channels) + size_t(c)] =
                    decodeSample(frame + source * inSize, from.sampleType);
            }
        }
    }

    // Resample: going down, each output frame is the mean of the input frames
    // it covers (which keeps most of the aliasing out of speech); going up,
    // linear interpolation.
    const qsizetype outFrames = qsizetype(double(inFrames) * to.sampleRate / from.sampleRate);
    QByteArray output(outFrames * to.bytesPerFrame(), Qt::Uninitialized);
    const double step = double(from.sampleRate) / to.sampleRate;
    const int outSize = to.bytesPerSample();
    for (qsizetype o = 0; o < outFrames; ++o) {
        char* out = output.data() + o * to.bytesPerFrame();
        for (int c = 0; c < to.channels; ++c) {
            const auto at = [&](qsizetype i) {
                return frames[size_t(std::min(i, inFrames - 1)) * size_t(to.channels) + size_t(c)];
            };
            float value;
            if (step > 1.0) {
                const qsizetype first = qsizetype(double(o) * step);
                const qsizetype last = std::max(first + 1, qsizetype(double(o + 1) * step));
                double sum = 0;
                for (qsizetype i = first; i < last; ++i)
                    sum += at(i);
                value = float(sum / double(last - first));
            } else {
                const double position = double(o) * step;
                const qsizetype i = qsizetype(position);
                const float fraction = float(position - double(i));
                value = at(i) + (at(i + 1) - at(i)) * fraction;
            }
            encodeSample(value, out + c * outSize, to.sampleType);
        }
    }
    return output;
}

} // namespace WaveFile
