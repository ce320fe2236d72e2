#include "FileHeader.h"

#include "ZipFormat.h"
#include "ZipStorage.h"

#include <algorithm>
#include <cstring>
#include <vector>

using zipformat::Put16;
using zipformat::Put32;

namespace {

void PutBytes(std::vector<unsigned char>& out, const void* data, std::size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    out.insert(out.end(), bytes, bytes + count);
}

// The fields that the local header and the central record share, in order.
void PutSharedFields(std::vector<unsigned char>& out, const CFileHeader& header) {
    Put16(out, header.m_versionNeeded);
    Put16(out, header.m_flag);
    Put16(out, header.m_method);
    Put16(out, header.m_modTime);
    Put16(out, header.m_modDate);
    Put32(out, header.m_crc32);
    Put32(out, header.m_compressedSize);
    Put32(out, header.m_uncompressedSize);
    Put16(out, header.m_nameLength);
    Put16(out, header.m_extraFieldLength);
}

} // namespace

bool CFileHeader::PrepareForWrite(int level, bool spanned) {
    m_signature = kCentralSignature;
    m_versionMadeBy = kVersion;
    m_versionNeeded = kVersion;
    if (m_method != kMethodDeflated && m_method != kMethodStored)
        m_method = kMethodDeflated;

    // Bits 1 and 2 tell readers which deflate option was used.
    m_flag = 0;
    if (m_method == kMethodDeflated) {
        switch (level) {
        case 1:
            m_flag = 6;
            break;
        case 2:
            m_flag = 4;
            break;
        case 8:
        case 9:
            m_flag = 2;
            break;
        default:
            break;
        }
    }
    if (spanned)
        m_flag |= 8;

    m_crc32 = 0;
    m_compressedSize = 0;
    m_uncompressedSize = 0;

    if (m_name.size() > kMaxFieldLength)
        return false;
    m_nameLength = static_cast<std::uint16_t>(m_name.size());
    m_extraFieldLength =
        static_cast<std::uint16_t>(std::min<std::size_t>(m_extraField.GetSize(), kMaxFieldLength));
    if (m_comment.size() > kMaxFieldLength)
        m_comment.resize(kMaxFieldLength);
    m_commentLength = static_cast<std::uint16_t>(m_comment.size());
    return true;
}

void CFileHeader::WriteLocalHeader(CZipStorage& storage) {
    std::vector<unsigned char> record;
    record.reserve(kLocalHeaderSize + m_nameLength + m_extraFieldLength);
    Put32(record, kLocalSignature);
    PutSharedFields(record, *this);
    PutBytes(record, m_name.data(), m_nameLength);
    if (m_extraFieldLength != 0)
        PutBytes(record, m_extraField.GetBuffer(), m_extraFieldLength);
    storage.Write(record.data(), record.size(), true);

    // The central record carries no extra field.
    m_extraField.Release();
    m_extraFieldLength = 0;
    m_volumeStart = static_cast<std::uint16_t>(storage.CurrentVolume());
    m_localHeaderOffset = static_cast<std::uint32_t>(storage.Position() - record.size());
}

std::uint32_t CFileHeader::WriteCentralHeader(CZipStorage& storage) {
    std::vector<unsigned char> record;
    record.reserve(kCentralHeaderSize + m_nameLength + m_extraFieldLength + m_commentLength);
    Put32(record, m_signature);
    Put16(record, m_versionMadeBy);
    PutSharedFields(record, *this);
    Put16(record, m_commentLength);
    Put16(record, m_volumeStart);
    Put16(record, m_internalAttr);
    Put32(record, m_externalAttr);
    Put32(record, m_localHeaderOffset);
    PutBytes(record, m_name.data(), m_nameLength);
    if (m_extraFieldLength != 0)
        PutBytes(record, m_extraField.GetBuffer(), m_extraFieldLength);
    if (m_commentLength != 0)
        PutBytes(record, m_comment.data(), m_commentLength);
    storage.Write(record.data(), record.size(), true);
    return static_cast<std::uint32_t>(record.size());
}

void CFileHeader::SetModTime(std::time_t fileTime) {
    std::tm local{};
    if (localtime_r(&fileTime, &local) == nullptr) {
        m_modDate = (1 << 5) | 1; // 1 January 1980, for a time the C library cannot convert
        m_modTime = 0;
        return;
    }
    const int year = local.tm_year + 1900;
    // Seven bits of years from 1980: earlier years get 0, later than 2107 are held at 127.
    const int yearBits = year <= 1980 ? 0 : std::min(year - 1980, 127);
    m_modDate =
        static_cast<std::uint16_t>((yearBits << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    m_modTime = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) |
                                           (local.tm_sec / 2));
}
