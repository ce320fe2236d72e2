// The unit's samples from sound of any rate, made in one pass with bounded
// memory: mono samples go in block by block, are resampled (libsoxr) to the
// unit's rate, have their leading and trailing silence cut off and their peak
// brought to about -1 dBFS, and come out as 8-bit unsigned PCM. Plain C++
// without Qt, so the fuzz target builds it on its own.
#pragma once

#include <sndfile.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace SoundConversion {

enum class Status {
    Ok,
    NotSound,   // the decoder refused the data, or its rate or channels are unusable
    ReadFailed, // the data broke off or could not be decoded part way
    Silent,     // nothing above the silence threshold
    TooLong,    // more sound than maxSamples holds
    Failed,     // the resampler refused (out of memory)
};

struct Outcome {
    Status status = Status::Ok;
    std::string detail;           // the library's own words where it gave any
    std::vector<uint8_t> samples; // 8-bit unsigned mono at the output rate, for Ok
};

// The lowest and highest source rates taken; anything else is not sound.
constexpr int MinInputRate = 1000;
constexpr int MaxInputRate = 768000;
// What is kept of the quiet before the first and after the last sound.
constexpr double PadSeconds = 0.03;
// The target peak: -1 dBFS.
constexpr double PeakLevel = 0.891;

class UnitSoundBuilder {
public:
    // `maxSamples`: the most the result may hold; more sound than that makes
    // the result TooLong, and no more than about that much is ever kept.
    UnitSoundBuilder(double inputRate, int outputRate, size_t maxSamples);
    ~UnitSoundBuilder();
    UnitSoundBuilder(const UnitSoundBuilder&) = delete;
    UnitSoundBuilder& operator=(const UnitSoundBuilder&) = delete;

    // Mono samples at the input rate, nominally within -1..1. False once the
    // result is certain to be too long or the resampler failed: stop feeding.
    bool feed(const float* samples, size_t count);
    Outcome finish();

private:
    bool resample(const float* samples, size_t count);
    void take(const float* samples, size_t count);

    struct Soxr;
    std::unique_ptr<Soxr> soxr_;
    std::string error_;
    size_t maxSamples_;
    size_t pad_;
    float peak_ = 0;
    bool started_ = false;
    bool tooLong_ = false;
    std::vector<float> lead_; // a ring of the latest quiet samples before the first sound
    size_t leadNext_ = 0;
    size_t leadCount_ = 0;
    std::vector<float> kept_; // from shortly before the first sound on
    std::vector<float> scratch_;
    std::vector<float> resampled_;
};

// Decodes an open sound file block by block through a builder; stops early
// once the result is certain to be too long.
Outcome convertSoundFile(SNDFILE* file, const SF_INFO& info, int outputRate, size_t maxSamples);

} // namespace SoundConversion
