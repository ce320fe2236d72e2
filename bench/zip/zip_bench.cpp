// Archives the same files three ways and compares them:
//   1. CZipArchive (read, CRC-32, deflate, write the archive),
//   2. raw zlib deflate of the same bytes already in memory, same settings
//      (level 6, raw window of 32 KiB, memory level 8): the limit of the algorithm,
//   3. Info-ZIP's zip -6, run as a child process.
// Then measures the peak memory of archiving a 1 MiB file and a 1 GiB file in
// a fresh process, to show memory does not grow with the file.
//
//   zip_bench [--big-mib N] [--rounds N] [--no-big]
// Files go to a fresh folder in /tmp, which is removed at the end.
#include "zip/ZipArchive.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

struct Xorshift {
    std::uint32_t state;
    std::uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
};

std::vector<unsigned char> TextData(std::size_t size, std::uint32_t seed) {
    Xorshift random{seed};
    std::string text;
    text.reserve(size + 128);
    char line[128];
    while (text.size() < size) {
        const int n = std::snprintf(line, sizeof line, "REG %02u = +4917%07u input %u %s\r\n",
                                    random.Next() % 87 + 1, random.Next() % 10000000,
                                    random.Next() % 16 + 1, (random.Next() & 1) ? "high" : "low");
        text.append(line, static_cast<std::size_t>(n));
    }
    return {text.begin(), text.begin() + static_cast<std::ptrdiff_t>(size)};
}

// 8-bit mono PCM at 8000 Hz: a tone with noise, like a recorded voice prompt.
std::vector<unsigned char> WavData(std::size_t size, std::uint32_t seed) {
    Xorshift random{seed};
    std::vector<unsigned char> data(size);
    const unsigned char header[44] = {'R', 'I', 'F',  'F',  0,   0,   0,    0,    'W', 'A', 'V',
                                      'E', 'f', 'm',  't',  ' ', 16,  0,    0,    0,   1,   0,
                                      1,   0,   0x40, 0x1F, 0,   0,   0x40, 0x1F, 0,   0,   1,
                                      0,   8,   0,    'd',  'a', 't', 'a',  0,    0,   0,   0};
    std::memcpy(data.data(), header, sizeof header);
    const double step = 2 * M_PI * (300 + seed % 400) / 8000.0;
    for (std::size_t i = sizeof header; i < size; ++i) {
        const double tone = 50 * std::sin(step * static_cast<double>(i));
        data[i] = static_cast<unsigned char>(128 + static_cast<int>(tone) +
                                             static_cast<int>(random.Next() % 17) - 8);
    }
    return data;
}

std::vector<unsigned char> SmallAlphabetData(std::size_t size, std::uint32_t seed) {
    Xorshift random{seed};
    std::vector<unsigned char> data(size);
    for (auto& byte : data)
        byte = static_cast<unsigned char>('A' + random.Next() % 16);
    return data;
}

std::vector<unsigned char> RandomData(std::size_t size, std::uint32_t seed) {
    Xorshift random{seed};
    std::vector<unsigned char> data(size);
    for (auto& byte : data)
        byte = static_cast<unsigned char>(random.Next() >> 24);
    return data;
}

void WriteFile(const fs::path& path, const std::vector<unsigned char>& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::vector<unsigned char> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double CpuSeconds(const rusage& usage) {
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double CpuSecondsSelf() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return CpuSeconds(usage);
}

struct Run {
    double wall = 0;
    double cpu = 0;
    std::uint64_t outputBytes = 0;
    long peakKiB = 0;
};

long PeakResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

// Runs a program to its end: its wall time, CPU time and peak resident memory.
// The peak is sampled from /proc (VmHWM only grows), because the rusage of a
// spawned child also counts the memory of the process that spawned it.
Run RunChild(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + arguments[0]);
    posix_spawn_file_actions_destroy(&actions);
    Run run;
    int status = 0;
    rusage usage{};
    for (;;) {
        run.peakKiB = std::max(run.peakKiB, PeakResidentKiB(pid));
        if (wait4(pid, &status, WNOHANG, &usage) == pid)
            break;
        usleep(20000);
    }
    run.wall = Seconds(Clock::now() - start);
    run.cpu = CpuSeconds(usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments[0] + " failed");
    return run;
}

