// How soon a recording starts: the time from Record being pressed to the
// first captured sample reaching the recording's buffer, over the default
// input (run it against the CI sound server or a desktop's). Not a test.
#include "core/UserInteraction.h"
#include "voice/QtAudioDevice.h"
#include "voice/VoiceRecorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;

    QTemporaryDir dir;
    QSettings settings(dir.filePath("bench.ini"), QSettings::IniFormat);
    QtAudioDevice device;
    PrintingUser user;
    VoiceRecorder recorder(device, user, settings, dir.path(), "Bench");
    recorder.open("Bench_H01.WAV", 0, 540672);

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
