#include "voice/SoundConversion.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>

namespace SoundConversion {

namespace {

// Below this (about -60 dBFS) a sample is silence whatever the peak.
constexpr float SilenceFloor = 0.001f;
// Quiet relative to the loudest sample so far: 30 dB below it, above the
// noise floor of an 8-bit recording (the unit's own format, dithered, then
// resampled) and of a phone's.
constexpr float SilenceBelowPeak = 0.03f;
// Larger values (a float file's garbage) are clipped before they reach the
// resampler, so nothing downstream can overflow.
constexpr float InputLimit = 1e6f;

float silenceThreshold(float peak) {
    return std::max(SilenceFloor, peak * SilenceBelowPeak);
}

} // namespace

struct UnitSoundBuilder::Soxr {
    soxr_t handle = nullptr;
    double ratio = 1;
    ~Soxr() {
        if (handle)
            soxr_delete(handle);
    }
};

UnitSoundBuilder::UnitSoundBuilder(double inputRate, int outputRate, size_t maxSamples)
    : soxr_(std::make_unique<Soxr>()), maxSamples_(maxSamples),
      pad_(size_t(std::lround(PadSeconds * outputRate))) {
    soxr_error_t error = nullptr;
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    soxr_->handle = soxr_create(inputRate, outputRate, 1, &error, nullptr, &quality, nullptr);
    soxr_->ratio = double(outputRate) / inputRate;
    if (error || !soxr_->handle) {
        error_ = error ? error : "the resampler could not be made";
        if (soxr_->handle) {
            soxr_delete(soxr_->handle);
            soxr_->handle = nullptr;
        }
    }
    lead_.resize(pad_);
}

UnitSoundBuilder::~UnitSoundBuilder() = default;

bool UnitSoundBuilder::feed(const float* samples, size_t count) {
    if (!soxr_->handle || tooLong_)
        return false;
    scratch_.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const float x = samples[i];
        scratch_[i] = std::isfinite(x) ? std::clamp(x, -InputLimit, InputLimit) : 0.0f;
    }
    return resample(scratch_.data(), count) && !tooLong_;
}

bool UnitSoundBuilder::resample(const float* samples, size_t count) {
    // Room for what this block gives and what the filter still holds.
    std::vector<float>& out = resampled_;
    out.resize(std::max(out.size(), size_t(double(count) * soxr_->ratio) + 1024));
    size_t used = 0;
    for (;;) {
        size_t idone = 0, odone = 0;
        const soxr_error_t error =
            soxr_process(soxr_->handle, samples ? samples + used : nullptr, count - used, &idone,
                         out.data(), out.size(), &odone);
        if (error) {
            error_ = error;
            return false;
        }
        take(out.data(), odone);
        used += idone;
        if (tooLong_)
            return true;
        // Done once all input went in and the output had room to spare; at
        // the end (no input) once the resampler gives nothing more.
        if (samples ? (used >= count && odone < out.size()) : odone == 0)
            return true;
    }
}

void UnitSoundBuilder::take(const float* samples, size_t count) {
    // Kept at most: the limit and the quiet on either side of it.
    const size_t keepLimit = maxSamples_ + 2 * pad_;
    for (size_t i = 0; i < count && !tooLong_; ++i) {
        const float x = samples[i];
        const float level = std::fabs(x);
        if (!started_) {
            if (level < SilenceFloor) {
                if (pad_ > 0) {
                    lead_[leadNext_] = x;
                    leadNext_ = (leadNext_ + 1) % pad_;
                    leadCount_ = std::min(leadCount_ + 1, pad_);
                }
                continue;
            }
            started_ = true;
            for (size_t k = 0; k < leadCount_; ++k)
                kept_.push_back(lead_[(leadNext_ + pad_ - leadCount_ + k) % pad_]);
        }
        if (kept_.size() < keepLimit) {
            kept_.push_back(x);
            peak_ = std::max(peak_, level);
        } else if (level >= silenceThreshold(peak_)) {
            // Sound this late lies beyond the limit from the first sound, and
            // any louder sound still to come would lie there too.
            tooLong_ = true;
        }
    }
}

Outcome UnitSoundBuilder::finish() {
    Outcome outcome;
    if (!soxr_->handle || (!tooLong_ && !resample(nullptr, 0))) {
        outcome.status = Status::Failed;
        outcome.detail = error_;
        return outcome;
    }
    if (tooLong_) {
        outcome.status = Status::TooLong;
        return outcome;
    }
    if (!started_ || peak_ <= 0) {
        outcome.status = Status::Silent;
        return outcome;
    }
    const float threshold = silenceThreshold(peak_);
    auto loud = [threshold](float x) { return std::fabs(x) >= threshold; };
    const size_t first = size_t(std::find_if(kept_.begin(), kept_.end(), loud) - kept_.begin());
    const size_t last = kept_.size() - 1 -
                        size_t(std::find_if(kept_.rbegin(), kept_.rend(), loud) - kept_.rbegin());
    if (last + 1 - first > maxSamples_) {
        outcome.status = Status::TooLong;
        return outcome;
    }
    size_t start = first > pad_ ? first - pad_ : 0;
    size_t end = std::min(kept_.size(), last + 1 + pad_);
    if (end - start > maxSamples_) {
        end = std::max(last + 1, start + maxSamples_);
        start = end - maxSamples_;
    }
    const double gain = PeakLevel / double(peak_);
    outcome.samples.reserve(end - start);
    for (size_t i = start; i < end; ++i) {
        const double v = std::clamp(double(kept_[i]) * gain, -1.0, 1.0);
        outcome.samples.push_back(uint8_t(std::clamp(std::lround(v * 128.0) + 128, 0L, 255L)));
    }
    return outcome;
}

Outcome convertSoundFile(SNDFILE* file, const SF_INFO& info, int outputRate, size_t maxSamples) {
    Outcome outcome;
    if (info.channels < 1 || info.samplerate < MinInputRate || info.samplerate > MaxInputRate) {
        outcome.status = Status::NotSound;
        outcome.detail = "it declares " + std::to_string(info.channels) + " channels at " +
                         std::to_string(info.samplerate) + " samples a second";
        return outcome;
    }
    UnitSoundBuilder builder(info.samplerate, outputRate, maxSamples);
    const size_t channels = size_t(info.channels);
    const size_t blockFrames = std::max<size_t>(1, 16384 / channels);
    std::vector<float> block(blockFrames * channels);
    std::vector<float> mono(blockFrames);
    for (;;) {
        const sf_count_t frames = sf_readf_float(file, block.data(), sf_count_t(blockFrames));
        if (frames <= 0)
            break;
        for (size_t f = 0; f < size_t(frames); ++f) {
            double sum = 0;
            for (size_t c = 0; c < channels; ++c)
                sum += double(block[f * channels + c]);
            mono[f] = float(sum / double(channels));
        }
        if (!builder.feed(mono.data(), size_t(frames)))
            return builder.finish();
    }
    if (sf_error(file) != SF_ERR_NO_ERROR) {
        outcome.status = Status::ReadFailed;
        outcome.detail = sf_strerror(file);
        return outcome;
    }
    return builder.finish();
}

} // namespace SoundConversion
