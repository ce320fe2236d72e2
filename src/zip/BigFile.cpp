#include "BigFile.h"

#include "ZipException.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

CBigFile::~CBigFile() {
    Abort();
}

void CBigFile::Open(const std::string& path, Mode mode) {
    Abort();
    const bool create = mode == Mode::CreateExclusive;
    // No O_TRUNC: the file is truncated only once its lock is ours. Never
    // through a symbolic link: the archive replaces a name, not what it points to.
    const int fd = create ? ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666)
                          : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const char* action = create ? "create" : "open";
    if (fd < 0)
        CFileException::ThrowErrno(path, action);
    if (::flock(fd, (create ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        CFileException::ThrowErrno(path, action);
    }
    struct stat status {};
    if (create &&
        (::fstat(fd, &status) != 0 || (S_ISREG(status.st_mode) && ::ftruncate(fd, 0) != 0))) {
        const int error = errno;
        ::close(fd);
        errno = error;
        CFileException::ThrowErrno(path, action);
    }
    m_fd = fd;
    m_path = path;
}

std::size_t CBigFile::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, bytes + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            CFileException::ThrowErrno(m_path, "read");
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void CBigFile::Write(const void* buffer, std::size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    while (count > 0) {
        const ssize_t n = ::write(m_fd, bytes, count);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            CFileException::ThrowErrno(m_path, "write");
        }
        if (n == 0) {
            errno = ENOSPC;
            CFileException::ThrowErrno(m_path, "write");
        }
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
}

std::uint64_t CBigFile::Seek(std::uint64_t offset) {
    const off_t position = ::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET);
    if (position < 0)
        CFileException::ThrowErrno(m_path, "seek in");
    return static_cast<std::uint64_t>(position);
}

std::uint64_t CBigFile::SeekToEnd() {
    const off_t position = ::lseek(m_fd, 0, SEEK_END);
    if (position < 0)
        CFileException::ThrowErrno(m_path, "seek in");
    return static_cast<std::uint64_t>(position);
}

std::uint64_t CBigFile::GetPosition() const {
    const off_t position = ::lseek(m_fd, 0, SEEK_CUR);
    if (position < 0)
        CFileException::ThrowErrno(m_path, "seek in");
    return static_cast<std::uint64_t>(position);
}

void CBigFile::SetLength(std::uint64_t length) {
    if (::ftruncate(m_fd, static_cast<off_t>(length)) != 0)
        CFileException::ThrowErrno(m_path, "change the length of");
}

void CBigFile::Close() {
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    // close() reports delayed write errors (for instance on network file systems).
    if (::close(fd) != 0 && errno != EINTR)
        CFileException::ThrowErrno(m_path, "close");
}

void CBigFile::Abort() noexcept {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
