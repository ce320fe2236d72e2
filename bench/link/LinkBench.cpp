// Drives a whole transfer to a unit (connect, query, prepare, 87 registers,
// 540,672 bytes of voice files, finish) against the unit simulator at a line
// rate, twice: through the link library's calls alone, and through the
// Transfer to unit command (staging, checks and progress included, the user's
// answers given). Each time is compared with the time the payload alone needs
// on that line.
//
// usage: link_bench [--baud RATE] [more simulator options...]
#include "config/ConfigSession.h"
#include "config/VoiceFiles.h"
#include "journal/Journal.h"
#include "unit/SafeWrite.h"
#include "unit/TransferToUnitCommand.h"
#include "unit/UnitTexts.h"
#include "velklink.h"

#include <QtEndian>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRegisters = 87;
constexpr int kSlot = 256;

void fail(const char* what, int result) {
    std::fprintf(stderr, "link_bench: %s failed with %d\n", what, result);
    std::exit(1);
}

pid_t startSimulator(const std::vector<std::string>& args, const fs::path& log) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::FILE* out = std::freopen(log.c_str(), "w", stderr);
        (void)out;
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(VELK_UNIT_SIM));
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(VELK_UNIT_SIM, argv.data());
        std::_Exit(127);
    }
    return pid;
}

// The user says Yes to the voice question and reads the final message.
class AnsweringUser final : public UserInteraction {
public:
    QString lastMessage;
    QString chooseFile(const FileDialogRequest&) override { return {}; }
    Answer showMessage(const MessageRequest& request) override {
        lastMessage = request.text;
        return request.buttons == MessageButtons::YesNo ? Answer::Yes : Answer::Ok;
    }
    void showAbout() override {}
};

class IgnoredButtons final : public CommandButtons {
public:
    void apply(EnableState) override {}
};

class IgnoredProgress final : public ProgressSink {
public:
    void setProgress(int) override {}
};

// A recording in the unit's format, `size` bytes in all.
std::vector<char> unitWav(size_t size, int seed) {
    std::vector<char> wav(size);
    const auto data = static_cast<uint32_t>(size - 44);
    std::memcpy(wav.data(), "RIFF", 4);
    qToLittleEndian<uint32_t>(36 + data, wav.data() + 4);
    std::memcpy(wav.data() + 8, "WAVEfmt ", 8);
    qToLittleEndian<uint32_t>(16, wav.data() + 16);
    qToLittleEndian<uint16_t>(1, wav.data() + 20);    // PCM
    qToLittleEndian<uint16_t>(1, wav.data() + 22);    // mono
    qToLittleEndian<uint32_t>(8000, wav.data() + 24); // samples per second
    qToLittleEndian<uint32_t>(8000, wav.data() + 28); // bytes per second
    qToLittleEndian<uint16_t>(1, wav.data() + 32);    // block
    qToLittleEndian<uint16_t>(8, wav.data() + 34);    // bits
    std::memcpy(wav.data() + 36, "data", 4);
    qToLittleEndian<uint32_t>(data, wav.data() + 40);
    for (size_t b = 44; b < size; ++b)
        wav[b] = static_cast<char>((b * 31 + static_cast<size_t>(seed)) & 0xFF);
    return wav;
}

void writeBytes(const fs::path& path, const std::vector<char>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A configuration with every voice message switched on and recorded: 32
// recordings of 16 KiB and two prompts of 8 KiB fill the unit's 540,672 bytes.
uint64_t writeConfiguration(const fs::path& folder, ConfigSession& session) {
    using namespace VoiceFiles;
    fs::create_directories(folder);
    std::vector<char> image(kRegisters * kSlot, '\0');
    for (int reg = 84; reg <= 85; ++reg)
        std::memset(image.data() + (reg - 1) * kSlot, '1', 16);
    const fs::path file = folder / "Bench.QRB";
    writeBytes(file, image);
    uint64_t voiceBytes = 0;
    auto record = [&](const QString& name, size_t size, int seed) {
        writeBytes(folder / name.toStdString(), unitWav(size, seed));
        voiceBytes += size;
    };
    for (int n = 1; n <= InputCount; ++n) {
        record(configHighName("Bench", n), 16384, n);
        record(configLowName("Bench", n), 16384, 100 + n);
    }
    record(configSelectOutputName("Bench"), 8192, 200);
    record(configSelectOnOffName("Bench"), 8192, 201);
    if (!session.load(QString::fromStdString(file.string())))
        fail("loading the configuration", 0);
    return voiceBytes;
}

void report(const char* what, double seconds, uint64_t payload, long baud) {
    const double bound = static_cast<double>(payload) * 10.0 / static_cast<double>(baud);
    std::printf("%-34s %.3f s, ratio %.3f to the payload's %.3f s (target <= 1.10)\n", what,
                seconds, seconds / bound, bound);
}

} // namespace

