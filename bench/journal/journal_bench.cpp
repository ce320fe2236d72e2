// What the journal costs a unit operation and the History dialog:
//   1. recording one write: begin, three images (configuration, backup,
//      read-back; each new, the worst case), complete; target under 20 ms;
//   2. records() of a journal of 10,000 records; target under 300 ms.
// The journal lives in a fresh folder under /tmp (or --folder), removed at
// the end; the disk's fsync is part of what is measured.
//
//   journal_bench [--writes N] [--records N] [--folder DIR]
#include "app/HistoryDialog.h"
#include "journal/Journal.h"
#include "seams/Clock.h"

#include <QApplication>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

QByteArray imageOf(quint32 seed) {
    QByteArray image(87 * 256, '\0');
    for (int reg = 0; reg < 87; ++reg)
        image.replace(reg * 256, 24,
                      QByteArray::number(seed * 1000003ULL + quint64(reg)) +
                          QByteArray(" Door open"));
    return image;
}

JournalRecord writeRecord(int n) {
    JournalRecord record = newJournalRecord(QStringLiteral("write"));
    record.unit = {QStringLiteral("A%1").arg(n % 50),
                   QStringLiteral("/dev/serial/by-id/usb-Example_VELK-Ardo_A%1-if00").arg(n % 50),
                   QStringLiteral("/dev/ttyACM0"), 2, 114};
    record.configPath = QStringLiteral("/home/fitter/Plant%1.QRB").arg(n % 7);
    return record;
}

void finish(JournalRecord& record, int n) {
    record.finished = QDateTime::currentDateTimeUtc();
    record.result = n % 10 ? QStringLiteral("ok") : QStringLiteral("verify-failed");
    if (n % 10 == 0)
        record.differing = QStringList{QStringLiteral("Input 1, phone number 1")};
    for (int i = 1; i <= 3; ++i)
        record.voice.append({QStringLiteral("H%1.WAV").arg(i, 2, 10, QLatin1Char('0')), 8044,
                             QString(64, QLatin1Char('a' + i))});
}

bool fail(const QString& error) {
    std::fprintf(stderr, "journal_bench: %s\n", qPrintable(error));
    return false;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

struct BenchUser final : UserInteraction {
    QString chooseFile(const FileDialogRequest&) override { return {}; }
    Answer showMessage(const MessageRequest& request) override { return request.defaultButton; }
    void showAbout() override {}
};
struct BenchProgress final : ProgressSink, CommandButtons {
    void setProgress(int) override {}
    void apply(EnableState) override {}
};

} // namespace

int main(int argc, char** argv) {
    // The History dialog is measured too: without a display, offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int writes = 200, records = 10000;
    QString base = QStringLiteral("/tmp");
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--writes") && i + 1 < argc)
            writes = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--records") && i + 1 < argc)
            records = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--folder") && i + 1 < argc)
            base = QString::fromLocal8Bit(argv[++i]);
        else {
            std::fprintf(stderr,
                         "usage: journal_bench [--writes N] [--records N] [--folder DIR]\n");
            return 2;
        }
    }
    QTemporaryDir dir(base + QStringLiteral("/quillary-journal-bench-XXXXXX"));
    QString error;
    auto journal = Journal::open(dir.filePath(QStringLiteral("journal.sqlite")), &error);
    if (!journal)
        return fail(error), 1;

    // 1. One write, as the unit commands record it.
    std::vector<double> costs;
    QElapsedTimer timer;
    for (int n = 0; n < writes; ++n) {
        const QByteArray config = imageOf(quint32(3 * n)), backup = imageOf(quint32(3 * n + 1)),
                         readBack = imageOf(quint32(3 * n + 2));
        timer.start();
        JournalRecord record = writeRecord(n);
        record.configSha256 = journal->addImage(config, &error);
        record.backupSha256 = journal->addImage(backup, &error);
        if (record.configSha256.isEmpty() || record.backupSha256.isEmpty() ||
            !journal->begin(record, &error))
            return fail(error), 1;
        record.readBackSha256 = journal->addImage(readBack, &error);
        finish(record, n);
        if (record.readBackSha256.isEmpty() || !journal->complete(record, &error))
            return fail(error), 1;
        costs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    const double writeMedian = median(costs), write95 = percentile(costs, 0.95);
    std::printf("recording one write (begin + addImage x3 + complete), %d writes, new images\n",
                writes);
    std::printf("  median %.2f ms, 95th percentile %.2f ms, max %.2f ms\n", writeMedian, write95,
                *std::max_element(costs.begin(), costs.end()));
    std::printf("  target: under 20 ms -> %s\n", write95 < 20 ? "met" : "NOT met");

    // 2. The History dialog's list. The records beyond those above are added
    // as the unit commands would, known images and all.
    std::printf("filling the journal to %d records ...\n", records);
    std::fflush(stdout);
    const QString known = sha256Hex(imageOf(0));
    for (int n = writes; n < records; ++n) {
        JournalRecord record = writeRecord(n);
        record.configSha256 = record.backupSha256 = record.readBackSha256 = known;
        if (!journal->begin(record, &error))
            return fail(error), 1;
        finish(record, n);
        if (!journal->complete(record, &error))
            return fail(error), 1;
    }
    std::vector<double> lists;
    qsizetype listed = 0;
    for (int round = 0; round < 5; ++round) {
        timer.start();
        listed = journal->records().size();
        lists.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("records() of a journal of %lld records: median %.1f ms of 5 (first %.1f ms)\n",
                static_cast<long long>(listed), median(lists), lists.front());
    std::printf("  target: under 300 ms -> %s\n", median(lists) < 300 ? "met" : "NOT met");
    timer.start();
    const qsizetype last = journal->records({QStringLiteral("A7"), 100, {}, {}}).size();
    std::printf("records() of one unit, newest %lld: %.2f ms\n", static_cast<long long>(last),
                double(timer.nsecsElapsed()) / 1e6);

    // 3. The History dialog opening on that journal, until it has shown.
    ConfigSession session{QString()};
    BenchUser user;
    LibraryLinkApi link;
    SystemClock clock;
    Profile profile(dir.filePath(QStringLiteral("quillary.ini")));
    BenchProgress progress;
    const CommandContext context{session, user, link, 0, clock, profile, progress, progress};
    std::vector<double> opens;
    for (int round = 0; round < 3; ++round) {
        timer.start();
        HistoryDialog dialog(*journal, context, [](const QString&) {});
        dialog.show();
        QApplication::processEvents();
        opens.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("the History dialog on %lld records: median %.1f ms of 3 (first %.1f ms)\n",
                static_cast<long long>(listed), median(opens), opens.front());
    std::printf("  target: under 300 ms -> %s\n", median(opens) < 300 ? "met" : "NOT met");
    return 0;
}
