// The header fields of one archive entry. The same object writes the entry's
// local header (before its data) and its central directory record (at Close).
#pragma once

#include "AutoBuffer.h"

#include <cstdint>
#include <ctime>
#include <string>

class CZipStorage;

class CFileHeader {
public:
    static constexpr std::uint32_t kLocalSignature = 0x04034B50;
    static constexpr std::uint32_t kCentralSignature = 0x02014B50;
    static constexpr std::size_t kLocalHeaderSize = 30;
    static constexpr std::size_t kCentralHeaderSize = 46;
    static constexpr std::uint16_t kVersion = 20; // 2.0; high byte 0 = MS-DOS attributes
    static constexpr std::uint16_t kMethodStored = 0;
    static constexpr std::uint16_t kMethodDeflated = 8;
    static constexpr std::uint32_t kAttrReadOnly = 0x01;
    static constexpr std::uint32_t kAttrDirectory = 0x10;
    static constexpr std::uint32_t kAttrArchive = 0x20;
    static constexpr std::size_t kMaxFieldLength = 0xFFFF;

    // Sets the fixed fields and the general-purpose flag for the level, and
    // zeroes CRC and sizes. False when the name is too long for its 16-bit length.
    bool PrepareForWrite(int level, bool spanned);
    // Writes the local header (CRC and sizes as they are now, normally 0) and
    // records where it went. The extra field is dropped afterwards.
    void WriteLocalHeader(CZipStorage& storage);
    // Returns the record's size in bytes.
    std::uint32_t WriteCentralHeader(CZipStorage& storage);
    // MS-DOS date and time of the moment in local time.
    void SetModTime(std::time_t fileTime);

    bool IsDirectory() const { return (m_externalAttr & kAttrDirectory) != 0; }

    std::uint32_t m_signature = kCentralSignature;
    std::uint16_t m_versionMadeBy = 0;
    std::uint16_t m_versionNeeded = 0;
    std::uint16_t m_flag = 0;
    std::uint16_t m_method = kMethodDeflated;
    std::uint16_t m_modTime = 0;
    std::uint16_t m_modDate = 0;
    std::uint32_t m_crc32 = 0;
    std::uint32_t m_compressedSize = 0;
    std::uint32_t m_uncompressedSize = 0;
    std::uint16_t m_nameLength = 0;
    std::uint16_t m_extraFieldLength = 0;
    std::uint16_t m_commentLength = 0;
    std::uint16_t m_volumeStart = 0;
    std::uint16_t m_internalAttr = 0;
    std::uint32_t m_externalAttr = kAttrArchive;
    std::uint32_t m_localHeaderOffset = 0;
    std::string m_name; // bytes as stored
    CAutoBuffer m_extraField;
    std::string m_comment;
};
