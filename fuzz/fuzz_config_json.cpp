// import's reading of a configuration as JSON: any bytes are refused with a
// reason or give registers that show and import back unchanged; and any
// register image comes back byte for byte through show --json and import.
#include "config/ConfigJson.h"

#include <algorithm>
#include <cstdlib>

namespace {

void roundTrip(const RegisterStore& store) {
    const ConfigFromJson back = configFromJson(configToJson(store));
    if (!back.store || !(*back.store == store))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ConfigFromJson parsed = configFromJson(bytes);
    if (parsed.store)
        roundTrip(*parsed.store);
    else if (parsed.error.isEmpty())
        std::abort();

    // The same bytes as part of a register image, placed by the first two.
    if (size < 2)
        return 0;
    RegisterStore image;
    const size_t offset = (size_t(data[0]) << 8 | data[1]) % RegisterStore::ImageSize;
    const size_t count = std::min(size - 2, RegisterStore::ImageSize - offset);
    std::copy(data + 2, data + 2 + count, image.data() + offset);
    roundTrip(image);
    return 0;
}
