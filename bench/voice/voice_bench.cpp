// How soon a recording starts: the time from Record being pressed to the
// first captured sample reaching the recording's buffer, over the default
// input (run it against the CI sound server or a desktop's). Not a test.
//
// --fidelity: whether a take holds what was heard between Record and Stop.
// A marker tone is played into the default output (whose monitor the CI
// microphone records) from a known time after Record; the bench finds where
// it starts in the written file and how much of the take was kept, for the
// first take of a recorder session and for later ones.
#include "config/Profile.h"
#include "seams/UserInteraction.h"
#include "voice/QtAudioDevice.h"
#include "voice/VoiceRecorder.h"
#include "voice/WaveFile.h"

#include <QAudioSink>
#include <QMediaDevices>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class PrintingUser final : public UserInteraction {
public:
    QString chooseFile(const FileDialogRequest&) override { return {}; }
    Answer showMessage(const MessageRequest& request) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(request.text));
        return Answer::Ok;
    }
    void showAbout() override {}
};

// Endless 16-bit mono sound at 8000 Hz: silence, or a 1 kHz tone while on.
class MarkerSource {
public:
    std::atomic<bool> toneOn{false};
    QAudioSink* sink = nullptr;
    QIODevice* out = nullptr;

    // Tops the sink's buffer up; called every millisecond or so.
    void feed() {
        if (!out)
            return;
        QByteArray chunk(sink->bytesFree() / 2 * 2, Qt::Uninitialized);
        if (chunk.isEmpty())
            return;
        readData(chunk.data(), chunk.size());
        out->write(chunk);
    }

private:
    qint64 readData(char* data, qint64 size) {
        const qint64 frames = size / 2;
        for (qint64 i = 0; i < frames; ++i, ++frame_) {
            const double value = toneOn ? 16000.0 * std::sin(2 * M_PI * 1000 * frame_ / 8000.0) : 0;
            const qint16 sample = qint16(value);
            std::memcpy(data + 2 * i, &sample, 2);
        }
        return frames * 2;
    }
    qint64 frame_ = 0;
};

MarkerSource* marking = nullptr;

void waitFor(qint64 ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (marking)
            marking->feed();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
}

constexpr int TakeMs = 1500;
constexpr int MarkerAtMs = 300;

// One recorder session of `takes` takes; prints where the marker landed and
// how much was kept in each. False when something could not be run.
bool fidelitySession(int takes, std::vector<double>* firstOffsets,
                     std::vector<double>* laterOffsets, std::vector<double>* firstKept,
                     std::vector<double>* laterKept) {
    QTemporaryDir dir;
    Profile profile(dir.filePath("bench.ini"));
    QtAudioDevice device;
    PrintingUser user;
    VoiceRecorder recorder(device, user, profile, dir.path(), "Bench");

    QAudioFormat format;
    format.setSampleRate(8000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    QAudioSink sink(QMediaDevices::defaultAudioOutput(), format);
    sink.setBufferSize(format.bytesForDuration(20000));
    MarkerSource marker;
    marker.sink = &sink;
    marker.out = sink.start();
    marking = &marker;
    waitFor(300);
    if (sink.state() != QAudio::ActiveState) {
        std::fprintf(stderr, "the marker cannot be played: state %d, error %d\n", int(sink.state()),
                     int(sink.error()));
        marking = nullptr;
        return false;
    }

    recorder.open("Bench_H01.WAV", 0, WaveFile::UnitMemoryCapacity);
    recorder.openInput();
    for (int take = 0; take < takes; ++take) {
        QElapsedTimer pressed;
        pressed.start();
        recorder.record();
        if (!recorder.isRecording())
            return false;
        waitFor(MarkerAtMs - pressed.elapsed());
        marker.toneOn = true;
        waitFor(TakeMs - pressed.elapsed());
        const double pressedMs = double(pressed.nsecsElapsed()) / 1e6;
        recorder.stop();
        marker.toneOn = false;

        WaveFile::WaveContents wave;
        QString error;
        if (!WaveFile::readWave(recorder.filePath(), &wave, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return false;
        }
        qsizetype onset = 0;
        while (onset < wave.data.size() && std::abs(int(quint8(wave.data[onset])) - 128) < 32)
            ++onset;
        const double landedMs = onset * 1000.0 / wave.format.sampleRate;
        const double keptMs = wave.data.size() * 1000.0 / wave.format.sampleRate;
        std::printf("take %d: marker played at %d ms landed at %6.1f ms; kept %6.1f of %6.1f ms\n",
                    take + 1, MarkerAtMs, landedMs, keptMs, pressedMs);
        (take == 0 ? firstOffsets : laterOffsets)->push_back(landedMs - MarkerAtMs);
        (take == 0 ? firstKept : laterKept)->push_back(keptMs - pressedMs);
        waitFor(200);
    }
    marking = nullptr;
    sink.stop();
    return true;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double worst(const std::vector<double>& values) {
    double result = 0;
    for (double value : values)
        result = std::max(result, std::abs(value));
    return result;
}

int fidelity(int sessions) {
    std::vector<double> firstOffsets, laterOffsets, firstKept, laterKept;
    for (int session = 0; session < sessions; ++session)
        if (!fidelitySession(3, &firstOffsets, &laterOffsets, &firstKept, &laterKept))
            return 1;
    std::printf("First take: marker lands %+.1f ms from its time (worst %.1f), kept length "
                "%+.1f ms from the pressed time (worst %.1f); target within 50 ms\n",
                median(firstOffsets), worst(firstOffsets), median(firstKept), worst(firstKept));
    std::printf("Later takes: marker lands %+.1f ms from its time (worst %.1f), kept length "
                "%+.1f ms from the pressed time (worst %.1f); target within 50 ms\n",
                median(laterOffsets), worst(laterOffsets), median(laterKept), worst(laterKept));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--fidelity") == 0)
        return fidelity(argc > 2 ? std::max(1, atoi(argv[2])) : 5);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;

    QTemporaryDir dir;
    Profile profile(dir.filePath("bench.ini"));
    QtAudioDevice device;
    PrintingUser user;
    VoiceRecorder recorder(device, user, profile, dir.path(), "Bench");
    recorder.open("Bench_H01.WAV", 0, 540672);
    recorder.openInput();

    std::vector<double> latencies;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer pressed;
        pressed.start();
        recorder.record();
        if (!recorder.isRecording())
            return 1;
        QElapsedTimer deadline;
        deadline.start();
        while (!device.firstSampleTime().isValid() && deadline.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        const QElapsedTimer arrived = device.firstSampleTime();
        // Both clocks read back to back: the gap between their starts.
        const qint64 sincePressedNs = pressed.nsecsElapsed();
        const qint64 sinceArrivedNs = arrived.isValid() ? arrived.nsecsElapsed() : 0;
        recorder.stop();
        if (!arrived.isValid()) {
            std::fprintf(stderr, "run %d: no sample within 5 s\n", run + 1);
            return 1;
        }
        const double total = double(sincePressedNs - sinceArrivedNs) / 1e6;
        latencies.push_back(total);
        std::printf("run %2d: %6.1f ms\n", run + 1, total);
        QThread::msleep(200);
    }
    std::sort(latencies.begin(), latencies.end());
    const size_t n = latencies.size();
    const double median =
        n % 2 ? latencies[n / 2] : (latencies[n / 2 - 1] + latencies[n / 2]) / 2.0;
    std::printf("Record pressed to first captured sample: median %.1f ms over %zu runs "
                "(target < 150 ms)\n",
                median, n);
    return 0;
}
