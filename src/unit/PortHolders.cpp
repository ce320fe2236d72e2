#include "unit/PortHolders.h"

#include <QFile>
#include <QSet>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// What identifies the device: a character device by its number, whatever
// node it was opened through; anything else by its file.
struct Target {
    bool character = false;
    dev_t rdev = 0;
    dev_t dev = 0;
    ino_t ino = 0;
};

bool isTarget(const struct statx& file, const Target& target) {
    if (target.character)
        return S_ISCHR(file.stx_mode) &&
               makedev(file.stx_rdev_major, file.stx_rdev_minor) == target.rdev;
    return makedev(file.stx_dev_major, file.stx_dev_minor) == target.dev &&
           file.stx_ino == target.ino;
}

bool hasOpen(int proc, const char* pid, const Target& target) {
    const QByteArray fds = QByteArray(pid) + "/fd";
    const int folder = ::openat(proc, fds.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) // another user's process, or one that has just ended
        return false;
    DIR* entries = ::fdopendir(folder);
    if (!entries) {
        ::close(folder);
        return false;
    }
    bool found = false;
    while (const dirent* entry = ::readdir(entries)) {
        if (entry->d_name[0] == '.')
            continue;
        // Follows the link to the open file. DONT_SYNC: a file on a network
        // share whose server does not answer must not hold the message up.
        struct statx file {};
        if (::statx(folder, entry->d_name, AT_STATX_DONT_SYNC, STATX_TYPE | STATX_INO, &file) ==
                0 &&
            isTarget(file, target)) {
            found = true;
            break;
        }
    }
    ::closedir(entries);
    return found;
}

QString commandName(const QString& procRoot, const char* pid) {
    QFile comm(procRoot + '/' + QLatin1String(pid) + QLatin1String("/comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readLine(256)).trimmed();
}

// The processes holding a lock on the device's node, from /proc/locks lines
// such as "1: FLOCK  ADVISORY  WRITE 812 00:19:4 0 EOF" (device numbers in
// hex, then the inode); "->" lines are locks still waited for.
QSet<qint64> lockHolders(const QString& procRoot, const struct stat& node) {
    QSet<qint64> holders;
    QFile locks(procRoot + QLatin1String("/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return holders;
    const QString id = QStringLiteral("%1:%2:%3")
                           .arg(major(node.st_dev), 2, 16, QLatin1Char('0'))
                           .arg(minor(node.st_dev), 2, 16, QLatin1Char('0'))
                           .arg(quint64(node.st_ino));
    // readAll(): a /proc file says it is empty, so atEnd() would be true at once.
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 6 || fields[1] == "->")
            continue;
        bool isNumber = false;
        const qint64 pid = fields[4].toLongLong(&isNumber);
        if (isNumber && pid > 0 &&
            QString::fromLatin1(fields[5]).compare(id, Qt::CaseInsensitive) == 0)
            holders.insert(pid);
    }
    return holders;
}

bool isProcessNumber(const char* name) {
    if (!*name)
        return false;
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9')
            return false;
    }
    return true;
}

} // namespace

QList<PortHolder> findPortHolders(const QString& device, const QString& procRoot) {
    struct stat node {};
    if (::stat(QFile::encodeName(device).constData(), &node) != 0)
        return {};
    Target target;
    target.character = S_ISCHR(node.st_mode);
    target.rdev = node.st_rdev;
    target.dev = node.st_dev;
    target.ino = node.st_ino;

    const QByteArray root = QFile::encodeName(procRoot);
    const int proc = ::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (proc < 0)
        return {};
    QList<PortHolder> holders;
    const int listing = ::dup(proc);
    if (DIR* processes = listing >= 0 ? ::fdopendir(listing) : nullptr) {
        while (const dirent* entry = ::readdir(processes)) {
            if (isProcessNumber(entry->d_name) && hasOpen(proc, entry->d_name, target))
                holders.append(
                    {QByteArray(entry->d_name).toLongLong(), commandName(procRoot, entry->d_name)});
        }
        ::closedir(processes);
    } else if (listing >= 0) {
        ::close(listing);
    }
    ::close(proc);

    const QSet<qint64> locking = lockHolders(procRoot, node);
    if (std::any_of(holders.cbegin(), holders.cend(),
                    [&](const PortHolder& holder) { return locking.contains(holder.pid); }))
        holders.removeIf([&](const PortHolder& holder) { return !locking.contains(holder.pid); });
    std::sort(holders.begin(), holders.end(),
              [](const PortHolder& a, const PortHolder& b) { return a.pid < b.pid; });
    return holders;
}
