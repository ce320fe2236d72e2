// The calls that reach a unit: each sends requests over the link's serial line
// and waits for the matching answers, with a deadline and bounded retries.
#include "LinkPort.h"
#include "LinkRegistry.h"
#include "LinkWire.h"
#include "velklink.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace velklink {

namespace {

using namespace std::chrono_literals;
using wire::Frame;
using wire::Status;
using wire::Type;

constexpr int kAttempts = 3;
constexpr auto kAnswerAllowance = 400ms; // the unit's own handling time, on top of the wire time
constexpr auto kIdleAfterGarbage =
    50ms; // a broken answer followed by silence is not worth waiting for

// The largest answer, so the deadline covers its time on the wire.
constexpr size_t kMaxAnswerFrame = wire::kHeaderSize + 2 + wire::kRegisterSize + wire::kTrailerSize;

enum class Outcome { Answered, Timeout, Garbled, Gone };

Clock::duration wireTime(size_t bytes, int baud) {
    // Ten bits per byte: start bit, eight data bits, stop bit.
    return std::chrono::microseconds(static_cast<long long>(bytes) * 10'000'000LL / baud);
}

int baudFromOptions(const std::string& options) {
    const std::string_view key = "baud=";
    const size_t at = options.find(key);
    if (at == std::string::npos)
        return 115200;
    const char* first = options.data() + at + key.size();
    int baud = 0;
    auto [end, error] = std::from_chars(first, options.data() + options.size(), baud);
    if (error != std::errc() || !isStandardBaud(baud))
        return 115200;
    return baud;
}

// Sequence numbers start somewhere different for every connection so that a
// late answer from an earlier connection is never taken for a new one.
uint8_t initialSeq() {
    static std::atomic<unsigned> counter{static_cast<unsigned>(::getpid()) * 31u};
    return static_cast<uint8_t>(counter.fetch_add(97) +
                                static_cast<unsigned>(Clock::now().time_since_epoch().count()));
}

int32_t lineGone(Link& link) {
    // Report the loss once; later calls see a closed link and say so at once.
    closeDevice(link);
    return LINK_ERR_IO;
}

Outcome awaitAnswer(Link& link, uint8_t answerType, uint8_t seq, Clock::time_point deadline,
                    Frame& answer) {
    bool garbled = false;
    uint8_t buffer[4096];
    for (;;) {
        while (auto frame = link.decoder.next()) {
            // Answers to earlier attempts arrive late after a retry: their sequence tells them
            // apart.
            if (frame->type == answerType && frame->seq == seq) {
                answer = std::move(*frame);
                return Outcome::Answered;
            }
        }
        if (link.decoder.takeDiscarded() > 0)
            garbled = true;
        auto waitUntil = deadline;
        if (garbled)
            waitUntil = std::min(deadline, Clock::now() + kIdleAfterGarbage);
        size_t count = 0;
        switch (readSome(link.fd, buffer, waitUntil, count)) {
        case IoResult::Gone:
            return Outcome::Gone;
        case IoResult::Timeout:
            return garbled ? Outcome::Garbled : Outcome::Timeout;
        case IoResult::Ok:
            link.decoder.feed(std::span(buffer, count));
            break;
        }
    }
}

// Sends one request and returns its answer, retrying when the answer is
// missing, garbled or malformed. `accept` tells whether an answer frame is well
// formed. LINK_OK, LINK_ERR_TIMEOUT, LINK_ERR_PROTOCOL or LINK_ERR_IO.
template <typename Accept>
int32_t exchange(Link& link, Type type, std::span<const uint8_t> payload, Frame& answer,
                 Accept&& accept) {
    if (link.fd < 0)
        return LINK_ERR_NOT_CONNECTED;
    const uint8_t seq = ++link.seq;
    const auto request = wire::encodeFrame(static_cast<uint8_t>(type), seq, payload);
    const auto allowance =
        kAnswerAllowance + 2 * wireTime(request.size() + kMaxAnswerFrame, link.baud);
    const uint8_t answerType = static_cast<uint8_t>(type) | wire::kAnswerBit;
    int32_t failure = LINK_ERR_TIMEOUT;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const auto deadline = Clock::now() + allowance;
        const IoResult sent = writeAll(link.fd, request, deadline);
        if (sent == IoResult::Gone)
            return lineGone(link);
        if (sent == IoResult::Timeout) {
            failure = LINK_ERR_TIMEOUT;
            continue;
        }
        switch (awaitAnswer(link, answerType, seq, deadline, answer)) {
        case Outcome::Gone:
            return lineGone(link);
        case Outcome::Timeout:
            failure = LINK_ERR_TIMEOUT;
            break;
        case Outcome::Garbled:
            failure = LINK_ERR_PROTOCOL;
            break;
        case Outcome::Answered:
            if (accept(answer))
                return LINK_OK;
            failure = LINK_ERR_PROTOCOL;
            break;
        }
    }
    return failure;
}

