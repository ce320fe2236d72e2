// Turns fuzzer input into a byte stream for a frame decoder. Random bytes
// almost never pass a CRC-32, so half of the inputs are read as a list of
// messages that are framed properly (and then perhaps damaged), which lets
// the fuzzer reach the payload decoders behind the frame check.
#pragma once

#include "LinkWire.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzzstream {

inline std::vector<uint8_t> streamFrom(const uint8_t* data, size_t size, bool answers) {
    if (size == 0)
        return {};
    if (data[0] & 1)
        return {data + 1, data + size};
    // Each message: type, seq, length (1 byte, scaled), payload; then an optional damage byte.
    std::vector<uint8_t> stream;
    size_t at = 1;
    while (at + 3 <= size) {
        uint8_t type = data[at];
        if (answers)
            type |= velklink::wire::kAnswerBit;
        const uint8_t seq = data[at + 1];
        size_t length = static_cast<size_t>(data[at + 2]) * 5;
        at += 3;
        if (length > size - at)
            length = size - at;
        const auto frame =
            velklink::wire::encodeFrame(type, seq, std::span<const uint8_t>(data + at, length));
        at += length;
        const size_t first = stream.size();
        stream.insert(stream.end(), frame.begin(), frame.end());
        if (at < size) {
            const uint8_t damage = data[at++];
            if (damage & 0x80)
                stream[first + damage % frame.size()] ^= static_cast<uint8_t>(damage | 1);
        }
    }
    return stream;
}

// Feeds the stream in pieces whose sizes come from the stream itself, so that
// frames are split at every possible place.
template <typename OnFrame>
void decodeInPieces(const std::vector<uint8_t>& stream, OnFrame&& onFrame) {
    velklink::wire::FrameDecoder decoder;
    size_t at = 0;
    while (at < stream.size()) {
        const size_t piece = std::min<size_t>(stream.size() - at, 1 + stream[at] % 64);
        decoder.feed(std::span(stream.data() + at, piece));
        at += piece;
        while (auto frame = decoder.next())
            onFrame(*frame);
        decoder.takeDiscarded();
    }
}

} // namespace fuzzstream
