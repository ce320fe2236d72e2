// A recording's bytes as the upload check and the player read them: any
// bytes must give an answer, never a crash or a read out of bounds, and what
// the player accepts must convert to the unit's format.
#include "voice/WaveFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString problem = WaveFile::unitWaveImageProblem(bytes);

    WaveFile::WaveContents contents;
    QString error;
    if (!WaveFile::parseWave(bytes, &contents, &error, QStringLiteral("fuzz.wav"))) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    const WaveFile::PcmFormat& format = contents.format;
    if (contents.data.size() > bytes.size() || contents.data.size() % format.bytesPerFrame() != 0)
        std::abort();
    // What the upload check passes, the player reads as the unit's own format.
    if (problem.isEmpty() && !(format == WaveFile::unitFormat(format.sampleRate)))
        std::abort();
    const QByteArray converted =
        WaveFile::convertPcm(contents.data, format, WaveFile::unitFormat(WaveFile::UnitSampleRate));
    (void)converted;
    return 0;
}
