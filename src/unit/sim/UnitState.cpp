#include "UnitState.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velksim {

namespace wire = velklink::wire;
using wire::Status;
using wire::Type;

namespace {

constexpr off_t kImageSize = wire::kRegisterCount * wire::kRegisterSize;
constexpr uint16_t kModel = 1;
constexpr uint16_t kFirmware = 0x0102;

// Runs pread or pwrite until the whole range is done; a short transfer that
// makes no progress is a failure.
template <typename Io, typename Bytes>
bool transferWhole(Io io, int fd, Bytes data, size_t size, off_t offset) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = io(fd, data + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool writeWhole(int fd, const uint8_t* data, size_t size, off_t offset) {
    return transferWhole(::pwrite, fd, data, size, offset);
}

bool readWhole(int fd, uint8_t* data, size_t size, off_t offset) {
    return transferWhole(::pread, fd, data, size, offset);
}

// Replaces a file as a whole, so a reader never sees half of it.
bool replaceFile(const std::string& path, const uint8_t* data, size_t size) {
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = writeWhole(fd, data, size, 0) && ::fsync(fd) == 0;
    ::close(fd);
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

// Offsets: year (2 bytes, low first), month, day, an unused byte, hour,
// minute, second. The day must exist in its month.
bool validClock(const std::array<uint8_t, wire::kClockRecordSize>& r) {
    const int year = r[0] | (r[1] << 8);
    if (year < 1980 || year > 2099 || r[2] < 1 || r[2] > 12 || r[3] < 1)
        return false;
    static constexpr int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    const int inMonth = r[2] == 2 && !leap ? 28 : days[r[2] - 1];
    return r[3] <= inMonth && r[5] <= 23 && r[6] <= 59 && r[7] <= 59;
}

} // namespace

UnitState::UnitState(std::string stateDir, UnitFaults faults)
    : stateDir_(std::move(stateDir)), faults_(faults) {}

UnitState::~UnitState() {
    abandonVoiceFile();
    if (registersFd_ >= 0)
        ::close(registersFd_);
}

std::string UnitState::path(const std::string& name) const {
    return stateDir_ + "/" + name;
}

// One file at a time arrives, so one fixed name serves: it fits the file-name
// limit whatever the voice name's length, and as names starting with a dot are
// refused on the wire it never clashes with a stored file.
std::string UnitState::partialVoicePath() const {
    return path("voice/.incoming.part");
}

bool UnitState::open(std::string& error) {
    if (::mkdir(stateDir_.c_str(), 0755) != 0 && errno != EEXIST) {
        error = "cannot create " + stateDir_ + ": " + std::strerror(errno);
        return false;
    }
    if (::mkdir(path("voice").c_str(), 0755) != 0 && errno != EEXIST) {
        error = "cannot create " + path("voice") + ": " + std::strerror(errno);
        return false;
    }
    const std::string image = path("registers.QRB");
    registersFd_ = ::open(image.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (registersFd_ < 0) {
        error = "cannot open " + image + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(registersFd_, &info) != 0) {
        error = "cannot examine " + image + ": " + std::strerror(errno);
        return false;
    }
    // A fresh unit has 87 empty registers; any other size is not ours to repair.
    if (info.st_size == 0 && ::ftruncate(registersFd_, kImageSize) != 0) {
        error = "cannot size " + image + ": " + std::strerror(errno);
        return false;
    }
    if (info.st_size != 0 && info.st_size != kImageSize) {
        error = image + " has " + std::to_string(info.st_size) + " bytes, expected " +
                std::to_string(kImageSize);
        return false;
    }
    return true;
}

std::optional<std::vector<uint8_t>> UnitState::handle(const wire::Frame& frame) {
    if (frame.type & wire::kAnswerBit)
        return std::nullopt;
    const uint32_t payloadCrc = wire::crc32Of(frame.payload);
    if (last_.valid && frame.type != static_cast<uint8_t>(Type::Connect) &&
        frame.type == last_.type && frame.seq == last_.seq && payloadCrc == last_.payloadCrc)
        return last_.frame;
    const auto payload = carryOut(frame);
    last_.valid = true;
    last_.type = frame.type;
    last_.seq = frame.seq;
    last_.payloadCrc = payloadCrc;
    last_.frame = wire::encodeFrame(frame.type | wire::kAnswerBit, frame.seq, payload);
    return last_.frame;
}

std::vector<uint8_t> UnitState::carryOut(const wire::Frame& frame) {
    const auto request = wire::decodeRequest(frame);
    if (!request) {
        if (frame.type == static_cast<uint8_t>(Type::Connect))
            return wire::connectAnswerPayload(Status::BadRequest);
        if (frame.type == static_cast<uint8_t>(Type::ReadRegister))
            return {static_cast<uint8_t>(Status::BadRequest), 1};
        return wire::statusPayload(Status::BadRequest);
    }
    return carryOut(*request);
}

std::vector<uint8_t> UnitState::carryOut(const wire::Request& request) {
    if (const auto* connect = std::get_if<wire::ConnectRequest>(&request)) {
        abandonVoiceFile();
        prepared_ = false;
        connected_ = false;
        if (connect->version != wire::kProtocolVersion)
            return wire::connectAnswerPayload(Status::BadRequest);
        if (faults_.password)
            return wire::connectAnswerPayload(Status::Password);
        connected_ = true;
        return wire::connectAnswerPayload(Status::Ok);
    }
    if (const auto* read = std::get_if<wire::ReadRegisterRequest>(&request)) {
        Status status = Status::Ok;
        std::array<uint8_t, wire::kRegisterSize> slot{};
        if (!connected_)
            status = Status::NoSession;
        else if (!prepared_)
            status = Status::NotPrepared;
        else if (read->reg == faults_.failReadRegister ||
                 !readWhole(registersFd_, slot.data(), slot.size(),
                            static_cast<off_t>(read->reg - 1) * wire::kRegisterSize))
            status = Status::ReadFailed;
        return wire::readRegisterAnswerPayload(status, read->reg, slot);
    }
    if (!connected_) {
        if (std::holds_alternative<wire::QueryRequest>(request))
            return wire::queryAnswerPayload(Status::NoSession, 0, 0);
        return wire::statusPayload(Status::NoSession);
    }
    if (std::holds_alternative<wire::QueryRequest>(request))
        return wire::queryAnswerPayload(Status::Ok, kModel, kFirmware);
    if (std::holds_alternative<wire::PrepareRequest>(request)) {
        abandonVoiceFile();
        prepared_ = true;
        return wire::statusPayload(Status::Ok);
    }
    if (const auto* clock = std::get_if<wire::SetClockRequest>(&request))
        return wire::statusPayload(setClock(*clock));
    // Everything below belongs to a transfer.
    if (!prepared_)
        return wire::statusPayload(Status::NotPrepared);
    if (std::holds_alternative<wire::FinishRequest>(request)) {
        abandonVoiceFile();
        prepared_ = false;
        return wire::statusPayload(::fsync(registersFd_) == 0 ? Status::Ok : Status::WriteFailed);
    }
    if (const auto* write = std::get_if<wire::WriteRegisterRequest>(&request))
        return wire::statusPayload(writeRegister(*write));
    if (const auto* open = std::get_if<wire::VoiceOpenRequest>(&request))
        return wire::statusPayload(voiceOpen(*open));
    if (const auto* data = std::get_if<wire::VoiceDataRequest>(&request))
        return wire::statusPayload(voiceData(*data));
    if (const auto* close = std::get_if<wire::VoiceCloseRequest>(&request))
        return wire::statusPayload(voiceClose(*close));
    return wire::statusPayload(Status::BadRequest);
}

Status UnitState::writeRegister(const wire::WriteRegisterRequest& request) {
    if (request.reg == faults_.failWriteRegister)
        return Status::WriteFailed;
    // The image holds the register before the answer says it does.
    const off_t offset = static_cast<off_t>(request.reg - 1) * wire::kRegisterSize;
    auto slot = request.slot;
    if (request.reg == faults_.alterRegister)
        slot[0] ^= 0x01; // a unit that keeps something other than it was sent
    return writeWhole(registersFd_, slot.data(), slot.size(), offset) ? Status::Ok
                                                                      : Status::WriteFailed;
}

Status UnitState::setClock(const wire::SetClockRequest& request) {
    if (!validClock(request.record))
        return Status::BadRequest;
    return replaceFile(path("clock.bin"), request.record.data(), request.record.size())
               ? Status::Ok
               : Status::WriteFailed;
}

Status UnitState::voiceOpen(const wire::VoiceOpenRequest& request) {
    abandonVoiceFile();
    voice_.fd = ::open(partialVoicePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (voice_.fd < 0)
        return Status::VoiceFailed;
    voice_.name = request.name;
    voice_.size = request.size;
    voice_.received = 0;
    voice_.crc = wire::crc32Of({});
    return Status::Ok;
}

Status UnitState::voiceData(const wire::VoiceDataRequest& request) {
    if (voice_.fd < 0 || request.offset != voice_.received ||
        request.data.size() > voice_.size - voice_.received)
        return Status::BadRequest;
    if (!writeWhole(voice_.fd, request.data.data(), request.data.size(), request.offset)) {
        abandonVoiceFile();
        return Status::VoiceFailed;
    }
    voice_.received += static_cast<uint32_t>(request.data.size());
    voice_.crc = wire::crc32Of(request.data, voice_.crc);
    return Status::Ok;
}

Status UnitState::voiceClose(const wire::VoiceCloseRequest& request) {
    if (voice_.fd < 0)
        return Status::BadRequest;
    const bool complete = voice_.received == voice_.size && voice_.crc == request.crc;
    const bool stored = complete && ::fsync(voice_.fd) == 0;
    ::close(voice_.fd);
    voice_.fd = -1;
    const std::string partial = partialVoicePath();
    if (!stored || ::rename(partial.c_str(), path("voice/" + voice_.name).c_str()) != 0) {
        ::unlink(partial.c_str());
        return Status::VoiceFailed;
    }
    if (FILE* log = std::fopen(path("voice.log").c_str(), "a")) {
        std::fprintf(log, "%s\n", voice_.name.c_str());
        std::fclose(log);
    }
    return Status::Ok;
}

void UnitState::abandonVoiceFile() {
    if (voice_.fd < 0)
        return;
    ::close(voice_.fd);
    voice_.fd = -1;
    ::unlink(partialVoicePath().c_str());
}

} // namespace velksim
