// A file descriptor with 64-bit seeking that reports every failure as a
// CFileException naming the file. It owns the descriptor and closes it on
// destruction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CBigFile {
public:
    enum class Mode {
        // Read only, with a shared advisory lock: fails while another writer
        // holds the file's exclusive lock.
        ReadShareDenyWrite,
        // Read-write; created if missing, truncated after an exclusive
        // advisory lock is taken, so a file another writer holds is left alone.
        // A symbolic link is refused (ELOOP), never written through.
        CreateExclusive,
    };

    CBigFile() = default;
    ~CBigFile();
    CBigFile(const CBigFile&) = delete;
    CBigFile& operator=(const CBigFile&) = delete;

    void Open(const std::string& path, Mode mode);
    // Fills the buffer unless the end of the file comes first; returns the count read.
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);
    std::uint64_t Seek(std::uint64_t offset);
    std::uint64_t SeekToEnd();
    std::uint64_t GetPosition() const;
    void SetLength(std::uint64_t length);
    void Close();
    // Closes without reporting errors, for paths that are already failing.
    void Abort() noexcept;

    bool IsOpen() const { return m_fd >= 0; }
    const std::string& GetFilePath() const { return m_path; }

private:
    int m_fd = -1;
    std::string m_path;
};
