// The compressor state of the entry being written: the zlib stream and the
// output buffer its compressed bytes collect in before they go to the storage.
#pragma once

#include "AutoBuffer.h"

#include <cstdint>
#include <zlib.h>

struct CZipInternalInfo {
    static constexpr std::uint32_t kBufferSize = 16384;

    z_stream m_stream{};
    std::uint32_t m_pending = 0; // compressed bytes waiting in m_buffer
    CAutoBuffer m_buffer;        // allocated while an entry is open
    bool m_deflateActive = false;
};
