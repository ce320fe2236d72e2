#include "LinkWire.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <zlib.h>

namespace velklink::wire {

namespace {

void storeU32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>((value >> (8 * i)) & 0xFF);
}

uint16_t getU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t getU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The header carries its own check so that a corrupted length is caught at
// once instead of making the reader wait for bytes that never come.
uint8_t headerCheck(const uint8_t* header) {
    return static_cast<uint8_t>(crc32Of(std::span(header, kHeaderSize - 1)) & 0xFF);
}

bool isKnownStatus(uint8_t value) {
    return value <= static_cast<uint8_t>(Status::VoiceFailed);
}

} // namespace

uint32_t crc32Of(std::span<const uint8_t> bytes, uint32_t crc) {
    // zlib takes the length as uInt; frames and voice chunks are far below that.
    return static_cast<uint32_t>(::crc32(crc, bytes.data(), static_cast<uInt>(bytes.size())));
}

std::vector<uint8_t> encodeFrame(uint8_t type, uint8_t seq, std::span<const uint8_t> payload) {
    // Every message is built within kMaxPayload; the cut only keeps the length field honest.
    const size_t length = std::min(payload.size(), kMaxPayload);
    std::vector<uint8_t> out(kHeaderSize + length + kTrailerSize);
    out[0] = kSync;
    out[1] = type;
    out[2] = seq;
    out[3] = static_cast<uint8_t>(length & 0xFF);
    out[4] = static_cast<uint8_t>(length >> 8);
    out[5] = headerCheck(out.data());
    if (length > 0)
        std::memcpy(out.data() + kHeaderSize, payload.data(), length);
    storeU32(out.data() + kHeaderSize + length,
             crc32Of(std::span(out.data(), kHeaderSize + length)));
    return out;
}

void FrameDecoder::feed(std::span<const uint8_t> bytes) {
    if (start_ > 0 && start_ >= buffer_.size() / 2) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<ptrdiff_t>(start_));
        start_ = 0;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

std::optional<Frame> FrameDecoder::next() {
    while (start_ < buffer_.size()) {
        const uint8_t* p = buffer_.data() + start_;
        const size_t available = buffer_.size() - start_;
        if (p[0] != kSync) {
            ++start_;
            ++discarded_;
            continue;
        }
        if (available < kHeaderSize)
            return std::nullopt;
        const size_t length = getU16(p + 3);
        if (headerCheck(p) != p[5] || length > kMaxPayload) {
            ++start_;
            ++discarded_;
            continue;
        }
        const size_t total = kHeaderSize + length + kTrailerSize;
        if (available < total)
            return std::nullopt;
        const uint32_t expected = getU32(p + kHeaderSize + length);
        if (crc32Of(std::span(p, kHeaderSize + length)) != expected) {
            ++start_;
            ++discarded_;
            continue;
        }
        Frame frame;
        frame.type = p[1];
        frame.seq = p[2];
        frame.payload.assign(p + kHeaderSize, p + kHeaderSize + length);
        start_ += total;
        return frame;
    }
    return std::nullopt;
}

size_t FrameDecoder::takeDiscarded() {
    return std::exchange(discarded_, 0);
}

void FrameDecoder::reset() {
    buffer_.clear();
    start_ = 0;
    discarded_ = 0;
}

bool isValidVoiceName(std::string_view name) {
    if (name.empty() || name.size() > kMaxVoiceName || name.front() == '.')
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || c == '/' || c == '\\';
    });
}

std::optional<Request> decodeRequest(const Frame& frame) {
    const auto& p = frame.payload;
    const size_t n = p.size();
    switch (static_cast<Type>(frame.type)) {
    case Type::Connect: {
        if (n < 2 || n != 2u + p[1])
            return std::nullopt;
        ConnectRequest request;
        request.version = p[0];
        request.password.assign(p.begin() + 2, p.end());
        return request;
    }
    case Type::Query:
        if (n != 0)
            return std::nullopt;
        return QueryRequest{};
    case Type::Prepare:
        if (n != 0)
            return std::nullopt;
        return PrepareRequest{};
    case Type::WriteRegister: {
        if (n != 1 + kRegisterSize || !validRegister(p[0]))
            return std::nullopt;
        WriteRegisterRequest request;
        request.reg = p[0];
        std::copy(p.begin() + 1, p.end(), request.slot.begin());
        return request;
    }
    case Type::ReadRegister:
        if (n != 1 || !validRegister(p[0]))
            return std::nullopt;
        return ReadRegisterRequest{p[0]};
    case Type::Finish:
        if (n != 0)
            return std::nullopt;
        return FinishRequest{};
    case Type::SetClock: {
        if (n != kClockRecordSize)
            return std::nullopt;
        SetClockRequest request;
        std::copy(p.begin(), p.end(), request.record.begin());
        return request;
    }
    case Type::VoiceOpen: {
        if (n < 5)
            return std::nullopt;
        VoiceOpenRequest request;
        request.size = getU32(p.data());
        request.name.assign(p.begin() + 4, p.end());
        if (request.size > kMaxVoiceFileSize || !isValidVoiceName(request.name))
            return std::nullopt;
        return request;
    }
    case Type::VoiceData: {
        if (n < 5 || n > 4 + kMaxVoiceChunk)
            return std::nullopt;
        VoiceDataRequest request;
        request.offset = getU32(p.data());
        request.data.assign(p.begin() + 4, p.end());
        if (request.offset > kMaxVoiceFileSize - request.data.size())
            return std::nullopt;
        return request;
    }
    case Type::VoiceClose:
        if (n != 4)
            return std::nullopt;
        return VoiceCloseRequest{getU32(p.data())};
    }
    return std::nullopt;
}

