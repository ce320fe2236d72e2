// The unit link protocol on the wire: frame encoding, the strict frame decoder,
// and the requests and answers carried in frames. Shared by the link library
// (host side) and the unit simulator (unit side), so both check incoming bytes
// by the same rules. docs/link-protocol.md describes the format.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velklink::wire {

inline constexpr uint8_t kSync = 0xA5;
inline constexpr size_t kHeaderSize = 6;  // sync, type, seq, length (2), header check
inline constexpr size_t kTrailerSize = 4; // CRC-32 of header and payload
inline constexpr size_t kMaxPayload = 1100;
inline constexpr size_t kMaxFrame = kHeaderSize + kMaxPayload + kTrailerSize;

inline constexpr uint8_t kProtocolVersion = 1;
inline constexpr int kRegisterCount = 87;
inline constexpr size_t kRegisterSize = 256;
inline constexpr size_t kClockRecordSize = 8;
inline constexpr size_t kMaxVoiceChunk = 1024;
inline constexpr size_t kMaxVoiceName = 255;
inline constexpr size_t kMaxPassword = 255;
inline constexpr uint32_t kMaxVoiceFileSize = 64u * 1024 * 1024;

// Registers are numbered 1 to 87.
constexpr bool validRegister(int32_t reg) {
    return reg >= 1 && reg <= kRegisterCount;
}

// Request types; the answer to a request carries the request's type | kAnswerBit.
enum class Type : uint8_t {
    Connect = 0x01,
    Query = 0x02,
    Prepare = 0x03,
    WriteRegister = 0x04,
    ReadRegister = 0x05,
    Finish = 0x06,
    SetClock = 0x07,
    VoiceOpen = 0x08,
    VoiceData = 0x09,
    VoiceClose = 0x0A,
};
inline constexpr uint8_t kAnswerBit = 0x80;

// First byte of every answer.
enum class Status : uint8_t {
    Ok = 0,
    Password = 1,    // the unit is password protected
    NoSession = 2,   // no Connect before this request
    NotPrepared = 3, // register or voice request outside a prepared transfer
    BadRequest = 4,  // unknown type, malformed payload or out-of-order data
    WriteFailed = 5, // the register could not be stored
    ReadFailed = 6,  // the register could not be read
    VoiceFailed = 7, // a voice file could not be stored or failed its check
};

struct Frame {
    uint8_t type = 0;
    uint8_t seq = 0;
    std::vector<uint8_t> payload;
};

uint32_t crc32Of(std::span<const uint8_t> bytes, uint32_t crc = 0);

std::vector<uint8_t> encodeFrame(uint8_t type, uint8_t seq, std::span<const uint8_t> payload);

// Reassembles frames from a byte stream. Anything that is not a well-formed
// frame is skipped byte by byte until the next good one, so a corrupted or
// hostile stream can delay frames but never yields a malformed one.
class FrameDecoder {
public:
    void feed(std::span<const uint8_t> bytes);
    // The next complete frame, if the buffered bytes hold one.
    std::optional<Frame> next();
    // Bytes thrown away as not belonging to any good frame since the last call.
    size_t takeDiscarded();
    void reset();

private:
    std::vector<uint8_t> buffer_;
    size_t start_ = 0;
    size_t discarded_ = 0;
};

// A voice file's name as the unit stores it: 1 to 255 bytes, no path
// separators, no control characters, not starting with a dot.
bool isValidVoiceName(std::string_view name);

// Requests, as the unit decodes them.
struct ConnectRequest {
    uint8_t version = 0;
    std::string password;
};
struct QueryRequest {};
struct PrepareRequest {};
struct WriteRegisterRequest {
    int reg = 0;
    std::array<uint8_t, kRegisterSize> slot{};
};
struct ReadRegisterRequest {
    int reg = 0;
};
struct FinishRequest {};
struct SetClockRequest {
    std::array<uint8_t, kClockRecordSize> record{};
};
struct VoiceOpenRequest {
    uint32_t size = 0;
    std::string name;
};
struct VoiceDataRequest {
    uint32_t offset = 0;
    std::vector<uint8_t> data;
};
struct VoiceCloseRequest {
    uint32_t crc = 0;
};
using Request = std::variant<ConnectRequest, QueryRequest, PrepareRequest, WriteRegisterRequest,
                             ReadRegisterRequest, FinishRequest, SetClockRequest, VoiceOpenRequest,
                             VoiceDataRequest, VoiceCloseRequest>;

// The request in a frame, or nothing when its type is unknown or its payload
// does not have exactly the form of that type.
std::optional<Request> decodeRequest(const Frame& frame);

// Payloads of requests, as the host encodes them.
std::vector<uint8_t> connectPayload(std::string_view password);
std::vector<uint8_t> writeRegisterPayload(int reg, std::span<const uint8_t, kRegisterSize> slot);
std::vector<uint8_t> readRegisterPayload(int reg);
std::vector<uint8_t> setClockPayload(std::span<const uint8_t, kClockRecordSize> record);
std::vector<uint8_t> voiceOpenPayload(uint32_t size, std::string_view name);
std::vector<uint8_t> voiceDataPayload(uint32_t offset, std::span<const uint8_t> data);
std::vector<uint8_t> voiceClosePayload(uint32_t crc);

// Answers, as the host decodes them. Each returns nothing when the frame is not
// a well-formed answer to that request type.
struct StatusAnswer {
    Status status = Status::Ok;
};
struct ConnectAnswer {
    Status status = Status::Ok;
    uint8_t version = 0;
};
struct QueryAnswer {
    Status status = Status::Ok;
    uint16_t model = 0;
    uint16_t firmware = 0;
};
struct ReadRegisterAnswer {
    Status status = Status::Ok;
    int reg = 0;
    std::array<uint8_t, kRegisterSize> slot{}; // filled only when status is Ok
};

bool isAnswerTo(const Frame& frame, Type request);
std::optional<StatusAnswer> decodeStatusAnswer(const Frame& frame, Type request);
std::optional<ConnectAnswer> decodeConnectAnswer(const Frame& frame);
std::optional<QueryAnswer> decodeQueryAnswer(const Frame& frame);
std::optional<ReadRegisterAnswer> decodeReadRegisterAnswer(const Frame& frame);

// Payloads of answers, as the unit encodes them.
std::vector<uint8_t> statusPayload(Status status);
std::vector<uint8_t> connectAnswerPayload(Status status);
std::vector<uint8_t> queryAnswerPayload(Status status, uint16_t model, uint16_t firmware);
std::vector<uint8_t> readRegisterAnswerPayload(Status status, int reg,
                                               std::span<const uint8_t> slot);

} // namespace velklink::wire
