// Voice recordings on disk: the canonical 44-byte-header WAV files the unit
// plays, how much sound data a recording holds, and the PCM conversions that
// bring whatever a sound card delivers into the unit's format.
#pragma once

#include <QByteArray>
#include <QString>

namespace WaveFile {

constexpr int HeaderSize = 44;
constexpr int UnitSampleRate = 8000;       // "Low quality" records at half of it
constexpr int UnitMemoryCapacity = 540672; // the unit's voice memory in bytes

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

// Sound-data bytes of a recording as the unit's tools count them: the RIFF
// chunk size at offset 4 minus 36 (the data behind a 44-byte header); nothing
// else in the file is examined. -1 when the file cannot be opened; 0 when it
// is shorter than 8 bytes, since it then has no size to read.
qint64 WaveDataSize(const QString& path);

// The voice memory taken by a configuration's 32 input messages in `folder`
// ("<title>_H01.WAV" .. "<title>_L16.WAV", names matched without regard to
// case). Missing files and files without sound data count 0; the total
// saturates at the largest int.
int CountUsedVoiceMemory(const QString& folder, const QString& title);

// A PCM WAV file read for playback: its format and its sound data.
struct WaveContents {
    PcmFormat format;
    QByteArray data;
};
// Reads a WAV file of 8-, 16- or 32-bit integer or 32-bit float samples by
// walking its chunks. False with *error set when the file cannot be read or
// is not such a file.
bool readWave(const QString& path, WaveContents* contents, QString* error);

// Converts interleaved PCM from one format to another: requantizes, mixes all
// channels down to one or copies one to all, and resamples linearly.
QByteArray convertPcm(const QByteArray& input, const PcmFormat& from, const PcmFormat& to);

} // namespace WaveFile
