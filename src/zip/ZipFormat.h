// The zip format's little-endian fields and its 32-bit limit, shared by the
// record writers.
#pragma once

#include <cstdint>
#include <vector>

namespace zipformat {

// Sizes and offsets are 32-bit fields: no archive or entry may pass this.
inline constexpr std::uint64_t kMaxOffset = 0xFFFFFFFF;

inline void Put16(unsigned char* out, std::uint16_t value) {
    out[0] = static_cast<unsigned char>(value);
    out[1] = static_cast<unsigned char>(value >> 8);
}

inline void Put32(unsigned char* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<unsigned char>(value >> (8 * i));
}

inline void Put16(std::vector<unsigned char>& out, std::uint16_t value) {
    out.resize(out.size() + 2);
    Put16(out.data() + out.size() - 2, value);
}

inline void Put32(std::vector<unsigned char>& out, std::uint32_t value) {
    out.resize(out.size() + 4);
    Put32(out.data() + out.size() - 4, value);
}

} // namespace zipformat
