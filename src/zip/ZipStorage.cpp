#include "ZipStorage.h"

#include <algorithm>
#include <cstring>

void CZipStorage::Open(const std::string& path, int /*mode*/, int /*volumeSize*/) {
    m_writeBuffer.Allocate(kWriteBufferSize);
    m_bytesInWriteBuffer = 0;
    m_bytesWritten = 0;
    m_spanMode = 0;
    try {
        m_file.Open(path, CBigFile::Mode::CreateExclusive);
    } catch (...) {
        m_writeBuffer.Release();
        throw;
    }
    m_currentVolume = 0;
}

void CZipStorage::Write(const void* data, std::size_t count, bool /*atOnce*/) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (count > 0) {
        const std::size_t room = kWriteBufferSize - m_bytesInWriteBuffer;
        const std::size_t chunk = std::min(room, count);
        std::memcpy(m_writeBuffer.GetBuffer() + m_bytesInWriteBuffer, bytes, chunk);
        m_bytesInWriteBuffer += chunk;
        bytes += chunk;
        count -= chunk;
        if (m_bytesInWriteBuffer == kWriteBufferSize)
            Flush();
    }
}

void CZipStorage::Flush() {
    if (m_bytesInWriteBuffer == 0)
        return;
    m_file.Write(m_writeBuffer.GetBuffer(), m_bytesInWriteBuffer);
    m_bytesWritten += m_bytesInWriteBuffer;
    m_bytesInWriteBuffer = 0;
}

std::uint64_t CZipStorage::Position() const {
    return m_file.GetPosition() + m_bytesInWriteBuffer;
}

void CZipStorage::SeekToEnd() {
    Flush();
    m_file.SeekToEnd();
}

void CZipStorage::Seek(std::uint64_t offset) {
    Flush();
    m_file.Seek(offset);
}

void CZipStorage::Truncate(std::uint64_t offset) {
    const std::uint64_t onDisk = m_file.GetPosition();
    m_bytesInWriteBuffer = offset >= onDisk ? static_cast<std::size_t>(std::min<std::uint64_t>(
                                                  m_bytesInWriteBuffer, offset - onDisk))
                                            : 0;
    Flush();
    if (m_file.SeekToEnd() > offset)
        m_file.SetLength(offset);
    m_file.Seek(offset);
}

void CZipStorage::Close(bool afterException) {
    if (afterException) {
        m_file.Abort();
    } else {
        Flush();
        m_file.Close();
    }
    m_writeBuffer.Release();
    m_bytesInWriteBuffer = 0;
    m_currentVolume = -1;
    m_spanMode = 0;
}
