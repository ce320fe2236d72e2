#include "LinkPort.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <dirent.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace velklink {

namespace {

bool startsWithNoCase(const std::string& text, const char* prefix, size_t length) {
    if (text.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    }
    return true;
}

std::optional<int> portNumber(const std::string& port, size_t prefixLength) {
    const char* first = port.data() + prefixLength;
    const char* last = port.data() + port.size();
    int number = 0;
    auto [end, error] = std::from_chars(first, last, number);
    if (first == last || error != std::errc() || end != last || number < 1 || number > 9999)
        return std::nullopt;
    return number;
}

std::vector<std::string> devicesWithPrefix(const char* prefix) {
    std::vector<std::string> names;
    DIR* dir = ::opendir("/dev");
    if (!dir)
        return names;
    const std::string wanted(prefix);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name(entry->d_name);
        if (name.size() > wanted.size() && name.compare(0, wanted.size(), wanted) == 0)
            names.push_back(name);
    }
    ::closedir(dir);
    // ttyACM10 after ttyACM9: order by number, not by text.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (auto& name : names)
        name = "/dev/" + name;
    return names;
}

std::optional<speed_t> speedFor(int baud) {
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    case 460800:
        return B460800;
    case 921600:
        return B921600;
    default:
        return std::nullopt;
    }
}

int millisecondsUntil(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 60'000));
}

} // namespace

std::optional<std::string> devicePathForPort(const std::string& port,
                                             const std::vector<std::string>& usbDevices) {
    if (!port.empty() && port.front() == '/')
        return port;
    if (startsWithNoCase(port, "COM", 3)) {
        if (auto number = portNumber(port, 3))
            return "/dev/ttyS" + std::to_string(*number - 1);
        return std::nullopt;
    }
    if (startsWithNoCase(port, "USB", 3)) {
        auto number = portNumber(port, 3);
        if (number && static_cast<size_t>(*number) <= usbDevices.size())
            return usbDevices[static_cast<size_t>(*number) - 1];
    }
    return std::nullopt;
}

bool isStandardBaud(int baud) {
    return speedFor(baud).has_value();
}

std::vector<std::string> listUsbSerialDevices() {
    auto devices = devicesWithPrefix("ttyACM");
    auto usb = devicesWithPrefix("ttyUSB");
    devices.insert(devices.end(), usb.begin(), usb.end());
    return devices;
}

namespace {

OpenFailure failureFor(int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return OpenFailure::NoDevice;
    case EACCES:
    case EPERM:
        return OpenFailure::Permission;
    case EBUSY:
    case EWOULDBLOCK:
        return OpenFailure::Busy;
    case ENOTTY:
        return OpenFailure::NotSerial;
    default:
        return OpenFailure::Other;
    }
}

int failOpen(int fd, int error, OpenFailure why, OpenFailure* failure) {
    if (fd >= 0)
        ::close(fd);
    if (failure)
        *failure = why;
    errno = error;
    return -1;
}

} // namespace

int openSerialDevice(const std::string& path, int baud, OpenFailure* failure) {
    if (failure)
        *failure = OpenFailure::None;
    // Only a character device is opened: a FIFO or a file under the name would
    // block or take the bytes meant for the unit.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return failOpen(-1, errno, failureFor(errno), failure);
    if (!S_ISCHR(info.st_mode))
        return failOpen(-1, ENOTTY, OpenFailure::NotSerial, failure);
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failOpen(-1, errno, failureFor(errno), failure);
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return failOpen(fd, errno, errno == ENOTTY ? OpenFailure::NotSerial : failureFor(errno),
                        failure);
    // A COM port the kernel lists without a UART behind it would only time out.
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0 && serial.type == PORT_UNKNOWN)
        return failOpen(fd, ENXIO, OpenFailure::NoUart, failure);
    // One program on the port at a time: a second opener is refused at once
    // rather than stealing the unit's answers.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return failOpen(fd, errno == EWOULDBLOCK ? EBUSY : errno,
                        errno == EWOULDBLOCK ? OpenFailure::Busy : failureFor(errno), failure);
    ::ioctl(fd, TIOCEXCL);
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    const speed_t speed = speedFor(baud).value_or(B115200);
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0)
        return failOpen(fd, errno, failureFor(errno), failure);
    ::tcflush(fd, TCIOFLUSH);
    return fd;
}

IoResult writeAll(int fd, std::span<const uint8_t> bytes, Clock::time_point deadline) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return IoResult::Gone;
        pollfd pfd{fd, POLLOUT, 0};
        const int ready = ::poll(&pfd, 1, millisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (pfd.revents & (POLLERR | POLLHUP | POLLNVAL)))
            return IoResult::Gone;
        if (ready == 0)
            return IoResult::Timeout;
    }
    return IoResult::Ok;
}

IoResult readSome(int fd, std::span<uint8_t> buffer, Clock::time_point deadline, size_t& count) {
    count = 0;
    for (;;) {
        pollfd pfd{fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, millisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (pfd.revents & POLLNVAL))
            return IoResult::Gone;
        if (ready == 0)
            return IoResult::Timeout;
        // Data still queued behind a hang-up is read first; the next read reports the end.
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n > 0) {
            count = static_cast<size_t>(n);
            return IoResult::Ok;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // Nothing to read although poll said so (another reader took it, or a
        // raw line with no bytes yet): no data yet, unless the line hung up.
        if (n == 0 || (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))) {
            if (pfd.revents & (POLLHUP | POLLERR))
                return IoResult::Gone;
            if (n == 0)
                ::usleep(1000); // poll may keep saying "readable": do not spin

            continue;
        }
        return IoResult::Gone; // EIO after an unplug or hang-up
    }
}

} // namespace velklink
