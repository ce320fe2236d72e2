// velk-unit-sim: a unit that speaks the link protocol over a pseudo-terminal,
// so the link library and the program can be run without hardware.
#include "LinkWire.h"
#include "UnitState.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <random>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct Options {
    std::string stateDir;
    std::string linkPath;
    velksim::UnitFaults faults;
    bool silent = false;
    long long dropAfter = -1;
    double corruptRate = 0.0;
    long baud = 0;
    unsigned seed = 0;
    bool seeded = false;
};

const char* const kUsage =
    "usage: velk-unit-sim --state DIR [--link PATH] [--password] [--fail-write N]\n"
    "                     [--fail-read N] [--alter-register N] [--silent]\n"
    "                     [--drop-after BYTES] [--corrupt RATE] [--baud RATE] [--seed N]\n";

const char* const kHelp =
    "Simulates a VELK unit: answers the link protocol on a pseudo-terminal and\n"
    "keeps the unit's registers, clock record and voice files in a folder.\n"
    "\n"
    "Options:\n"
    "  --state DIR         the unit's state folder (registers.QRB, clock.bin, voice/)\n"
    "  --link PATH         the symbolic link to the pseudo-terminal (DIR/tty)\n"
    "  --password          refuse to connect: the unit is password protected\n"
    "  --fail-write N      refuse every write of register N (1 to 87)\n"
    "  --fail-read N       refuse every read of register N (1 to 87)\n"
    "  --alter-register N  accept writes of register N but keep it changed\n"
    "  --silent            take every byte and never answer\n"
    "  --drop-after BYTES  take the line down after BYTES bytes in either direction\n"
    "  --corrupt RATE      damage this fraction (0 to 1) of the bytes sent\n"
    "  --baud RATE         deliver bytes no faster than RATE baud (10 bits a byte)\n"
    "  --seed N            seed for --corrupt, to repeat a run\n"
    "  --help              show this help and exit\n"
    "  --version           show the version and exit\n"
    "\n"
    "On SIGTERM or SIGINT it prints the bytes received and sent and exits.\n";

template <typename T> bool parseNumber(const char* text, T& value) {
    const char* end = text + std::strlen(text);
    auto [last, error] = std::from_chars(text, end, value);
    return *text && error == std::errc() && last == end;
}

bool parseRate(const char* text, double& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return *text && errno == 0 && end && *end == '\0' && value >= 0.0 && value <= 1.0;
}

bool parseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return nullptr;
            }
            return argv[++i];
        };
        // Parses the option's value into `out`; `valid` checks its range.
        auto numberValue = [&](auto& out, auto valid, const char* what) {
            const char* text = value();
            if (!text)
                return false;
            if (!parseNumber(text, out) || !valid(out)) {
                error = arg + " takes " + what;
                return false;
            }
            return true;
        };
        if (arg == "--password") {
            options.faults.password = true;
        } else if (arg == "--silent") {
            options.silent = true;
        } else if (arg == "--state" || arg == "--link") {
            const char* text = value();
            if (!text)
                return false;
            (arg == "--state" ? options.stateDir : options.linkPath) = text;
        } else if (arg == "--fail-write" || arg == "--fail-read" || arg == "--alter-register") {
            int reg = 0;
            if (!numberValue(
                    reg, [](int r) { return r >= 1 && r <= velklink::wire::kRegisterCount; },
                    "a register number from 1 to 87"))
                return false;
            (arg == "--fail-write"  ? options.faults.failWriteRegister
             : arg == "--fail-read" ? options.faults.failReadRegister
                                    : options.faults.alterRegister) = reg;
        } else if (arg == "--drop-after") {
            if (!numberValue(
                    options.dropAfter, [](auto n) { return n >= 0; }, "a byte count"))
                return false;
        } else if (arg == "--corrupt") {
            const char* text = value();
            if (!text)
                return false;
            if (!parseRate(text, options.corruptRate)) {
                error = "--corrupt takes a fraction from 0 to 1";
                return false;
            }
        } else if (arg == "--baud") {
            if (!numberValue(
                    options.baud, [](auto b) { return b >= 50 && b <= 10'000'000; },
                    "a rate from 50 to 10000000"))
                return false;
        } else if (arg == "--seed") {
            if (!numberValue(
                    options.seed, [](auto) { return true; }, "a whole number"))
                return false;
            options.seeded = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::fputs(kHelp, stdout);
            std::exit(0);
        } else if (arg == "--version") {
            std::puts("velk-unit-sim " QUILLARY_VERSION);
            std::exit(0);
        } else {
            error = "unknown option " + arg;
            return false;
        }
    }
    if (options.stateDir.empty()) {
        error = "--state DIR is required";
        return false;
    }
    if (options.linkPath.empty())
        options.linkPath = options.stateDir + "/tty";
    return true;
}

int stopPipe[2] = {-1, -1};

void onStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(stopPipe[1], &byte, 1);
}

// The pseudo-terminal that stands in for the unit's serial line, with the
// line's speed and its faults.
class SimLine {
public:
    explicit SimLine(const Options& options)
        : options_(options), random_(options.seeded ? options.seed : std::random_device{}()) {}
    ~SimLine() { close(); }