std::vector<uint8_t> connectPayload(std::string_view password) {
    const size_t length = std::min(password.size(), kMaxPassword);
    std::vector<uint8_t> out(2 + length);
    out[0] = kProtocolVersion;
    out[1] = static_cast<uint8_t>(length);
    std::memcpy(out.data() + 2, password.data(), length);
    return out;
}

std::vector<uint8_t> writeRegisterPayload(int reg, std::span<const uint8_t, kRegisterSize> slot) {
    std::vector<uint8_t> out(1 + kRegisterSize);
    out[0] = static_cast<uint8_t>(reg);
    std::memcpy(out.data() + 1, slot.data(), kRegisterSize);
    return out;
}

std::vector<uint8_t> readRegisterPayload(int reg) {
    return {static_cast<uint8_t>(reg)};
}

std::vector<uint8_t> setClockPayload(std::span<const uint8_t, kClockRecordSize> record) {
    return {record.begin(), record.end()};
}

std::vector<uint8_t> voiceOpenPayload(uint32_t size, std::string_view name) {
    std::vector<uint8_t> out(4 + name.size());
    storeU32(out.data(), size);
    std::memcpy(out.data() + 4, name.data(), name.size());
    return out;
}

std::vector<uint8_t> voiceDataPayload(uint32_t offset, std::span<const uint8_t> data) {
    std::vector<uint8_t> out(4 + data.size());
    storeU32(out.data(), offset);
    if (!data.empty())
        std::memcpy(out.data() + 4, data.data(), data.size());
    return out;
}

std::vector<uint8_t> voiceClosePayload(uint32_t crc) {
    std::vector<uint8_t> out(4);
    storeU32(out.data(), crc);
    return out;
}

bool isAnswerTo(const Frame& frame, Type request) {
    return frame.type == (static_cast<uint8_t>(request) | kAnswerBit);
}

std::optional<StatusAnswer> decodeStatusAnswer(const Frame& frame, Type request) {
    if (!isAnswerTo(frame, request) || frame.payload.size() != 1 ||
        !isKnownStatus(frame.payload[0]))
        return std::nullopt;
    return StatusAnswer{static_cast<Status>(frame.payload[0])};
}

std::optional<ConnectAnswer> decodeConnectAnswer(const Frame& frame) {
    const auto& p = frame.payload;
    if (!isAnswerTo(frame, Type::Connect) || p.size() != 2 || !isKnownStatus(p[0]))
        return std::nullopt;
    return ConnectAnswer{static_cast<Status>(p[0]), p[1]};
}

std::optional<QueryAnswer> decodeQueryAnswer(const Frame& frame) {
    const auto& p = frame.payload;
    if (!isAnswerTo(frame, Type::Query) || p.empty() || !isKnownStatus(p[0]))
        return std::nullopt;
    const auto status = static_cast<Status>(p[0]);
    if (status != Status::Ok)
        return p.size() == 1 ? std::optional(QueryAnswer{status, 0, 0}) : std::nullopt;
    if (p.size() != 5)
        return std::nullopt;
    return QueryAnswer{status, getU16(p.data() + 1), getU16(p.data() + 3)};
}

std::optional<ReadRegisterAnswer> decodeReadRegisterAnswer(const Frame& frame) {
    const auto& p = frame.payload;
    if (!isAnswerTo(frame, Type::ReadRegister) || p.size() < 2 || !isKnownStatus(p[0]) ||
        !validRegister(p[1]))
        return std::nullopt;
    ReadRegisterAnswer answer;
    answer.status = static_cast<Status>(p[0]);
    answer.reg = p[1];
    if (answer.status != Status::Ok)
        return p.size() == 2 ? std::optional(answer) : std::nullopt;
    if (p.size() != 2 + kRegisterSize)
        return std::nullopt;
    std::copy(p.begin() + 2, p.end(), answer.slot.begin());
    return answer;
}

std::vector<uint8_t> statusPayload(Status status) {
    return {static_cast<uint8_t>(status)};
}

std::vector<uint8_t> connectAnswerPayload(Status status) {
    return {static_cast<uint8_t>(status), kProtocolVersion};
}

std::vector<uint8_t> queryAnswerPayload(Status status, uint16_t model, uint16_t firmware) {
    if (status != Status::Ok)
        return {static_cast<uint8_t>(status)};
    return {static_cast<uint8_t>(status), static_cast<uint8_t>(model & 0xFF),
            static_cast<uint8_t>(model >> 8), static_cast<uint8_t>(firmware & 0xFF),
            static_cast<uint8_t>(firmware >> 8)};
}

std::vector<uint8_t> readRegisterAnswerPayload(Status status, int reg,
                                               std::span<const uint8_t> slot) {
    const size_t length = status == Status::Ok ? slot.size() : 0;
    std::vector<uint8_t> out(2 + length);
    out[0] = static_cast<uint8_t>(status);
    out[1] = static_cast<uint8_t>(reg);
    if (length > 0)
        std::memcpy(out.data() + 2, slot.data(), length);
    return out;
}

} // namespace velklink::wire
