// Voice recordings on disk: the canonical 44-byte-header WAV files the unit
// plays, how much sound data a recording holds, and the PCM conversions that
// bring whatever a sound card delivers into the unit's format.
#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace WaveFile {

constexpr int HeaderSize = 44;
constexpr int UnitSampleRate = 8000;       // "Low quality" records at half of it
constexpr int UnitMemoryCapacity = 540672; // the unit's voice memory in bytes
// The most any recording file may hold: the unit's memory, its header and
// room for the odd extra chunk. Nothing larger is ever read.
constexpr qint64 MaxRecordingFileSize = UnitMemoryCapacity + 64 * 1024;

enum class SampleType { UInt8, Int16, Int32, Float };

struct PcmFormat {
    int sampleRate = UnitSampleRate;
    int channels = 1;
    SampleType sampleType = SampleType::UInt8;

    int bytesPerSample() const;
    int bytesPerFrame() const { return bytesPerSample() * channels; }
    bool operator==(const PcmFormat&) const = default;
};

// The unit's format: 8-bit unsigned PCM, one channel.
PcmFormat unitFormat(int sampleRate);

// The header of a canonical WAV file holding dataSize bytes of 8-bit mono PCM.
QByteArray canonicalHeader(int sampleRate, quint32 dataSize);

// Writes samples (8-bit unsigned mono) as a canonical WAV file. The file is
// written beside the target and renamed over it only once complete, so a
// failure leaves an existing recording untouched. False with *error set on
// failure.
bool writeUnitWave(const QString& path, int sampleRate, const QByteArray& samples, QString* error);

// Opens `path` for reading when it is a regular file (a link to one counts),
// without ever blocking on a FIFO or opening a device found there. False with
// *why set ("it is not a regular file", "it does not exist", ...) otherwise;
// *size gets its length.
bool openRegularFile(QFile& file, const QString& path, qint64* size, QString* why);

// Whether a recording can go to the unit, and why not.
struct RecordingCheck {
    enum Status { Ok, Missing, NotRegularFile, Unreadable, TooBig, WrongFormat };
    Status status = Ok;
    QString why; // the end of a sentence: "it is not a WAV file"; empty for Ok
    bool ok() const { return status == Ok; }
};
// Whether the file at `path` may be taken for a recording at all: it exists,
// is a regular file (a link to one counts) and is no larger than
// MaxRecordingFileSize. Its contents are not read; a FIFO or a device is not
// opened.
RecordingCheck checkRecordingFile(const QString& path);
// Checks a recording before anything goes to the unit: it exists, is a
// regular file, is no larger than the unit's memory holds and is in the
// unit's format (see unitWaveProblem). Reads at most MaxRecordingFileSize.
RecordingCheck checkRecording(const QString& path);

// Sound-data bytes of a recording as the unit's tools count them: the RIFF
// chunk size at offset 4 minus 36 (the data behind a 44-byte header); nothing
// else in the file is examined. -1 when the file cannot be opened or is not a
// regular file; 0 when it
// is shorter than 8 bytes, since it then has no size to read.
qint64 WaveDataSize(const QString& path);

// The voice memory taken by a configuration's 32 input messages in `folder`
// ("<title>_H01.WAV" .. "<title>_L16.WAV", names matched without regard to
// case). Missing files and files without sound data count 0; the total
// saturates at the largest int.
int CountUsedVoiceMemory(const QString& folder, const QString& title);

// Why the file at `path` cannot go to the unit, as the end of a sentence
// ("it is not a WAV file"); empty when it is RIFF/WAVE of 8-bit mono PCM at
// UnitSampleRate or half of it, complete as its headers declare.
QString unitWaveProblem(const QString& path);

// A PCM WAV file read for playback: its format and its sound data.
struct WaveContents {
    PcmFormat format;
    QByteArray data;
};
// Reads a WAV file (a regular one, no larger than MaxRecordingFileSize) of 8-, 16- or 32-bit
// integer or 32-bit float samples by walking its chunks. False with *error set when the file cannot
// be read or is not such a file.
bool readWave(const QString& path, WaveContents* contents, QString* error);
// The same for a file's bytes already read; `path` only names it in *error.
bool parseWave(const QByteArray& bytes, WaveContents* contents, QString* error,
               const QString& path);
// unitWaveProblem for a file's bytes already read.
QString unitWaveImageProblem(const QByteArray& bytes);

// Converts interleaved PCM from one format to another: requantizes, mixes all
// channels down to one or copies one to all, and resamples linearly.
QByteArray convertPcm(const QByteArray& input, const PcmFormat& from, const PcmFormat& to);

} // namespace WaveFile
