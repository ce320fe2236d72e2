// Voice messages from sound files and from text: files that sox, lame and
// opusenc make in the test are imported and checked for the unit's format,
// their length after trimming, their peak and the pitch of their tone; files
// that cannot become a message are refused with the earlier recording intact.
#include "TestSupport.h"
#include "voice/VoiceSource.h"
#include "voice/WaveFile.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray OldRecording = WaveFile::canonicalHeader(8000, 4) + QByteArray("\x80\x90\x70\x80");

// Runs a tool that makes a test file; the test fails when it is missing,
// since scripts/install-deps.sh --tests installs every one of them.
bool make(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning().noquote() << program << arguments.join(' ') << "failed:" << process.errorString()
                             << process.readAllStandardError();
        return false;
    }
    return true;
}

// 1 s of a 440 Hz tone at full scale with half a second of silence on
// either side, 2 s in all.
QStringList tone(const QString& file, const QStringList& format) {
    return QStringList{"-n"} + format +
           QStringList{file, "synth", "1", "sine", "440", "pad", "0.5", "0.5"};
}

struct Measure {
    double seconds = 0;
    int peak = 0; // largest distance from 128
    double frequency = 0;
};

// The tone's pitch from upward zero crossings over the middle 80 %, with a
// little hysteresis so that 8-bit noise around 128 does not count.
Measure measure(const WaveFile::WaveContents& wave) {
    Measure m;
    const QByteArray& d = wave.data;
    m.seconds = double(d.size()) / wave.format.sampleRate;
    for (char c : d)
        m.peak = std::max(m.peak, std::abs(int(quint8(c)) - 128));
    const qsizetype from = d.size() / 10, to = d.size() - d.size() / 10;
    int crossings = 0;
    qsizetype firstCrossing = -1, lastCrossing = -1;
    bool below = false;
    for (qsizetype i = from; i < to; ++i) {
        const int v = int(quint8(d[i])) - 128;
        if (v < -4) {
            below = true;
        } else if (v > 4 && below) {
            below = false;
            if (firstCrossing < 0)
                firstCrossing = i;
            else
                ++crossings;
            lastCrossing = i;
        }
    }
    if (crossings > 0)
        m.frequency =
            crossings * double(wave.format.sampleRate) / double(lastCrossing - firstCrossing);
    return m;
}

} // namespace

class TestVoiceSource : public QObject {
    Q_OBJECT

private slots:
    void importSoundFile_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("sox"); // makes `source`; empty: written below
        QTest::addColumn<QString>("encoder"); // "lame" or "opusenc" from a WAV made by sox
        QTest::addColumn<bool>("lowQuality");
        QTest::addColumn<int>("problem"); // VoiceMakeResult::Problem
        QTest::addColumn<QString>("messageHas");

        const QStringList flac = {"-r", "44100", "-c", "2", "-b", "16"};
        QTest::newRow("FLAC 44.1 kHz stereo")
            << "t.flac" << tone("t.flac", flac) << "" << false << int(VoiceMakeResult::None) << "";
        QTest::newRow("FLAC, low quality")
            << "t.flac" << tone("t.flac", flac) << "" << true << int(VoiceMakeResult::None) << "";
        QTest::newRow("WAV 48 kHz 24-bit")
            << "t.wav" << tone("t.wav", {"-r", "48000", "-c", "1", "-b", "24"}) << "" << false
            << int(VoiceMakeResult::None) << "";
        QTest::newRow("WAV 8 kHz 8-bit, the unit's own")
            << "t.wav" << tone("t.wav", {"-r", "8000", "-c", "1", "-b", "8", "-e", "unsigned"})
            << "" << false << int(VoiceMakeResult::None) << "";
        QTest::newRow("Ogg Vorbis 22.05 kHz")
            << "t.ogg" << tone("t.ogg", {"-r", "22050", "-c", "1"}) << "" << false
            << int(VoiceMakeResult::None) << "";
        QTest::newRow("MP3 44.1 kHz")
            << "t.mp3" << tone("t.wav", {"-r", "44100", "-c", "1", "-b", "16"}) << "lame" << false
            << int(VoiceMakeResult::None) << "";
        QTest::newRow("Opus 48 kHz")
            << "t.opus" << tone("t.wav", {"-r", "48000", "-c", "1", "-b", "16"}) << "opusenc"
            << false << int(VoiceMakeResult::None) << "";