Run ArchiveWithOurWriter(const fs::path& archivePath, const std::vector<fs::path>& files) {
    const double cpuStart = CpuSecondsSelf();
    const auto start = Clock::now();
    CZipArchive archive;
    archive.Open(archivePath.string());
    for (const auto& file : files) {
        if (!archive.AddFile(file.string()))
            throw std::runtime_error("could not add " + file.string());
    }
    archive.Close();
    Run run;
    run.wall = Seconds(Clock::now() - start);
    run.cpu = CpuSecondsSelf() - cpuStart;
    run.outputBytes = fs::file_size(archivePath);
    return run;
}

Run DeflateInMemory(const std::vector<std::vector<unsigned char>>& contents) {
    std::vector<unsigned char> output;
    const double cpuStart = CpuSecondsSelf();
    const auto start = Clock::now();
    Run run;
    for (const auto& content : contents) {
        z_stream stream{};
        if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                         Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("deflateInit2 failed");
        output.resize(deflateBound(&stream, content.size()));
        stream.next_in = const_cast<Bytef*>(content.data());
        stream.avail_in = static_cast<uInt>(content.size());
        stream.next_out = output.data();
        stream.avail_out = static_cast<uInt>(output.size());
        if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
            throw std::runtime_error("deflate failed");
        run.outputBytes += stream.total_out;
        deflateEnd(&stream);
    }
    run.wall = Seconds(Clock::now() - start);
    run.cpu = CpuSecondsSelf() - cpuStart;
    return run;
}

Run ArchiveWithZip(const fs::path& archivePath, const std::vector<fs::path>& files) {
    fs::remove(archivePath);
    std::vector<std::string> arguments = {"zip", "-6", "-q", "-X", "-D", archivePath.string()};
    for (const auto& file : files)
        arguments.push_back(file.string());
    Run run = RunChild(arguments);
    run.outputBytes = fs::file_size(archivePath);
    return run;
}

void Best(Run& best, const Run& run) {
    if (best.wall == 0 || run.wall < best.wall)
        best.wall = run.wall;
    if (best.cpu == 0 || run.cpu < best.cpu)
        best.cpu = run.cpu;
    best.outputBytes = run.outputBytes;
}

void MakeBigFile(const fs::path& path, std::uint64_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::size_t chunk = 8 << 20;
    std::uint32_t seed = 1;
    for (std::uint64_t written = 0; written < size; written += chunk) {
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>(chunk, size - written));
        // Text, sound and incompressible stretches, as a mixed real file would have.
        const auto data = (seed % 4 == 3) ? RandomData(n, seed)
                          : (seed % 2)    ? TextData(n, seed)
                                          : WavData(n, seed);
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(n));
        ++seed;
    }
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

int ChildArchive(const char* archivePath, const char* file, const char* reportPath) {
    CZipArchive archive;
    archive.Open(archivePath);
    const bool added = archive.AddFile(file);
    archive.Close();
    std::ofstream(reportPath) << PeakResidentKiB(getpid()) << '\n';
    return added ? 0 : 1;
}

