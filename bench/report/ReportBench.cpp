// Runs the print command on a full configuration (every register at its
// longest, 255 characters) with "Print to File (PDF)" chosen, and reports how
// long it takes. Target: under 0.3 s per printout.
//
//   report_bench [--rounds N] [--keep FILE.pdf]
#include "config/RegisterStore.h"
#include "report/PrintCommand.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

RegisterStore fullStore() {
    RegisterStore store;
    for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg) {
        QByteArray text = "Register " + QByteArray::number(reg) + " ";
        while (text.size() < RegisterStore::MaxTextLength)
            text += "{0000,00FF,0000}green and plain text ";
        store.setText(reg, text.left(RegisterStore::MaxTextLength));
    }
    store.setText(83, "PNPNPNPNPNPNPNPN");
    return store;
}

class PdfFile final : public PrinterChooser {
public:
    explicit PdfFile(QString path) : path_(std::move(path)) {}
    bool choosePrinter(QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path_);
        return true;
    }

private:
    QString path_;
};

class Silent final : public UserInteraction {
public:
    QStringList messages;
    QString chooseFile(const FileDialogRequest&) override { return QString(); }
    Answer showMessage(const MessageRequest& request) override {
        messages << request.text;
        return Answer::Ok;
    }
    void showAbout() override {}
};

double printOnce(const RegisterStore& store, const QString& pdfPath) {
    const QString configPath = QStringLiteral("/home/installer/configurations/Gate.QRB");
    SystemClock clock;
    Silent ui;
    PdfFile chooser(pdfPath);
    QElapsedTimer timer;
    timer.start();
    PrintCommand(store, configPath, clock, ui, chooser).run();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (ui.messages != QStringList{QStringLiteral("Configuration has been printed")}) {
        std::fprintf(stderr, "not printed: %s\n", qPrintable(ui.messages.join(' ')));
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int rounds = 20;
    QString keep;
    const QStringList arguments = app.arguments();
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == "--rounds")
            rounds = std::max(1, arguments[i + 1].toInt());
        else if (arguments[i] == "--keep")
            keep = arguments[i + 1];
    }

    QTemporaryDir dir;
    const QString pdfPath = keep.isEmpty() ? dir.filePath("report.pdf") : keep;
    const RegisterStore store = fullStore();
    const double first = printOnce(store, pdfPath);
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i)
        times.push_back(printOnce(store, pdfPath));
    std::sort(times.begin(), times.end());

    std::printf("full configuration to PDF (127 lines, registers of 255 characters)\n");
    std::printf("  first printout (fonts loaded): %.3f s\n", first);
    std::printf("  next %d: min %.3f s, median %.3f s, max %.3f s\n", rounds, times.front(),
                times[times.size() / 2], times.back());
    std::printf("  target: under 0.300 s -> %s\n", first < 0.3 ? "met" : "NOT met");
    return 0;
}
