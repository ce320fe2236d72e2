// The archive file behind a write buffer. Every byte of the archive goes
// through Write; the buffer is handed to the file when it fills, on Flush and
// before any seek. Owns the file and the buffer.
#pragma once

#include "AutoBuffer.h"
#include "BigFile.h"

#include <cstdint>
#include <string>

class CZipStorage {
public:
    static constexpr std::size_t kWriteBufferSize = 0xFFFF;

    // Creates (or truncates) the archive file. Spanning is not supported: the
    // volume size is ignored and the archive is always a single file.
    void Open(const std::string& path, int mode, int volumeSize);
    // The at-once flag matters only to spanned archives, where a record must
    // not be split over volumes.
    void Write(const void* data, std::size_t count, bool atOnce);
    void Flush();
    // Offset of the next byte written, counting the buffered bytes.
    std::uint64_t Position() const;
    // 0 = not spanned, 1 = creating a spanned archive, -1 = reading one.
    int SpanState() const { return m_spanMode; }
    void SeekToEnd();
    void Seek(std::uint64_t offset);
    // Drops everything from the offset on, buffered or written, and moves there.
    void Truncate(std::uint64_t offset);
    void Close(bool afterException);

    bool IsOpen() const { return m_currentVolume != -1; }
    int CurrentVolume() const { return m_currentVolume; }
    const std::string& GetFilePath() const { return m_file.GetFilePath(); }
    std::uint64_t BytesWritten() const { return m_bytesWritten; }

    CBigFile m_file;

private:
    int m_spanMode = 0;
    std::size_t m_bytesInWriteBuffer = 0;
    CAutoBuffer m_writeBuffer;
    std::uint64_t m_bytesWritten = 0;
    int m_currentVolume = -1;
};
