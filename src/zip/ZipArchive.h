// Writes a zip archive (format version 2.0, raw deflate) in a single pass:
// each entry's local header is written with zero CRC and sizes and patched in
// place once its data is written; Close appends the central directory and the
// end record. Only creating a new archive is supported.
//
// Usage: Open(path), AddFile(...) for each file, Close(). The archive owns its
// file, its buffers and every block of memory zlib asks it for; destroying an
// archive that is still open frees all of that but leaves the file incomplete.
// Failures of the archive file or of a source being read raise CFileException;
// compression and format errors raise CZipException.
#pragma once

#include "CentralDir.h"
#include "FileHeader.h"
#include "ZipException.h"
#include "ZipInternalInfo.h"
#include "ZipStorage.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CZipArchive {
public:
    enum OpenMode { zipOpen = 0, zipOpenReadOnly = 1, zipCreate = 2, zipCreateSpan = 3 };

    static constexpr std::uint32_t kDefaultBufferSize = 65535;
    static constexpr std::size_t kMaxEntries = 0xFFFF;

    // Called after every chunk read from a source: bytes read so far, file size.
    using ProgressCallback = std::function<void(std::uint64_t done, std::uint64_t total)>;

    CZipArchive();
    ~CZipArchive();
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    // Creates the archive file (truncating an existing one) under an exclusive
    // advisory lock. Does nothing when an archive is already open. Only
    // zipCreate is supported; the volume size is ignored.
    void Open(const std::string& path, int mode = zipCreate, int volumeSize = 0);

    // Adds the file (or folder, as an empty stored entry) at the path under its
    // stored name. Returns false, leaving the archive as it was, when the file
    // cannot be added: buffer size 0, no such file, not a regular file or
    // folder, too large for the format, empty stored name, no archive open, an
    // entry still open, 65,535 entries reached, or the source cannot be opened.
    // A read error in the middle of the source removes the entry again and is
    // then raised as CFileException.
    bool AddFile(const std::string& path, int level = -1,
                 std::uint32_t bufferSize = kDefaultBufferSize);

    // Finishes an open entry and writes the central directory and the end
    // record. With afterException, only drops the headers and closes the file.
    void Close(bool afterException = false);

    bool IsClosed(bool archive = true) const;

    // Lower-level entry writing, used by AddFile and for data from memory.
    // BeginEntry may return false after having begun the entry, when the
    // source's status cannot be read; the entry is then open.
    bool BeginEntry(CFileHeader header, int level = -1, const std::string& sourcePath = {});
    bool WriteEntryData(const void* data, std::uint32_t count);
    bool EndEntry();
    // Abandons the open entry and cuts its bytes off the archive.
    void DiscardEntry();

    // The path without its leading root: "/home/u/x.QRB" gives "home/u/x.QRB".
    static std::string StoredName(const std::string& path);
    // Converts a UTF-8 name to code page 437; ASCII is unchanged and
    // characters the code page lacks become '_'.
    static std::string ToOemName(const std::string& name);

    // Every entry begun from a file gets this time instead of the file's own
    // modification time (for reproducible archives); nullopt restores the default.
    void SetModTimeOverride(std::optional<std::time_t> time) { m_modTimeOverride = time; }
    void SetProgressCallback(ProgressCallback callback) { m_progress = std::move(callback); }

    std::size_t GetCount() const { return m_centralDir.Count(); }
    const CFileHeader& GetHeader(std::size_t index) const { return m_centralDir.Header(index); }
    const std::string& GetArchivePath() const { return m_storage.GetFilePath(); }
    // Blocks zlib currently holds; freed by the destructor if an entry never ends.
    std::size_t TrackedZlibBlocks() const { return m_zlibBlocks.size(); }

private:
    void CheckZlibResult(int result) const;
    void FlushOutputBuffer();

    bool m_convertBackslashes = true;
    bool m_convertNamesToOem = true;
    bool m_trackZlibMemory = true;
    CZipInternalInfo m_info;
    CZipStorage m_storage;
    std::vector<unsigned char*> m_zlibBlocks;
    int m_entryState = 0; // 0 = no entry open, 1 = writing an entry
    CCentralDir m_centralDir;
    std::optional<std::time_t> m_modTimeOverride;
    ProgressCallback m_progress;
};