int32_t resultFor(Status status) {
    switch (status) {
    case Status::Ok:
        return LINK_OK;
    case Status::Password:
        return LINK_ERR_PASSWORD;
    case Status::NoSession:
        return LINK_ERR_NOT_CONNECTED;
    default:
        return LINK_ERR_REFUSED;
    }
}

// A request whose answer is a status byte alone.
int32_t simpleRequest(Link& link, Type type, std::span<const uint8_t> payload = {}) {
    if (!link.connected)
        return LINK_ERR_NOT_CONNECTED;
    Frame frame;
    std::optional<wire::StatusAnswer> answer;
    const int32_t result = exchange(link, type, payload, frame, [&](const Frame& f) {
        answer = wire::decodeStatusAnswer(f, type);
        return answer.has_value();
    });
    return result != LINK_OK ? result : resultFor(answer->status);
}

int openReasonFor(OpenFailure failure) {
    switch (failure) {
    case OpenFailure::None:
        return LINK_OPEN_OK;
    case OpenFailure::NoDevice:
        return LINK_OPEN_NO_DEVICE;
    case OpenFailure::Permission:
        return LINK_OPEN_PERMISSION;
    case OpenFailure::Busy:
        return LINK_OPEN_BUSY;
    case OpenFailure::NotSerial:
        return LINK_OPEN_NOT_SERIAL;
    case OpenFailure::NoUart:
        return LINK_OPEN_NO_UART;
    case OpenFailure::Other:
        break;
    }
    return LINK_OPEN_OTHER;
}

std::optional<std::string> resolveDevice(const Link& link) {
    if (const char* forced = std::getenv("QUILLARY_LINK_DEVICE"); forced && *forced)
        return std::string(forced);
    const auto usb = listUsbSerialDevices();
    if (auto path = devicePathForPort(link.port, usb))
        return path;
    return std::nullopt;
}

int32_t connect(Link& link, const char* password) {
    const std::string_view secret = password ? password : "";
    if (secret.size() > wire::kMaxPassword)
        return LINK_ERR_BAD_ARGUMENT;
    closeDevice(link); // every operation starts from a freshly opened line
    link.baud = baudFromOptions(link.options);

    // The fallback port is tried only when the first one cannot be opened.
    std::vector<std::string> candidates;
    if (auto path = resolveDevice(link))
        candidates.push_back(*path);
    if (!std::getenv("QUILLARY_LINK_DEVICE") || !*std::getenv("QUILLARY_LINK_DEVICE")) {
        if (auto path = devicePathForPort(link.fallbackPort, listUsbSerialDevices()))
            candidates.push_back(*path);
    }
    // The first candidate's failure is the one reported: the fallback is a
    // guess, the chosen port is what the user knows.
    link.openReason = LINK_OPEN_OK;
    link.openErrno = 0;
    link.openDevice = candidates.empty() ? link.port : candidates.front();
    if (candidates.empty())
        link.openReason = LINK_OPEN_NO_DEVICE;
    for (size_t i = 0; i < candidates.size(); ++i) {
        OpenFailure failure = OpenFailure::None;
        link.fd = openSerialDevice(candidates[i], link.baud, &failure);
        if (link.fd >= 0) {
            link.openReason = LINK_OPEN_OK;
            link.openErrno = 0;
            link.openDevice = candidates[i];
            break;
        }
        if (i == 0) {
            link.openErrno = errno;
            link.openReason = openReasonFor(failure);
        }
    }
    if (link.fd < 0)
        return LINK_ERR_NO_DEVICE;

    link.seq = initialSeq();
    Frame frame;
    std::optional<wire::ConnectAnswer> answer;
    const auto payload = wire::connectPayload(secret);
    int32_t result = exchange(link, Type::Connect, payload, frame, [&](const Frame& f) {
        answer = wire::decodeConnectAnswer(f);
        return answer.has_value();
    });
    if (result == LINK_OK && answer->version != wire::kProtocolVersion)
        result = LINK_ERR_PROTOCOL;
    if (result == LINK_OK)
        result = resultFor(answer->status);
    if (result != LINK_OK) {
        closeDevice(link);
        return result;
    }
    link.connected = true;
    return LINK_OK;
}

