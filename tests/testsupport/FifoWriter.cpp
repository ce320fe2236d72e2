#include "FifoWriter.h"

#include <QFile>

#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// The system call a thread is in, from /proc; -1 when it runs or is unknown.
long currentSyscall(int tid) {
    QFile file(QStringLiteral("/proc/self/task/%1/syscall").arg(tid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const long number = file.readAll().split(' ').value(0).trimmed().toLong(&ok);
    return ok ? number : -1;
}

template <typename Condition> bool waitFor(Condition condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

} // namespace

FifoWriter::FifoWriter(const QString& path) : path_(QFile::encodeName(path)) {
    if (::mkfifo(path_.constData(), 0600) != 0)
        return;
    thread_ = std::thread([this] {
        tid_ = int(::gettid());
        const int fd = ::open(path_.constData(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
        released_ = true;
    });
    // Only a writer already inside open() tells whether a reader came.
    waiting_ = waitFor([this] { return tid_ != 0 && currentSyscall(tid_) == SYS_openat; }, 5s);
}

FifoWriter::~FifoWriter() {
    if (!thread_.joinable())
        return;
    const int reader =
        released_ ? -1 : ::open(path_.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    thread_.join();
    if (reader >= 0)
        ::close(reader);
}

bool FifoWriter::wasReleased() const {
    return waitFor([this] { return released_.load(); }, 500ms);
}