// Our writer in a fresh process; the peak is the one the process saw itself.
Run RunOurWriterChild(const fs::path& archivePath, const fs::path& file) {
    const fs::path self = fs::read_symlink("/proc/self/exe");
    const fs::path report = archivePath.string() + ".peak";
    Run run = RunChild(
        {self.string(), "--child-archive", archivePath.string(), file.string(), report.string()});
    std::ifstream(report) >> run.peakKiB;
    fs::remove(report);
    fs::remove(archivePath);
    return run;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--child-archive")
        return ChildArchive(argv[2], argv[3], argv[4]);

    std::uint64_t bigMiB = 1024;
    int rounds = 3;
    bool big = true;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--big-mib" && i + 1 < argc)
            bigMiB = std::strtoull(argv[++i], nullptr, 10);
        else if (option == "--rounds" && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (option == "--no-big")
            big = false;
        else {
            std::fprintf(stderr, "usage: zip_bench [--big-mib N] [--rounds N] [--no-big]\n");
            return 2;
        }
    }

    char folderTemplate[] = "/tmp/quillary-zip-bench-XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path folder = folderTemplate;
    int status = 0;
    try {
        std::printf("Generating files in %s ...\n", folder.c_str());
        std::fflush(stdout);
        std::vector<fs::path> files;
        auto add = [&](const std::string& name, const std::vector<unsigned char>& data) {
            files.push_back(folder / name);
            WriteFile(files.back(), data);
        };
        for (std::uint32_t i = 0; i < 16; ++i)
            add("listing" + std::to_string(i) + ".txt", TextData(2 << 20, i + 1));
        for (std::uint32_t i = 0; i < 64; ++i)
            add("Plant_H" + std::to_string(i) + ".WAV", WavData(512 << 10, i + 100));
        for (std::uint32_t i = 0; i < 4; ++i)
            add("table" + std::to_string(i) + ".bin", SmallAlphabetData(16 << 20, i + 200));
        for (std::uint32_t i = 0; i < 2; ++i)
            add("random" + std::to_string(i) + ".bin", RandomData(16 << 20, i + 300));

        std::vector<std::vector<unsigned char>> contents;
        std::uint64_t totalBytes = 0;
        for (const auto& file : files) {
            contents.push_back(ReadFile(file));
            totalBytes += contents.back().size();
        }
        const double totalMiB = static_cast<double>(totalBytes) / (1 << 20);
        std::printf("%zu files, %.1f MiB; %d rounds, best of each\n", files.size(), totalMiB,
                    rounds);

        Run ours, raw, zip;
        for (int round = 1; round <= rounds; ++round) {
            std::printf("  round %d/%d\n", round, rounds);
            std::fflush(stdout);
            Best(ours, ArchiveWithOurWriter(folder / "ours.zip", files));
            Best(raw, DeflateInMemory(contents));
            Best(zip, ArchiveWithZip(folder / "infozip.zip", files));
        }
        contents.clear();
        contents.shrink_to_fit();

        auto line = [&](const char* name, const Run& run) {
            std::printf("%-34s %8.1f MiB/s wall %8.1f MiB/s cpu   output %6.2f%% of input\n", name,
                        totalMiB / run.wall, totalMiB / run.cpu,
                        100.0 * static_cast<double>(run.outputBytes) /
                            static_cast<double>(totalBytes));
        };
        std::printf("\nThroughput (uncompressed bytes per second)\n");
        line("CZipArchive (files -> archive)", ours);
        line("raw zlib deflate (memory, limit)", raw);
        line("zip -6 (files -> archive)", zip);
        std::printf("\nRatios\n");
        std::printf("  ours / raw zlib:  wall %.3f  cpu %.3f   (target >= 0.97)\n",
                    raw.wall / ours.wall, raw.cpu / ours.cpu);
        std::printf("  ours / zip -6:    wall %.3f  cpu %.3f   (target >= 1.00)\n",
                    zip.wall / ours.wall, zip.cpu / ours.cpu);
        std::printf("  archive size ours / zip -6: %.4f\n",
                    static_cast<double>(ours.outputBytes) / static_cast<double>(zip.outputBytes));
        for (const auto& file : files)
            fs::remove(file);

        if (big) {
            const fs::path small = folder / "small.bin";
            MakeBigFile(small, 1 << 20);
            const Run smallRun = RunOurWriterChild(folder / "small.zip", small);
            const Run smallZip = ArchiveWithZip(folder / "small-infozip.zip", {small});
            std::printf("\nPeak memory (fresh process, max resident set)\n");
            std::printf("  CZipArchive, 1 MiB file:   %6ld KiB\n", smallRun.peakKiB);
            std::printf("  zip -6,      1 MiB file:   %6ld KiB (sampled)\n", smallZip.peakKiB);
            std::printf("Generating a %llu MiB file ...\n",
                        static_cast<unsigned long long>(bigMiB));
            std::fflush(stdout);
            const fs::path bigFile = folder / "big.bin";
            MakeBigFile(bigFile, bigMiB << 20);
            const Run bigRun = RunOurWriterChild(folder / "big.zip", bigFile);
            const Run bigZip = ArchiveWithZip(folder / "big-infozip.zip", {bigFile});
            fs::remove(bigFile);
            std::printf("  CZipArchive, %llu MiB file: %6ld KiB   (%.1f MiB/s wall)\n",
                        static_cast<unsigned long long>(bigMiB), bigRun.peakKiB,
                        static_cast<double>(bigMiB) / bigRun.wall);
            std::printf("  zip -6,      %llu MiB file: %6ld KiB   (%.1f MiB/s wall, sampled)\n",
                        static_cast<unsigned long long>(bigMiB), bigZip.peakKiB,
                        static_cast<double>(bigMiB) / bigZip.wall);
            std::printf("  growth from 1 MiB to %llu MiB: %ld KiB\n",
                        static_cast<unsigned long long>(bigMiB), bigRun.peakKiB - smallRun.peakKiB);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zip_bench: %s\n", error.what());
        status = 1;
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return status;
}
