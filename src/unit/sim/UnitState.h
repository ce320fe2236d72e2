// The simulated unit's memory and its answers to requests. Everything it is
// told to keep lives in its state folder: the register image registers.QRB,
// the last clock record clock.bin, received voice files under voice/ (and
// their arrival order in voice.log), so a restarted simulator carries on.
#pragma once

#include "LinkWire.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velksim {

struct UnitFaults {
    bool password = false;     // Connect answers "password protected"
    int failWriteRegister = 0; // writes of this register fail (0: none)
    int failReadRegister = 0;  // reads of this register fail (0: none)
    int alterRegister = 0;     // writes of this register succeed but keep a changed slot
};

class UnitState {
public:
    UnitState(std::string stateDir, UnitFaults faults);
    ~UnitState();
    UnitState(const UnitState&) = delete;
    UnitState& operator=(const UnitState&) = delete;

    // Prepares the state folder; false with a message when it cannot be used.
    bool open(std::string& error);

    // The encoded answer frame to a received frame, or nothing for a frame
    // that is itself an answer (a unit never answers those). A repeated
    // request, as sent after a lost answer, gets the same answer again and is
    // not carried out twice.
    std::optional<std::vector<uint8_t>> handle(const velklink::wire::Frame& frame);

private:
    std::vector<uint8_t> carryOut(const velklink::wire::Frame& frame);
    std::vector<uint8_t> carryOut(const velklink::wire::Request& request);
    velklink::wire::Status writeRegister(const velklink::wire::WriteRegisterRequest& request);
    velklink::wire::Status setClock(const velklink::wire::SetClockRequest& request);
    velklink::wire::Status voiceOpen(const velklink::wire::VoiceOpenRequest& request);
    velklink::wire::Status voiceData(const velklink::wire::VoiceDataRequest& request);
    velklink::wire::Status voiceClose(const velklink::wire::VoiceCloseRequest& request);
    void abandonVoiceFile();
    std::string path(const std::string& name) const;
    std::string partialVoicePath() const;

    std::string stateDir_;
    UnitFaults faults_;
    int registersFd_ = -1;
    bool connected_ = false;
    bool prepared_ = false;

    struct IncomingVoice {
        int fd = -1;
        std::string name;
        uint32_t size = 0;
        uint32_t received = 0;
        uint32_t crc = 0;
    } voice_;

    struct LastAnswer {
        bool valid = false;
        uint8_t type = 0;
        uint8_t seq = 0;
        uint32_t payloadCrc = 0;
        std::vector<uint8_t> frame;
    } last_;
};

} // namespace velksim
