#include "unit/UnitRecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// This file's texts, in the program's language.
struct UnitRecordsText {
    Q_DECLARE_TR_FUNCTIONS(UnitRecordsText)
};
} // namespace

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString safeName(const QString& name) {
    QString safe;
    for (const QChar c : name) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.');
        safe += plain ? c : QLatin1Char('_');
    }
    // No hidden file, and never "." or "..".
    for (int i = 0; i < safe.size() && safe[i] == QLatin1Char('.'); ++i)
        safe[i] = QLatin1Char('_');
    return safe.isEmpty() ? QStringLiteral("unit") : safe.left(64);
}

bool writeAllTo(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

bool checkBackupFolder(const QString& folder, QString* error) {
    const QByteArray path = QFile::encodeName(folder);
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        *error = UnitRecordsText::tr("the backup folder %1 cannot be used: %2")
                     .arg(folder, systemError(errno));
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        *error = UnitRecordsText::tr("the backup folder %1 is not a folder").arg(folder);
        return false;
    }
    if (::access(path.constData(), W_OK | X_OK) != 0) {
        *error = UnitRecordsText::tr("the backup folder %1 cannot be written to: %2")
                     .arg(folder, systemError(errno));
        return false;
    }
    return true;
}

QString writeBackup(const QString& folder, const QString& unitName, const QDateTime& when,
                    const QByteArray& image, QString* error) {
    const QString base = QDir(folder).filePath(safeName(unitName) + QLatin1Char('-') +
                                               when.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    // Written in full under a private name first; link() then gives it its
    // name only where no file is, so nothing is ever replaced or half written.
    QByteArray temporary =
        QFile::encodeName(QDir(folder).filePath(QStringLiteral(".backup-XXXXXX")));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        *error =
            UnitRecordsText::tr("cannot write a backup in %1: %2").arg(folder, systemError(errno));
        return {};
    }
    const bool written = writeAllTo(fd, image) && ::fsync(fd) == 0;
    const int writeError = errno;
    ::close(fd);
    if (!written) {
        ::unlink(temporary.constData());
        *error = UnitRecordsText::tr("cannot write a backup in %1: %2")
                     .arg(folder, systemError(writeError));
        return {};
    }
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString path = base +
                             (attempt == 1 ? QString() : QStringLiteral("-%1").arg(attempt)) +
                             QStringLiteral(".QRB");
        if (::link(temporary.constData(), QFile::encodeName(path).constData()) == 0) {
            ::unlink(temporary.constData());
            return path;
        }
        if (errno != EEXIST) {
            *error =
                UnitRecordsText::tr("cannot write the backup %1: %2").arg(path, systemError(errno));
            break;
        }
    }
    if (error->isEmpty())
        *error = UnitRecordsText::tr("cannot find a free backup name for %1 in %2")
                     .arg(unitName, folder);
    ::unlink(temporary.constData());
    return {};
}

AppendLog::~AppendLog() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool AppendLog::open(const QString& path, QString* error) {
    path_ = path;
    const QByteArray name = QFile::encodeName(path);
    if (struct stat existing{}; ::lstat(name.constData(), &existing) == 0 &&
                                !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode)) {
        *error = UnitRecordsText::tr("the log %1 is not a regular file").arg(path);
        return false;
    }
    // O_NONBLOCK: a FIFO under the name must not hang the open; it is refused below.
    fd_ = ::open(name.constData(),
                 O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        *error =
            errno == ELOOP
                ? UnitRecordsText::tr("the log %1 is a symbolic link; name the file itself")
                      .arg(path)
                : UnitRecordsText::tr("cannot open the log %1: %2").arg(path, systemError(errno));
        return false;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        *error = UnitRecordsText::tr("the log %1 is not a regular file").arg(path);
        return false;
    }
    ::fcntl(fd_, F_SETFL, O_APPEND);
    return true;
}

bool AppendLog::append(const QByteArray& line, QString* error) {
    if (fd_ < 0 || !writeAllTo(fd_, line + '\n') || ::fdatasync(fd_) != 0) {
        *error =
            UnitRecordsText::tr("cannot write to the log %1: %2").arg(path_, systemError(errno));
        return false;
    }
    return true;
}
