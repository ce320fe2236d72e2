#include "config/ConfigFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// This file's texts, in the program's language.
struct ConfigFileText {
    Q_DECLARE_TR_FUNCTIONS(ConfigFileText)
};
} // namespace

namespace {

constexpr off_t ImageSize = off_t(RegisterStore::ImageSize);

ConfigFileResult failure(const QString& what, const QString& path, const QString& reason) {
    ConfigFileResult result;
    result.ok = false;
    result.error =
        QStringLiteral("%1 \"%2\".\n%3").arg(what, QDir::toNativeSeparators(path), reason);
    return result;
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

ConfigFileResult notSaved(const QString& path, int error) {
    return failure(ConfigFileText::tr("The configuration file could not be saved:"), path,
                   systemReason(error));
}

QString notRegularReason() {
    return ConfigFileText::tr("It is not a regular file.");
}

// A descriptor closed on every path.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    void reset(int fd) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports a late write-back failure; errno is set on false.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeWhole(int fd, const char* data, size_t size, off_t offset) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, data + done, size - done, offset + off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

// Reads up to size bytes at offset; a short count means the file ended.
ssize_t readUpTo(int fd, char* data, size_t size, off_t offset) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, data + done, size - done, offset + off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += size_t(n);
    }
    return ssize_t(done);
}

// Copies the bytes of `from` past the image into `to`, a chunk at a time.
bool copyTail(int from, int to) {
    char chunk[64 * 1024];
    for (off_t offset = ImageSize;;) {
        const ssize_t got = readUpTo(from, chunk, sizeof chunk, offset);
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!writeWhole(to, chunk, size_t(got), offset))
            return false;
        offset += got;
    }
}

ConfigFileResult createEmptyFile(const QString& path) {
    QFile file(path);
    // NewOnly: never truncate a file that exists but could not be read.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return failure(
            ConfigFileText::tr("The configuration file could neither be opened nor created:"), path,
            file.errorString());
    const QByteArray zeros(qsizetype(RegisterStore::ImageSize), '\0');
    if (file.write(zeros) != zeros.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        file.remove();
        return failure(ConfigFileText::tr("The configuration file could not be created:"), path,
                       reason);
    }
    ConfigFileResult result;
    result.created = true;
    return result;
}

// Writes the image over the start of the open file; later bytes stay.
ConfigFileResult saveInPlace(const QString& path, int fd, const RegisterStore& store) {
    const auto* image = reinterpret_cast<const char*>(store.data());
    if (!writeWhole(fd, image, RegisterStore::ImageSize, 0) || ::fsync(fd) != 0)
        return notSaved(path, errno);
    return {};
}

enum class TemporaryOutcome { Saved, NoTemporary, Failed };

// Writes image and tail into a new file beside the target and renames it over
// the target, so a failure leaves the old file whole. NoTemporary when the
// folder takes no new file (read-only, or the name leaves no room).
TemporaryOutcome saveThroughTemporary(const QByteArray& target, int existing,
                                      const struct stat* old, const RegisterStore& store,
                                      int& error) {
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : target.left(slash + 1);
    const QByteArray name = target.mid(slash + 1);
    QByteArray temporary;
    Fd out;
    for (int attempt = 0; attempt < 8 && !out.valid(); ++attempt) {
        temporary = folder + '.' + name + '.' +
                    QByteArray::number(QRandomGenerator::global()->generate(), 36);
        out.reset(::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!out.valid() && errno != EEXIST)
            break;
    }
    if (!out.valid())
        return TemporaryOutcome::NoTemporary;

    const auto* image = reinterpret_cast<const char*>(store.data());
    bool written = writeWhole(out.get(), image, RegisterStore::ImageSize, 0);
    if (written && old && old->st_size > ImageSize)
        written = copyTail(existing, out.get());
    if (written && old) {
        // The replacement must be the same file to its users: same owner and
        // mode. Where we may not give it the owner, write in place instead.
        if (::fchown(out.get(), old->st_uid, old->st_gid) != 0) {
            out.close();
            ::unlink(temporary.constData());
            return TemporaryOutcome::NoTemporary;
        }
        written = ::fchmod(out.get(), old->st_mode & 07777) == 0;
    }
    written = written && ::fsync(out.get()) == 0;
    written = out.close() && written;
    if (!written || ::rename(temporary.constData(), target.constData()) != 0) {
        error = errno;
        ::unlink(temporary.constData());
        return TemporaryOutcome::Failed;
    }
    return TemporaryOutcome::Saved;
}

} // namespace

