#include "CentralDir.h"

#include "ZipException.h"
#include "ZipFormat.h"
#include "ZipStorage.h"

#include <vector>

using zipformat::kMaxOffset;
using zipformat::Put16;
using zipformat::Put32;

void CCentralDir::Init() {
    m_onDisk = false;
    m_bytesBeforeArchive = 0;
    m_openHeader = nullptr;
    m_comment.clear();
    m_commentLength = 0;
}

void CCentralDir::AddHeader(const CFileHeader& header) {
    m_headers.push_back(std::make_unique<CFileHeader>(header));
    m_openHeader = m_headers.back().get();
    m_storage->SeekToEnd();
    m_descriptorMode = m_storage->SpanState() != 0;
}

void CCentralDir::FinishEntry() {
    if (!m_descriptorMode) {
        unsigned char patch[12];
        Put32(patch, m_openHeader->m_crc32);
        Put32(patch + 4, m_openHeader->m_compressedSize);
        Put32(patch + 8, m_openHeader->m_uncompressedSize);
        m_storage->Seek(m_openHeader->m_localHeaderOffset + kPatchOffset);
        m_storage->Write(patch, sizeof patch, true);
        m_storage->Flush();
    }
    m_openHeader->m_localHeaderOffset -= m_bytesBeforeArchive;
    m_openHeader = nullptr;
}

void CCentralDir::RemoveOpenHeader() {
    if (m_openHeader == nullptr)
        return;
    m_headers.pop_back();
    m_openHeader = nullptr;
}

void CCentralDir::Write() {
    m_storage->SeekToEnd();
    if (m_comment.size() > CFileHeader::kMaxFieldLength)
        m_comment.resize(CFileHeader::kMaxFieldLength);
    m_commentLength = static_cast<std::uint16_t>(m_comment.size());
    m_totalEntries = static_cast<std::uint16_t>(m_headers.size());
    m_centralDirSize = 0;
    WriteHeaders();
    m_thisVolume = static_cast<std::uint16_t>(m_storage->CurrentVolume());
    WriteEnd();
}

void CCentralDir::WriteHeaders() {
    m_entriesOnThisVolume = 0;
    m_volumeWithCentralDir = static_cast<std::uint16_t>(m_storage->CurrentVolume());
    const std::uint64_t start = m_storage->Position() - m_bytesBeforeArchive;
    if (start > kMaxOffset)
        ThrowZipException(CZipException::kErrorTooLargeForFormat, m_storage->GetFilePath());
    m_centralDirOffset = static_cast<std::uint32_t>(start);
    for (const auto& header : m_headers) {
        m_centralDirSize += header->WriteCentralHeader(*m_storage);
        ++m_entriesOnThisVolume;
    }
}

std::uint32_t CCentralDir::WriteEnd() {
    std::vector<unsigned char> record(kEndRecordSize + m_commentLength);
    Put32(&record[0], kEndSignature);
    Put16(&record[4], m_thisVolume);
    Put16(&record[6], m_volumeWithCentralDir);
    Put16(&record[8], m_entriesOnThisVolume);
    Put16(&record[10], m_totalEntries);
    Put32(&record[12], m_centralDirSize);
    Put32(&record[16], m_centralDirOffset);
    Put16(&record[20], m_commentLength);
    std::copy(m_comment.begin(), m_comment.begin() + m_commentLength, record.begin() + 22);
    m_storage->Write(record.data(), record.size(), true);
    return static_cast<std::uint32_t>(record.size());
}

void CCentralDir::Clear() {
    m_openHeader = nullptr;
    m_headers.clear();
    m_comment.clear();
    m_commentLength = 0;
}