        QTest::newRow("garbage") << "garbage.wav" << QStringList() << "" << false
                                 << int(VoiceMakeResult::NotSound) << "\"%1\" is not a sound file";
        QTest::newRow("too long") << "long.wav"
                                  << QStringList{"-n",       "-r",    "8000", "-c",   "1",
                                                 "long.wav", "synth", "70",   "sine", "440"}
                                  << "" << false << int(VoiceMakeResult::TooLong) << "67.6 seconds";
        QTest::newRow("too long, low quality")
            << "long.flac" << QStringList{"-n",        "-r",    "8000", "-c",   "1",
                                          "long.flac", "synth", "136",  "sine", "440"}
            << "" << true << int(VoiceMakeResult::TooLong) << "135.2 seconds";
        QTest::newRow("silence") << "silence.wav"
                                 << QStringList{"-n",          "-r",   "8000", "-c", "1",
                                                "silence.wav", "trim", "0",    "2"}
                                 << "" << false << int(VoiceMakeResult::Silent) << "silent";
        QTest::newRow("FIFO") << "fifo.wav" << QStringList() << "" << false
                              << int(VoiceMakeResult::SourceUnreadable) << "not a regular file";
        QTest::newRow("missing") << "missing.wav" << QStringList() << "" << false
                                 << int(VoiceMakeResult::SourceUnreadable) << "does not exist";
        QTest::newRow("target is a link") << "t.flac" << tone("t.flac", flac) << "" << false
                                          << int(VoiceMakeResult::TargetRefused) << "symbolic link";
    }

    void importSoundFile() {
        QFETCH(QString, source);
        QFETCH(QStringList, sox);
        QFETCH(QString, encoder);
        QFETCH(bool, lowQuality);
        QFETCH(int, problem);
        QFETCH(QString, messageHas);

        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        if (!sox.isEmpty())
            QVERIFY(make("sox", sox));
        if (encoder == "lame")
            QVERIFY(make("lame", {"--quiet", "t.wav", source}));
        else if (encoder == "opusenc")
            QVERIFY(make("opusenc", {"--quiet", "t.wav", source}));
        if (source == "garbage.wav") {
            QByteArray bytes = "RIFF\x10\0\0\0WAVEfmt ";
            for (int i = 0; i < 5000; ++i)
                bytes += char((i * 7919) % 251);
            writeFile(dir.filePath(source), bytes);
        } else if (source == "fifo.wav") {
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(source)).constData(), 0600), 0);
        }
        QString target = dir.filePath("Site_H03.WAV");
        writeFile(target, OldRecording);
        if (QTest::currentDataTag() == QLatin1String("target is a link")) {
            const QString linked = dir.filePath("elsewhere.WAV");
            writeFile(linked, OldRecording);
            target = dir.filePath("Site_H04.WAV");
            QVERIFY(QFile::link(linked, target));
        }

        const VoiceMakeResult result = ::importSoundFile(dir.filePath(source), target, lowQuality);
        QCOMPARE(int(result.problem), problem);
        if (problem != VoiceMakeResult::None) {
            QVERIFY(!result.ok);
            if (messageHas.contains("%1"))
                messageHas = messageHas.arg(dir.filePath(source));
            QVERIFY2(result.message.contains(messageHas), qPrintable(result.message));
            QCOMPARE(readFile(target), OldRecording);
            return;
        }
        QVERIFY2(result.ok, qPrintable(result.message));
        QVERIFY(result.message.isEmpty());

        const QByteArray written = readFile(target);
        QCOMPARE(WaveFile::unitWaveImageProblem(written), QString());
        const int rate = lowQuality ? 4000 : 8000;
        QCOMPARE(written.left(44), WaveFile::canonicalHeader(rate, quint32(written.size() - 44)));
        QCOMPARE(result.dataBytes, written.size() - 44);
        WaveFile::WaveContents wave;
        QString error;
        QVERIFY(WaveFile::parseWave(written, &wave, &error, target));
        QCOMPARE(wave.format, WaveFile::unitFormat(rate));

        // 1 s of tone and 30 ms kept on either side of it: not the 2 s of
        // the source. Lossy codecs smear the edges by a few milliseconds.
        const Measure m = measure(wave);
        QVERIFY2(m.seconds >= 1.05 && m.seconds <= 1.09, qPrintable(QString::number(m.seconds)));
        // -1 dBFS of 128 is 114.
        QVERIFY2(m.peak >= 113 && m.peak <= 114, qPrintable(QString::number(m.peak)));
        // A wrong rate anywhere (44.1 taken for 48 kHz, 4000 for 8000) is off
        // by 8 % or more.
        QVERIFY2(std::abs(m.frequency - 440) < 4.4, qPrintable(QString::number(m.frequency)));
    }

    // The unit's memory holds a message of exactly that many samples, and
    // not one more. Sound already at the unit's rate goes through the
    // resampler unchanged, so the sound lasts exactly `samples`: a 500 Hz
    // tone (16 samples a period, loud at both ends) between half-second
    // silences.
    void importAtTheMemoryLimit_data() {
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("problem");
        QTest::newRow("exactly the memory")
            << WaveFile::UnitMemoryCapacity << int(VoiceMakeResult::None);
        QTest::newRow("one sample more")
            << WaveFile::UnitMemoryCapacity + 1 << int(VoiceMakeResult::TooLong);
    }
    void importAtTheMemoryLimit() {
        QFETCH(int, samples);
        QFETCH(int, problem);
        QTemporaryDir dir;
        const QByteArray silence(4000, char(128));
        QByteArray tone(samples, char(128));
        for (int i = 0; i < samples; ++i)
            tone[i] = char(128 + std::lround(64 * std::cos(2 * M_PI * (i % 16) / 16)));
        const QByteArray data = silence + tone + silence;
        writeFile(dir.filePath("limit.wav"), WaveFile::canonicalHeader(8000, data.size()) + data);
        const QString target = dir.filePath("Site_H05.WAV");
        const VoiceMakeResult result = ::importSoundFile(dir.filePath("limit.wav"), target, false);
        QCOMPARE(int(result.problem), problem);
        QCOMPARE(result.dataBytes, qint64(problem ? 0 : WaveFile::UnitMemoryCapacity));
    }

    // Progress climbs to 100; stopping it writes nothing.
    void importReportsProgressAndStops() {
        QTemporaryDir dir;
        const QString source = dir.filePath("t.wav");
        QVERIFY(make("sox", tone(source, {"-r", "48000", "-c", "2", "-b", "16"})));
        const QString target = dir.filePath("Site_H01.WAV");
        writeFile(target, OldRecording);
        QList<int> seen;
        VoiceMakeResult result = ::importSoundFile(source, target, false, [&](int percent) {
            seen.append(percent);
            return percent < 50;
        });
        QCOMPARE(int(result.problem), int(VoiceMakeResult::Cancelled));
        QCOMPARE(readFile(target), OldRecording);
        QVERIFY(seen.size() >= 2 && seen.last() >= 50);
        seen.clear();
        result = ::importSoundFile(source, target, false, [&](int percent) {
            seen.append(percent);
            return true;
        });
        QVERIFY(result.ok);
        QVERIFY(seen.size() >= 4);
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
        QCOMPARE(seen.last(), 100);
    }

    // A message small enough to sit in a write buffer, on a full disk.
    void fullDiskKeepsTheOldRecording() {
        if (geteuid() != 0)
            QSKIP("mounting a small file system needs root (the test command runs as root)");
        QTemporaryDir dir;
        QVERIFY(make("sox", tone(dir.filePath("t.flac"), {"-r", "8000", "-c", "1"})));
        QTemporaryDir mountPoint;
        QCOMPARE(QProcess::execute("mount",
                                   {"-t", "tmpfs", "-o", "size=64k", "tmpfs", mountPoint.path()}),
                 0);
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {mountPoint.path()}); });
        const QString target = mountPoint.filePath("Site_H01.WAV");
        writeFile(target, OldRecording);
        QFile filler(mountPoint.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
        }
        filler.close();

        const VoiceMakeResult result = ::importSoundFile(dir.filePath("t.flac"), target, false);
        QCOMPARE(int(result.problem), int(VoiceMakeResult::TargetRefused));
        QVERIFY2(result.message.contains("No space left"), qPrintable(result.message));
        QCOMPARE(readFile(target), OldRecording);
        QCOMPARE(QDir(mountPoint.path()).entryList(QDir::Files),
                 (QStringList{"filler", "Site_H01.WAV"}));
    }

    void speakToFile_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("problem");

        QTest::newRow("English") << "The front door is open"
                                 << "en" << int(VoiceMakeResult::None);
        QTest::newRow("Czech") << QString::fromUtf8("Dveře otevřeny") << "cs"
                               << int(VoiceMakeResult::None);
        QTest::newRow("markup is read as text") << "<speak>[[h@l'oU]]</speak>"
                                                << "en" << int(VoiceMakeResult::None);
        QTest::newRow("empty") << "  "
                               << "en" << int(VoiceMakeResult::NothingToSpeak);
        QTest::newRow("unknown language") << "Door open"
                                          << "xx" << int(VoiceMakeResult::UnknownLanguage);
        QTest::newRow("a path for a language") << "Door open"
                                               << "../en" << int(VoiceMakeResult::UnknownLanguage);
        QTest::newRow("longer than the memory")
            << QString("open door ").repeated(1500) << "en" << int(VoiceMakeResult::TooLong);
    }

    void speakToFile() {
        QFETCH(QString, text);
        QFETCH(QString, language);
        QFETCH(int, problem);

        QTemporaryDir dir;
        const QString target = dir.filePath("Site_L01.WAV");
        writeFile(target, OldRecording);
        const VoiceMakeResult result = ::speakToFile(text, language, target, false);
        QCOMPARE(int(result.problem), problem);
        if (problem != VoiceMakeResult::None) {
            QVERIFY(!result.message.isEmpty());
            QCOMPARE(readFile(target), OldRecording);
            return;
        }
        QVERIFY2(result.ok, qPrintable(result.message));
        const QByteArray written = readFile(target);
        QCOMPARE(WaveFile::unitWaveImageProblem(written), QString());
        WaveFile::WaveContents wave;
        QString error;
        QVERIFY(WaveFile::parseWave(written, &wave, &error, target));
        QCOMPARE(wave.format, WaveFile::unitFormat(8000));
        const Measure m = measure(wave);
        QVERIFY2(m.seconds > 0.3 && m.seconds < 4, qPrintable(QString::number(m.seconds)));
        QVERIFY(m.peak >= 113);
        // Speech, not a click: a good part of it well away from silence.
        int loud = 0;
        for (char c : wave.data)
            loud += std::abs(int(quint8(c)) - 128) > 16;
        QVERIFY2(loud > wave.data.size() / 10, qPrintable(QString::number(loud)));
    }

    void defaultSpeechLanguageFollowsTheDesktop() {
        // The test runs with LANG=de_AT.UTF-8: no Austrian voice, so German.
        QCOMPARE(defaultSpeechLanguage(), QStringLiteral("de"));
    }
};

QTEST_GUILESS_MAIN(TestVoiceSource)
#include "tst_voicesource.moc"