// A voice file as read before anything is sent.
struct VoiceFile {
    std::string name; // as the unit stores it: the file name without its folder
    std::vector<uint8_t> bytes;
};

int32_t readVoiceFile(const char* path, VoiceFile& file) {
    if (!path || !*path)
        return LINK_ERR_FILE;
    const std::string_view fullName(path);
    const size_t slash = fullName.rfind('/');
    file.name =
        std::string(slash == std::string_view::npos ? fullName : fullName.substr(slash + 1));
    if (!wire::isValidVoiceName(file.name))
        return LINK_ERR_FILE;
    // Only a regular file is read: opening a pipe would wait for a writer.
    struct stat info {};
    if (::stat(path, &info) != 0 || !S_ISREG(info.st_mode))
        return LINK_ERR_FILE;
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return LINK_ERR_FILE;
    int32_t result = LINK_OK;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<uint64_t>(info.st_size) > wire::kMaxVoiceFileSize) {
        result = LINK_ERR_FILE;
    } else {
        file.bytes.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (done < file.bytes.size()) {
            const ssize_t n = ::read(fd, file.bytes.data() + done, file.bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                result = LINK_ERR_FILE; // the file shrank or cannot be read
                break;
            }
            done += static_cast<size_t>(n);
        }
    }
    ::close(fd);
    return result;
}

class ProgressReporter {
public:
    ProgressReporter(LinkProgressCallback callback, intptr_t context, uint64_t total)
        : callback_(callback), context_(context), total_(total) {}

    void report(uint64_t sent) {
        const int32_t position =
            total_ == 0 ? 0 : static_cast<int32_t>(std::min<uint64_t>(sent * 100 / total_, 100));
        emit(position);
    }
    void finish() { emit(100); }

private:
    void emit(int32_t position) {
        if (position == last_)
            return;
        last_ = position;
        if (callback_)
            callback_(context_, position);
    }

    LinkProgressCallback callback_;
    intptr_t context_;
    uint64_t total_;
    int32_t last_ = -1;
};

int32_t uploadVoice(Link& link, int32_t count, const char* const* fileNames,
                    LinkProgressCallback progress, intptr_t context) {
    if (count < 0 || (count > 0 && !fileNames))
        return LINK_ERR_BAD_ARGUMENT;
    if (!link.connected)
        return LINK_ERR_NOT_CONNECTED;

    std::vector<VoiceFile> files(static_cast<size_t>(count));
    uint64_t total = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (const int32_t result = readVoiceFile(fileNames[i], files[static_cast<size_t>(i)]))
            return result;
        total += files[static_cast<size_t>(i)].bytes.size();
    }

    ProgressReporter reporter(progress, context, total);
    reporter.report(0);
    // The callback may close the link; the next request then reports it.
    uint64_t sent = 0;
    for (const auto& file : files) {
        const auto size = static_cast<uint32_t>(file.bytes.size());
        if (const int32_t result =
                simpleRequest(link, Type::VoiceOpen, wire::voiceOpenPayload(size, file.name)))
            return result;
        for (uint32_t offset = 0; offset < size;) {
            const uint32_t length =
                std::min<uint32_t>(size - offset, static_cast<uint32_t>(wire::kMaxVoiceChunk));
            const auto chunk = std::span(file.bytes).subspan(offset, length);
            if (const int32_t result =
                    simpleRequest(link, Type::VoiceData, wire::voiceDataPayload(offset, chunk)))
                return result;
            offset += length;
            sent += length;
            reporter.report(sent);
        }
        if (const int32_t result = simpleRequest(
                link, Type::VoiceClose, wire::voiceClosePayload(wire::crc32Of(file.bytes))))
            return result;
    }
    reporter.finish();
    return LINK_OK;
}

} // namespace

} // namespace velklink

using velklink::Link;
using velklink::LinkRegistry;
using velklink::wire::Type;

