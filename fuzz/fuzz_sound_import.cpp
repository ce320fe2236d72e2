// The sound-file import: whatever bytes a file holds, libsndfile opens them
// from memory and the conversion to the unit's samples either refuses them
// or gives a result that fits the unit's memory, never crashing or reading
// out of bounds.
#include "voice/SoundConversion.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The unit's voice memory, as the program passes it.
constexpr size_t MaxSamples = 540672;

struct Memory {
    const uint8_t* data;
    sf_count_t size;
    sf_count_t at = 0;
};

sf_count_t length(void* user) {
    return static_cast<Memory*>(user)->size;
}

sf_count_t seek(sf_count_t offset, int whence, void* user) {
    Memory& m = *static_cast<Memory*>(user);
    const sf_count_t base = whence == SEEK_CUR ? m.at : whence == SEEK_END ? m.size : 0;
    if (offset < -base || offset > m.size - base)
        return -1;
    m.at = base + offset;
    return m.at;
}

sf_count_t read(void* out, sf_count_t count, void* user) {
    Memory& m = *static_cast<Memory*>(user);
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, m.size - m.at);
    std::memcpy(out, m.data + m.at, size_t(n));
    m.at += n;
    return n;
}

sf_count_t refuseWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t tell(void* user) {
    return static_cast<Memory*>(user)->at;
}

} // namespace

// libsndfile leaves libvorbis's stream info behind when it gives up on a
// broken Ogg Vorbis header; the leak is the library's, not the import's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:vorbis_info_init\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Memory memory{data, sf_count_t(size)};
    SF_VIRTUAL_IO io{length, seek, read, refuseWrite, tell};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &memory);
    if (!file)
        return 0;
    const SoundConversion::Outcome outcome =
        SoundConversion::convertSoundFile(file, info, 8000, MaxSamples);
    if (outcome.status == SoundConversion::Status::Ok &&
        (outcome.samples.empty() || outcome.samples.size() > MaxSamples))
        std::abort();
    if (outcome.status != SoundConversion::Status::Ok && !outcome.samples.empty())
        std::abort();
    sf_close(file);
    return 0;
}