int main(int argc, char** argv) {
    long baud = 115200;
    std::vector<std::string> extra;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--baud") == 0 && i + 1 < argc)
            baud = std::atol(argv[++i]);
        else
            extra.emplace_back(argv[i]);
    }
    if (baud <= 0) {
        std::fprintf(stderr, "link_bench: --baud takes a positive rate\n");
        return 2;
    }

    char pattern[] = "/tmp/link_bench.XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::perror("link_bench: mkdtemp");
        return 1;
    }
    const fs::path root(pattern);
    const fs::path link = root / "tty";
    const fs::path log = root / "sim.log";

    // 32 recordings of 16 KiB and two prompts of 8 KiB fill the unit's 540,672 bytes.
    std::vector<std::string> files;
    uint64_t voiceBytes = 0;
    for (int i = 0; i < 34; ++i) {
        const size_t size = i < 32 ? 16384 : 8192;
        const fs::path path = root / ("voice" + std::to_string(i) + ".wav");
        std::vector<char> bytes(size);
        for (size_t b = 0; b < size; ++b)
            bytes[b] = static_cast<char>((b * 31 + static_cast<size_t>(i)) & 0xFF);
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(size));
        files.push_back(path.string());
        voiceBytes += size;
    }
    std::vector<const char*> names;
    for (const auto& file : files)
        names.push_back(file.c_str());

    std::vector<std::string> args{"--state", (root / "state").string(), "--link", link.string(),
                                  "--baud",  std::to_string(baud)};
    args.insert(args.end(), extra.begin(), extra.end());
    const pid_t sim = startSimulator(args, log);
    for (int i = 0; i < 500 && !fs::exists(link); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!fs::exists(link)) {
        std::fprintf(stderr, "link_bench: the simulator did not start\n");
        ::kill(sim, SIGKILL);
        ::waitpid(sim, nullptr, 0);
        return 1;
    }
    ::setenv("QUILLARY_LINK_DEVICE", link.c_str(), 1);

    unsigned char image[kRegisters * kSlot];
    for (size_t i = 0; i < sizeof image; ++i)
        image[i] = static_cast<unsigned char>(i * 7);

    LinkStartup();
    const int32_t handle = LinkCreate();
    LinkSetPort(handle, "USB1", "COM0");
    LinkConfigure(handle, ("baud=" + std::to_string(baud)).c_str());

    const auto start = Clock::now();
    int32_t model = 0, firmware = 0;
    if (int32_t r = LinkConnect(handle, ""))
        fail("LinkConnect", r);
    if (int32_t r = LinkQueryUnit(handle, &model, &firmware))
        fail("LinkQueryUnit", r);
    if (int32_t r = LinkPrepareTransfer(handle))
        fail("LinkPrepareTransfer", r);
    for (int reg = 1; reg <= kRegisters; ++reg) {
        if (int32_t r = LinkWriteRegister(handle, reg, image + (reg - 1) * kSlot, 0, 0))
            fail("LinkWriteRegister", r);
    }
    if (int32_t r =
            LinkUploadVoice(handle, static_cast<int32_t>(names.size()), names.data(), nullptr, 0))
        fail("LinkUploadVoice", r);
    if (int32_t r = LinkFinishTransfer(handle))
        fail("LinkFinishTransfer", r);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    ConfigSession session(QString::fromStdString((root / "templates").string()));
    const uint64_t commandVoiceBytes = writeConfiguration(root / "config", session);
    LibraryLinkApi api;
    AnsweringUser user;
    IgnoredButtons buttons;
    IgnoredProgress progress;
    const auto commandStart = Clock::now();
    TransferToUnitCommand({api, handle, user, buttons, progress, session}).run();
    const double commandSeconds =
        std::chrono::duration<double>(Clock::now() - commandStart).count();
    if (user.lastMessage != UnitTexts::transferComplete()) {
        std::fprintf(stderr, "link_bench: the command ended with \"%s\"\n",
                     user.lastMessage.toLocal8Bit().constData());
        return 1;
    }
    // The registers alone, written safely: the backup read, the write and the
    // read-back, journaled. No file behind the session: no voice question.
    ConfigSession registersOnly{QString()};
    registersOnly.store() = session.store();
    QString error;
    const auto journal =
        Journal::open(QString::fromStdString((root / "journal.sqlite").string()), &error);
    if (!journal)
        fail("opening the journal", 0);
    SafeWriteOptions safe;
    safe.journal = journal.get();
    safe.unit.device = QString::fromStdString(link.string());
    const auto safeStart = Clock::now();
    const SafeWriteResult safeResult =
        SafeWrite({api, handle, user, buttons, progress, registersOnly}, safe).run();
    const double safeSeconds = std::chrono::duration<double>(Clock::now() - safeStart).count();
    if (safeResult.record.result != QLatin1String("ok"))
        fail("the safe transfer", 0);
    LinkClose(handle);
    LinkDestroy(handle);
    LinkCleanup();

    ::kill(sim, SIGTERM);
    ::waitpid(sim, nullptr, 0);
    unsigned long long received = 0, sent = 0;
    if (std::FILE* in = std::fopen(log.c_str(), "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, in))
            std::sscanf(line, "velk-unit-sim: received %llu bytes, sent %llu bytes", &received,
                        &sent);
        std::fclose(in);
    }
    fs::remove_all(root);

    const uint64_t payload = kRegisters * kSlot + voiceBytes;
    std::printf("line rate          %ld baud\n", baud);
    std::printf("payload            %llu bytes (registers %d, voice %llu in %zu files)\n",
                static_cast<unsigned long long>(payload), kRegisters * kSlot,
                static_cast<unsigned long long>(voiceBytes), files.size());
    std::printf("bytes on the wire  %llu in all runs (host to unit %llu, unit to host %llu)\n",
                received + sent, received, sent);
    report("library calls", seconds, payload, baud);
    report("Transfer to unit command", commandSeconds, kRegisters * kSlot + commandVoiceBytes,
           baud);
    // Three passes over the registers' line time, 10 % over it at the most.
    const double registersBound = kRegisters * kSlot * 10.0 / static_cast<double>(baud);
    std::printf("%-34s %.3f s, ratio %.3f to the registers' %.3f s (target <= 3.30)\n",
                "safe transfer, registers alone", safeSeconds, safeSeconds / registersBound,
                registersBound);
    return 0;
}