ConfigFileResult loadConfigFile(const QString& path, RegisterStore& store, MissingFile missing) {
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT && missing == MissingFile::Create && !QFileInfo(path).isSymLink())
            return createEmptyFile(path);
        ConfigFileResult result =
            failure(ConfigFileText::tr("The configuration file could not be opened:"), path,
                    systemReason(error));
        result.missing = error == ENOENT;
        return result;
    }
    // A pipe, device or socket would block or never end: refuse it before
    // opening it.
    if (!S_ISREG(info.st_mode))
        return failure(ConfigFileText::tr("The configuration file could not be opened:"), path,
                       notRegularReason());
    Fd fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid())
        return failure(ConfigFileText::tr("The configuration file could not be opened:"), path,
                       systemReason(errno));
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) // replaced meanwhile
        return failure(ConfigFileText::tr("The configuration file could not be opened:"), path,
                       notRegularReason());

    RegisterStore loaded = store;
    for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg) {
        auto* slot = reinterpret_cast<char*>(loaded.slot(reg));
        const ssize_t got = readUpTo(fd.get(), slot, RegisterStore::SlotSize,
                                     off_t(reg - 1) * RegisterStore::SlotSize);
        if (got < 0)
            return failure(ConfigFileText::tr("The configuration file could not be read:"), path,
                           systemReason(errno));
        if (got != RegisterStore::SlotSize) {
            // Clear the whole slot, not only its first byte: registers 83 to 85
            // are read past their terminator and must not keep stale flags.
            std::memset(slot, 0, RegisterStore::SlotSize);
        }
    }
    store = loaded;
    return {};
}

ConfigFileResult saveConfigFile(const QString& path, const RegisterStore& store) {
    QByteArray target = QFile::encodeName(path);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return notSaved(path, errno);
    if (exists && !S_ISREG(old.st_mode))
        return failure(ConfigFileText::tr("The configuration file could not be saved:"), path,
                       notRegularReason());

    Fd existing;
    if (exists) {
        // Replace the file a link points to, not the link.
        if (char* real = ::realpath(target.constData(), nullptr)) {
            target = real;
            std::free(real);
        }
        // Writable in place is the test of whether we may change the file at
        // all; a read-only file is never replaced behind its owner's back.
        existing.reset(::open(target.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
        if (!existing.valid() && errno == EACCES)
            existing.reset(::open(target.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
        if (!existing.valid())
            return notSaved(path, errno);
        if (::fstat(existing.get(), &old) != 0 || !S_ISREG(old.st_mode))
            return failure(ConfigFileText::tr("The configuration file could not be saved:"), path,
                           notRegularReason());
    }

    // A file with other names keeps them only when written where it lies; so
    // does a longer file whose tail we may not read.
    const bool readable = exists && (::fcntl(existing.get(), F_GETFL) & O_ACCMODE) == O_RDWR;
    const bool inPlaceOnly = exists && (old.st_nlink > 1 || (old.st_size > ImageSize && !readable));
    if (!inPlaceOnly) {
        int error = 0;
        switch (
            saveThroughTemporary(target, existing.get(), exists ? &old : nullptr, store, error)) {
        case TemporaryOutcome::Saved:
            return {};
        case TemporaryOutcome::Failed:
            return notSaved(path, error);
        case TemporaryOutcome::NoTemporary:
            break;
        }
    }

    if (exists)
        return saveInPlace(path, existing.get(), store);
    Fd created(::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!created.valid())
        return notSaved(path, errno);
    ConfigFileResult result = saveInPlace(path, created.get(), store);
    if (!result)
        ::unlink(target.constData()); // a half-written new file is worth nothing
    return result;
}