extern "C" {

int32_t LinkConnect(int32_t handle, const char* password) {
    return velklink::onLink(handle, [&](Link& link) { return velklink::connect(link, password); });
}

int32_t LinkQueryUnit(int32_t handle, int32_t* model, int32_t* firmware) {
    return velklink::onLink(handle, [&](Link& link) {
        if (!link.connected)
            return int32_t{LINK_ERR_NOT_CONNECTED};
        velklink::wire::Frame frame;
        std::optional<velklink::wire::QueryAnswer> answer;
        int32_t result = velklink::exchange(link, Type::Query, {}, frame, [&](const auto& f) {
            answer = velklink::wire::decodeQueryAnswer(f);
            return answer.has_value();
        });
        if (result != LINK_OK)
            return result;
        result = velklink::resultFor(answer->status);
        if (result == LINK_OK) {
            if (model)
                *model = answer->model;
            if (firmware)
                *firmware = answer->firmware;
        }
        return result;
    });
}

int32_t LinkPrepareTransfer(int32_t handle) {
    return velklink::onLink(
        handle, [&](Link& link) { return velklink::simpleRequest(link, Type::Prepare); });
}

int32_t LinkWriteRegister(int32_t handle, int32_t reg, const unsigned char* slot, int32_t,
                          int32_t) {
    return velklink::onLink(handle, [&](Link& link) {
        if (!velklink::wire::validRegister(reg) || !slot)
            return int32_t{LINK_ERR_BAD_ARGUMENT};
        const auto payload = velklink::wire::writeRegisterPayload(
            reg, std::span<const uint8_t, velklink::wire::kRegisterSize>(
                     slot, velklink::wire::kRegisterSize));
        return velklink::simpleRequest(link, Type::WriteRegister, payload);
    });
}

int32_t LinkReadRegister(int32_t handle, int32_t reg, unsigned char* slot, int32_t* length,
                         int32_t) {
    return velklink::onLink(handle, [&](Link& link) {
        if (!velklink::wire::validRegister(reg) || !slot)
            return int32_t{LINK_ERR_BAD_ARGUMENT};
        if (!link.connected)
            return int32_t{LINK_ERR_NOT_CONNECTED};
        velklink::wire::Frame frame;
        std::optional<velklink::wire::ReadRegisterAnswer> answer;
        const auto payload = velklink::wire::readRegisterPayload(reg);
        int32_t result =
            velklink::exchange(link, Type::ReadRegister, payload, frame, [&](const auto& f) {
                answer = velklink::wire::decodeReadRegisterAnswer(f);
                return answer.has_value() && answer->reg == reg;
            });
        if (result != LINK_OK)
            return result;
        result = velklink::resultFor(answer->status);
        if (result == LINK_OK) {
            std::copy(answer->slot.begin(), answer->slot.end(), slot);
            if (length)
                *length = static_cast<int32_t>(velklink::wire::kRegisterSize);
        }
        return result;
    });
}

int32_t LinkFinishTransfer(int32_t handle) {
    return velklink::onLink(
        handle, [&](Link& link) { return velklink::simpleRequest(link, Type::Finish); });
}

int32_t LinkSetClock(int32_t handle, const unsigned char* record) {
    return velklink::onLink(handle, [&](Link& link) {
        if (!record)
            return int32_t{LINK_ERR_BAD_ARGUMENT};
        const auto payload = velklink::wire::setClockPayload(
            std::span<const uint8_t, velklink::wire::kClockRecordSize>(
                record, velklink::wire::kClockRecordSize));
        return velklink::simpleRequest(link, Type::SetClock, payload);
    });
}

int32_t LinkUploadVoice(int32_t handle, int32_t count, const char* const* fileNames,
                        LinkProgressCallback progress, intptr_t context) {
    return velklink::onLink(handle, [&](Link& link) {
        return velklink::uploadVoice(link, count, fileNames, progress, context);
    });
}

int32_t LinkGetOpenError(int32_t handle, int32_t* reason, int32_t* osError, char* device,
                         int32_t deviceSize) {
    return velklink::LinkRegistry::instance().with(handle, [&](Link& link) {
        if (reason)
            *reason = link.openReason;
        if (osError)
            *osError = link.openErrno;
        if (device && deviceSize > 0) {
            const size_t length =
                std::min(link.openDevice.size(), static_cast<size_t>(deviceSize) - 1);
            std::copy_n(link.openDevice.data(), length, device);
            device[length] = '\0';
        }
        return int32_t{LINK_OK};
    });
}

} // extern "C"