    bool open(std::string& error) {
        termios tio{};
        ::cfmakeraw(&tio);
        if (::openpty(&master_, &slave_, nullptr, &tio, nullptr) != 0) {
            error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
            return false;
        }
        // Holding the far end open as well keeps the master from seeing a
        // hang-up each time the host closes its side between operations.
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        ::fcntl(master_, F_SETFD, FD_CLOEXEC);
        ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
        const char* name = ::ttyname(slave_);
        if (!name) {
            error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
            return false;
        }
        const std::string temporary = options_.linkPath + ".new";
        ::unlink(temporary.c_str());
        if (::symlink(name, temporary.c_str()) != 0 ||
            ::rename(temporary.c_str(), options_.linkPath.c_str()) != 0) {
            error = "cannot create the link " + options_.linkPath + ": " + std::strerror(errno);
            ::unlink(temporary.c_str());
            return false;
        }
        return true;
    }

    bool isUp() const { return master_ >= 0; }
    int fd() const { return master_; }

    // The line goes away as an unplugged adapter would: the device and its link vanish.
    void close() {
        if (master_ < 0)
            return;
        ::close(master_);
        ::close(slave_);
        master_ = slave_ = -1;
        ::unlink(options_.linkPath.c_str());
    }

    // Reads what has arrived, delivered no sooner than the line rate allows.
    ssize_t receive(uint8_t* buffer, size_t size) {
        if (dropDue())
            close();
        if (master_ < 0)
            return -1;
        const size_t allowed = remainingBeforeDrop(size);
        const ssize_t n = ::read(master_, buffer, allowed);
        if (n <= 0)
            return n;
        received_ += static_cast<unsigned long long>(n);
        paceLine(rxFreeAt_, static_cast<size_t>(n));
        if (dropDue())
            close();
        return n;
    }

    void send(std::vector<uint8_t> bytes) {
        if (options_.corruptRate > 0.0) {
            std::bernoulli_distribution corrupt(options_.corruptRate);
            std::uniform_int_distribution<int> flip(1, 255);
            for (auto& byte : bytes) {
                if (corrupt(random_))
                    byte ^= static_cast<uint8_t>(flip(random_));
            }
        }
        // At a line rate, write in small slices so the host sees bytes arrive as on a wire.
        const size_t slice = options_.baud > 0 ? 64 : bytes.size();
        for (size_t done = 0; done < bytes.size() && master_ >= 0;) {
            const size_t length = remainingBeforeDrop(std::min(slice, bytes.size() - done));
            if (!writeAll(bytes.data() + done, length))
                return;
            sent_ += length;
            done += length;
            paceLine(txFreeAt_, length);
            if (dropDue())
                close();
        }
    }

    unsigned long long received() const { return received_; }
    unsigned long long sent() const { return sent_; }

private:
    size_t remainingBeforeDrop(size_t wanted) const {
        if (options_.dropAfter < 0)
            return wanted;
        const auto used = static_cast<long long>(received_ + sent_);
        return static_cast<size_t>(
            std::clamp<long long>(options_.dropAfter - used, 0, static_cast<long long>(wanted)));
    }

    bool dropDue() const {
        return options_.dropAfter >= 0 &&
               static_cast<long long>(received_ + sent_) >= options_.dropAfter;
    }

    // Ten bits a byte: a byte is on the far side no sooner than its wire time after the last.
    void paceLine(Clock::time_point& freeAt, size_t bytes) {
        if (options_.baud <= 0)
            return;
        const auto duration = std::chrono::nanoseconds(static_cast<long long>(bytes) *
                                                       10'000'000'000LL / options_.baud);
        freeAt = std::max(freeAt, Clock::now()) + duration;
        std::this_thread::sleep_until(freeAt);
    }

    bool writeAll(const uint8_t* data, size_t size) {
        // A host that stops reading must not stall the unit forever.
        const auto deadline = Clock::now() + 2s;
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(master_, data + done, size - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return false;
            if (Clock::now() >= deadline)
                return false;
            pollfd pfd{master_, POLLOUT, 0};
            ::poll(&pfd, 1, 50);
        }
        return true;
    }

    const Options& options_;
    std::mt19937 random_;
    int master_ = -1;
    int slave_ = -1;
    unsigned long long received_ = 0;
    unsigned long long sent_ = 0;
    Clock::time_point rxFreeAt_{};
    Clock::time_point txFreeAt_{};
};

} // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "velk-unit-sim: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    velksim::UnitState unit(options.stateDir, options.faults);
    if (!unit.open(error)) {
        std::fprintf(stderr, "velk-unit-sim: %s\n", error.c_str());
        return 1;
    }
    if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::fprintf(stderr, "velk-unit-sim: cannot create a pipe: %s\n", std::strerror(errno));
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    SimLine line(options);
    if (!line.open(error)) {
        std::fprintf(stderr, "velk-unit-sim: %s\n", error.c_str());
        return 1;
    }

    velklink::wire::FrameDecoder decoder;
    uint8_t buffer[4096];
    for (;;) {
        pollfd fds[2] = {{stopPipe[0], POLLIN, 0}, {line.fd(), POLLIN, 0}};
        const int count = line.isUp() ? 2 : 1;
        if (::poll(fds, count, -1) < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN)
            break;
        if (count < 2 || !(fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        const ssize_t n = line.receive(buffer, sizeof buffer);
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            // Without our own hold on the far end this would spin; pause rather than loop.
            std::this_thread::sleep_for(50ms);
            continue;
        }
        if (n <= 0)
            continue;
        if (options.silent)
            continue; // a dead unit: it takes the bytes and does nothing with them
        decoder.feed(std::span(buffer, static_cast<size_t>(n)));
        while (auto frame = decoder.next()) {
            if (auto answer = unit.handle(*frame); answer && line.isUp())
                line.send(std::move(*answer));
        }
        decoder.takeDiscarded();
    }
    std::fprintf(stderr, "velk-unit-sim: received %llu bytes, sent %llu bytes\n", line.received(),
                 line.sent());
    line.close();
    return 0;
}
