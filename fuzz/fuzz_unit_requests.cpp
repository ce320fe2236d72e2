// The simulator's side: whatever a host sends goes through the same decoding
// and handling as in velk-unit-sim, with its state in a scratch folder. It must
// never crash, and every request must get a well-formed answer.
#include "FuzzStream.h"
#include "LinkWire.h"
#include "UnitState.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace wire = velklink::wire;

namespace {

const std::string& stateDir() {
    static const std::string dir = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/fuzz_unit.XXXXXX";
        if (!::mkdtemp(pattern.data()))
            std::abort();
        return pattern;
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velksim::UnitFaults faults;
    if (size > 0 && (data[0] & 2))
        faults.failWriteRegister = 40;
    velksim::UnitState unit(stateDir(), faults);
    std::string error;
    if (!unit.open(error))
        std::abort();
    const auto stream = fuzzstream::streamFrom(data, size, false);
    fuzzstream::decodeInPieces(stream, [&](const wire::Frame& frame) {
        const auto answer = unit.handle(frame);
        if ((frame.type & wire::kAnswerBit) != 0) {
            if (answer)
                std::abort(); // a unit never answers an answer
            return;
        }
        if (!answer)
            std::abort();
        wire::FrameDecoder check;
        check.feed(*answer);
        const auto decoded = check.next();
        if (!decoded || decoded->seq != frame.seq ||
            decoded->type != (frame.type | wire::kAnswerBit) || decoded->payload.empty())
            std::abort();
    });
    return 0;
}
