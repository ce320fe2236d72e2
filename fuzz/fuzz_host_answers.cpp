// The link library's side: whatever a unit sends must decode to well-formed
// answers or be rejected, never crash or read out of bounds.
#include "FuzzStream.h"
#include "LinkWire.h"

#include <cstdlib>

namespace wire = velklink::wire;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto stream = fuzzstream::streamFrom(data, size, true);
    fuzzstream::decodeInPieces(stream, [](const wire::Frame& frame) {
        if (frame.payload.size() > wire::kMaxPayload)
            std::abort();
        if (auto answer = wire::decodeConnectAnswer(frame); answer && frame.payload.size() != 2)
            std::abort();
        if (auto answer = wire::decodeQueryAnswer(frame);
            answer && answer->status != wire::Status::Ok && frame.payload.size() != 1)
            std::abort();
        if (auto answer = wire::decodeReadRegisterAnswer(frame);
            answer && (answer->reg < 1 || answer->reg > wire::kRegisterCount))
            std::abort();
        for (uint8_t type = 1; type <= 0x0A; ++type)
            (void)wire::decodeStatusAnswer(frame, static_cast<wire::Type>(type));
    });
    return 0;
}
