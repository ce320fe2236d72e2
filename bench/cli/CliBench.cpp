// Times `quillary-cli write --voice` against the unit simulator at a line
// rate: a configuration with all 32 voice messages switched on, the template
// recordings as its own. Compares the time, process start-up included, with
// the time the payload (87 registers and the files sent) alone needs on the
// line.
//
// usage: cli_bench [--baud RATE]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

int fail(const char* what) {
    std::fprintf(stderr, "cli_bench: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    long baud = 115200;
    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf("--baud"); at > 0 && at + 1 < arguments.size())
        baud = arguments[at + 1].toLong();
    if (baud <= 0)
        return fail("--baud takes a positive rate");

    QTemporaryDir dir;
    const QDir config(dir.path());
    QByteArray image(87 * 256, '\0');
    for (int reg = 1; reg <= 80; ++reg) {
        const QByteArray text = "text of register " + QByteArray::number(reg);
        image.replace((reg - 1) * 256, text.size(), text);
    }
    image.replace(83 * 256, 16, QByteArray(16, '1')); // every voice message switched on
    image.replace(84 * 256, 16, QByteArray(16, '1'));
    QFile file(config.filePath("Bench.QRB"));
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size())
        return fail("cannot write the configuration");
    file.close();
    const QDir templates(QStringLiteral(VOICE_TEMPLATES));
    for (const QString& name : templates.entryList({"*.WAV", "*.wav"}, QDir::Files)) {
        const QString own = "Bench_" + name;
        if (!QFile::copy(templates.filePath(name), config.filePath(own)))
            return fail("cannot copy the recordings");
    }

    QProcess sim;
    sim.setProgram(QStringLiteral(VELK_UNIT_SIM));
    sim.setArguments({"--state", config.filePath("unit"), "--link", config.filePath("tty"),
                      "--baud", QString::number(baud)});
    sim.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    sim.start();
    for (int i = 0; i < 500 && !QFileInfo::exists(config.filePath("tty")); ++i)
        QThread::msleep(10);
    if (!QFileInfo::exists(config.filePath("tty")))
        return fail("the simulator did not start");

    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUILLARY_LINK_DEVICE", config.filePath("tty"));
    cli.setProcessEnvironment(environment);
    cli.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    cli.start(QStringLiteral(QUILLARY_CLI), {"write", "--voice", config.filePath("Bench.QRB")});
    const bool finished = cli.waitForFinished(600000);
    const double seconds = timer.nsecsElapsed() / 1e9;
    sim.terminate();
    sim.waitForFinished();
    if (!finished || cli.exitCode() != 0)
        return fail("quillary-cli write --voice failed");

    qint64 voiceBytes = 0;
    const QDir received(config.filePath("unit/voice"));
    const QStringList files = received.entryList(QDir::Files);
    for (const QString& name : files)
        voiceBytes += QFileInfo(received.filePath(name)).size();
    const qint64 payload = image.size() + voiceBytes;
    const double bound = double(payload) * 10.0 / double(baud);
    std::printf("line rate          %ld baud\n", baud);
    std::printf("payload            %lld bytes (registers %lld, voice %lld in %lld files)\n",
                static_cast<long long>(payload), static_cast<long long>(image.size()),
                static_cast<long long>(voiceBytes), static_cast<long long>(files.size()));
    std::printf("time               %.3f s (quillary-cli write --voice, start-up included)\n",
                seconds);
    std::printf("payload bound      %.3f s\n", bound);
    std::printf("ratio              %.3f (target <= 1.10)\n", seconds / bound);
    return 0;
}
