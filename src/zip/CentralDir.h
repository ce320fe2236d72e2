// The archive's list of entry headers, in the order the entries were added,
// and the end-of-central-directory record. Owns the headers; the storage is
// the archive's and only borrowed.
#pragma once

#include "FileHeader.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CZipStorage;

class CCentralDir {
public:
    static constexpr std::uint32_t kEndSignature = 0x06054B50;
    static constexpr std::size_t kEndRecordSize = 22;
    static constexpr std::size_t kPatchOffset = 14; // of CRC and sizes in the local header

    explicit CCentralDir(CZipStorage& storage) : m_storage(&storage) {}

    void Init();
    // Appends a copy of the header as the open entry and moves to the end of the file.
    void AddHeader(const CFileHeader& header);
    // Patches the open entry's local header with its CRC and sizes.
    void FinishEntry();
    // Drops the open entry's header (the caller removes its bytes).
    void RemoveOpenHeader();
    // Writes the central directory records and the end record at the end of the file.
    void Write();
    void WriteHeaders();
    std::uint32_t WriteEnd();
    void Clear();

    CFileHeader* OpenHeader() { return m_openHeader; }
    std::size_t Count() const { return m_headers.size(); }
    const CFileHeader& Header(std::size_t index) const { return *m_headers[index]; }

    // End record fields.
    std::uint16_t m_thisVolume = 0;
    std::uint16_t m_volumeWithCentralDir = 0;
    std::uint16_t m_entriesOnThisVolume = 0;
    std::uint16_t m_totalEntries = 0;
    std::uint32_t m_centralDirSize = 0;
    std::uint32_t m_centralDirOffset = 0;
    std::uint16_t m_commentLength = 0;
    std::string m_comment;

private:
    CFileHeader* m_openHeader = nullptr;
    CZipStorage* m_storage;
    std::uint32_t m_bytesBeforeArchive = 0;
    bool m_onDisk = false;
    std::vector<std::unique_ptr<CFileHeader>> m_headers;
    bool m_descriptorMode = false;
};
