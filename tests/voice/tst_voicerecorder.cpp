// The recorder's logic over a fake device: button states and flags through
// every transition, the running estimate and the red bars, the recount after
// Stop, the data-size rule, the quality setting, saving all-or-nothing, and
// the waveform's summary.
#include "FakeAudioDevice.h"
#include "FifoWriter.h"
#include "TestSupport.h"
#include "config/Profile.h"
#include "seams/Translations.h"
#include "voice/VoiceRecorder.h"
#include "voice/WaveFile.h"
#include "voice/Waveform.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <QtEndian>

#include <unistd.h>

Q_DECLARE_METATYPE(WaveFile::PcmFormat)

namespace {

const QString Title = QStringLiteral("Alarm");
const QString Message = QStringLiteral("Alarm_H02.WAV");

// A WAV-like file whose RIFF size field says riffSize, padded to `length`.
QByteArray riffWithSize(quint32 riffSize, int length = 44) {
    QByteArray bytes = "RIFF" + QByteArray(4, 0) + "WAVE";
    qToLittleEndian(riffSize, bytes.data() + 4);
    bytes.resize(std::max<qsizetype>(length, bytes.size()), '\x80');
    return bytes;
}

QString buttonText(const RecorderButtons& b) {
    return QString("%1%2%3%4")
        .arg(int(b.record))
        .arg(int(b.play))
        .arg(int(b.stop))
        .arg(int(b.close));
}

QString stateText(const VoiceRecorder& r) {
    return r.isRecording() ? "recording" : r.isPlaying() ? "playing" : "idle";
}

struct Rig {
    QTemporaryDir dir;
    FakeAudioDevice device;
    ScriptedUserInteraction user;
    Profile profile{dir.filePath("profile.ini")};
    VoiceRecorder recorder{device, user, profile, dir.path(), Title};

    QString path(const QString& name) const { return dir.filePath(name); }
};

} // namespace

class TestVoiceRecorder : public QObject {
    Q_OBJECT
private slots:
    // Actions: R Record, P Play, S Stop, N the device's successful end; a "!"
    // after R or P makes the device refuse to open. Buttons: Record, Play,
    // Stop, Close.
    void transitions_data() {
        QTest::addColumn<bool>("hasRecording");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("deviceCalls");
        const QString play = "play Alarm_H02.WAV";
        const struct {
            const char* name;
            bool hasRecording;
            const char* actions;
            const char* buttons;
            const char* state;
            QString deviceCalls;
        } rows[] = {
            {"opens", true, "", "1101", "idle", ""},
            {"opens without sound", false, "", "1001", "idle", ""},
            {"idle record", true, "R", "0110", "recording", "record 8000"},
            {"record enables play", false, "R", "0110", "recording", "record 8000"},
            {"playing record", true, "P R", "0110", "recording", play + ",stop,record 8000"},
            {"idle play", true, "P", "1010", "playing", play},
            {"recording play", true, "R P", "1010", "playing", "record 8000,stop," + play},
            {"recording stop", true, "R S", "1101", "idle", "record 8000,stop"},
            {"playing stop", true, "P S", "1101", "idle", play + ",stop"},
            {"stop when idle", true, "S", "1101", "idle", ""},
            {"playback completes", true, "P N", "1101", "idle", play + ",stop"},
            {"recording completes", true, "R N", "0101", "idle", "record 8000,stop"},
            {"record refused", true, "R!", "1101", "idle", "record 8000"},
            {"record refused, no sound", false, "R!", "1001", "idle", "record 8000"},
            {"play refused", true, "P!", "1101", "idle", play},
            {"late end after stop", true, "P S N", "1101", "idle", play + ",stop"},
        };
        for (const auto& row : rows) {
            QTest::newRow(row.name)
                << row.hasRecording << QString(row.actions) << QString(row.buttons)
                << QString(row.state) << row.deviceCalls;
        }
    }
    void transitions() {
        QFETCH(bool, hasRecording);
        QFETCH(QString, actions);
        QFETCH(QString, buttons);
        QFETCH(QString, state);
        QFETCH(QString, deviceCalls);

        Rig rig;
        if (hasRecording)
            writeFile(rig.path(Message), riffWithSize(36 + 100, 144));
        rig.recorder.open(Message, 100, WaveFile::UnitMemoryCapacity);
        for (const QString& action : actions.split(' ', Qt::SkipEmptyParts)) {
            rig.device.refuse = action.endsWith('!');
            if (action.startsWith('R'))
                rig.recorder.record();
            else if (action.startsWith('P'))
                rig.recorder.play();
            else if (action == "S")
                rig.recorder.stop();
            else if (action == "N")
                rig.recorder.handleNotification(AudioNotification::Successful);
        }
        QCOMPARE(buttonText(rig.recorder.buttons()), buttons);
        QCOMPARE(stateText(rig.recorder), state);
        QCOMPARE(rig.device.calls.join(','), deviceCalls);
        QCOMPARE(rig.recorder.isTimerRunning(), state == "recording");

        const bool refused = actions.contains('!');
        QCOMPARE(rig.user.messages.size(), refused ? 1 : 0);
        if (refused) {
            const MessageRequest shown = rig.user.messages.first();
            QCOMPARE(shown.text, rig.device.error);
            QCOMPARE(shown.caption, QStringLiteral("Quillary"));
            QCOMPARE(shown.icon, MessageIcon::Warning);
            QCOMPARE(shown.buttons, MessageButtons::Ok);
            // A refused start replaces nothing.
            QCOMPARE(QFileInfo::exists(rig.path(Message)), hasRecording);
        }
    }

    // A press while the input still opens starts the take at once; an
    // opening that then fails ends it, told once and with a text.
    void recordPressedWhileTheInputOpens_data() {
        QTest::addColumn<bool>("inputOpens");
        QTest::addColumn<bool>("silentServer");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<QStringList>("messages");
        const QString busy = QStringLiteral("The audio device is busy.");
        QTest::newRow("opens") << true << false << "0110" << QStringList();
        QTest::newRow("silent server") << false << true << "1001" << QStringList{busy};
        QTest::newRow("no input") << false << false << "1001" << QStringList{busy};
    }
    void recordPressedWhileTheInputOpens() {
        QFETCH(bool, inputOpens);
        QFETCH(bool, silentServer);
        QFETCH(QString, buttons);
        QFETCH(QStringList, messages);
        Rig rig;
        rig.device.openLater = true;
        rig.device.inputOpens = inputOpens;
        rig.device.silentServer = silentServer;
        rig.recorder.open(Message, 0, WaveFile::UnitMemoryCapacity);
        rig.recorder.openInput();
        QVERIFY(rig.recorder.isOpeningInput());
        rig.recorder.record();
        QCOMPARE(rig.device.calls.join(','), QStringLiteral("open input,record 8000"));
        QVERIFY(rig.recorder.isRecording());
        rig.device.finishOpening();
        QVERIFY(!rig.recorder.isOpeningInput());
        QCOMPARE(buttonText(rig.recorder.buttons()), buttons);
        QCOMPARE(rig.recorder.isRecording(), inputOpens);
        QCOMPARE(rig.recorder.isTimerRunning(), inputOpens);
        QStringList shown;
        for (const MessageRequest& message : rig.user.messages)
            shown << message.text;
        QCOMPARE(shown, messages);
    }

    void notificationMessages() {
        Rig rig;
        rig.recorder.open(Message, 0, WaveFile::UnitMemoryCapacity);
        rig.recorder.play();
        rig.recorder.handleNotification(AudioNotification::Superseded);
        rig.recorder.handleNotification(AudioNotification::Failure);
        rig.recorder.handleNotification(AudioNotification::Aborted);
        QCOMPARE(rig.user.messages.size(), 2);
        QCOMPARE(rig.user.messages[0],
                 (MessageRequest{"Playback stopped!", "Quillary", MessageButtons::Ok,
                                 MessageIcon::None, Answer::Ok}));
        QCOMPARE(rig.user.messages[1].text, QStringLiteral("Playback interrupted!"));
        QCOMPARE(rig.user.messages[1].icon, MessageIcon::None);
        QVERIFY(rig.recorder.isPlaying());
    }

    void estimateAndRedBars_data() {
        QTest::addColumn<int>("used");
        QTest::addColumn<qint64>("lengthMs");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("message");
        QTest::addColumn<bool>("red");
        QTest::newRow("two seconds") << 1000 << qint64(2000) << 17000 << 16000 << false;
        QTest::newRow("exactly full") << 524672 << qint64(2000) << 540672 << 16000 << false;
        QTest::newRow("one byte over") << 524673 << qint64(2000) << 540673 << 16000 << true;
    }
    void estimateAndRedBars() {
        QFETCH(int, used);
        QFETCH(qint64, lengthMs);
        QFETCH(int, total);
        QFETCH(int, message);
        QFETCH(bool, red);
        for (const bool lowQuality : {false, true}) {
            Rig rig;
            rig.recorder.setLowQuality(lowQuality);
            rig.recorder.open(Message, used, WaveFile::UnitMemoryCapacity);
            QVERIFY(!rig.recorder.totalRed());
            rig.recorder.tick(); // not recording: nothing moves
            QCOMPARE(rig.recorder.totalPosition(), used);
            rig.recorder.record();
            QCOMPARE(rig.device.calls.last(), lowQuality ? "record 4000" : "record 8000");
            rig.device.length = lengthMs;
            rig.recorder.tick();
            QCOMPARE(rig.recorder.totalPosition(), total);
            QCOMPARE(rig.recorder.messagePosition(), message);
            QCOMPARE(rig.recorder.totalRed(), red);
            QCOMPARE(rig.recorder.messageRed(), red);
            // Once red, the bars stay red.
            rig.device.length = 0;
            rig.recorder.tick();
            QCOMPARE(rig.recorder.totalRed(), red);
        }
    }

    void overfullOpensRed() {
        Rig rig;
        rig.recorder.open(Message, 600000, WaveFile::UnitMemoryCapacity);
        QVERIFY(rig.recorder.totalRed());
        QVERIFY(!rig.recorder.messageRed());
        QCOMPARE(rig.recorder.totalPosition(), 600000);
    }

    void recountAfterStop() {
        Rig rig;
        writeFile(rig.path("Alarm_H01.WAV"), riffWithSize(1036, 1044));
        writeFile(rig.path("alarm_l16.wav"), riffWithSize(236, 244)); // any case counts
        writeFile(rig.path("Alarm_H05.WAV"), "RIFF");                 // too short: 0
        writeFile(rig.path("Alarm_L05.WAV"), riffWithSize(20));       // no data: not negative
        writeFile(rig.path("Alarm_H17.WAV"), riffWithSize(5036));     // not an input
        writeFile(rig.path("Alarm_SelectOutput.wav"), riffWithSize(5036));
        writeFile(rig.path("Other_H03.WAV"), riffWithSize(5036));
        QCOMPARE(WaveFile::CountUsedVoiceMemory(rig.dir.path(), Title), 1200);

        rig.recorder.setLowQuality(true);
        rig.recorder.open(Message, 1200, WaveFile::UnitMemoryCapacity);
        rig.recorder.record();
        rig.device.length = 2000;
        rig.recorder.tick();
        QCOMPARE(rig.recorder.messagePosition(), 16000); // the estimate ignores the rate
        rig.device.samples = QByteArray(8000, '\x80');   // what 2 s at 4000 Hz give
        rig.recorder.stop();
        QCOMPARE(rig.recorder.used(), 1200 + 8000);
        // The bars wait for the next recording's ticks.
        QCOMPARE(rig.recorder.totalPosition(), 1200 + 16000);
        QCOMPARE(WaveFile::WaveDataSize(rig.path(Message)), 8000);

        // Playing and stopping recounts too.
        QFile::remove(rig.path("Alarm_H01.WAV"));
        rig.recorder.play();
        rig.recorder.stop();
        QCOMPARE(rig.recorder.used(), 200 + 8000);
    }

    void waveDataSize_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<qint64>("size");
        QTest::newRow("RIFF 1036") << riffWithSize(1036) << qint64(1000);
        QTest::newRow("header only") << WaveFile::canonicalHeader(8000, 0) << qint64(0);
        QTest::newRow("shorter than 8 bytes") << QByteArray("RIFF\x10\0\0", 7) << qint64(0);
        QTest::newRow("empty") << QByteArray() << qint64(0);
        QTest::newRow("size field below 36") << riffWithSize(0) << qint64(-36);
        QTest::newRow("largest size field") << riffWithSize(0xFFFFFFFF) << qint64(0xFFFFFFFF - 36);
    }
    void waveDataSize() {
        QFETCH(QByteArray, contents);
        QFETCH(qint64, size);
        QTemporaryDir dir;
        writeFile(dir.filePath("x.wav"), contents);
        QCOMPARE(WaveFile::WaveDataSize(dir.filePath("x.wav")), size);
        QCOMPARE(WaveFile::WaveDataSize(dir.filePath("missing.wav")), qint64(-1));
    }

    // A FIFO or a folder under a recording's name is no recording: the FIFO
    // is never opened (its writer stays waiting), and nothing is read whole
    // from an 80 MiB file.
    void specialFilesAreNotRead() {
        QTemporaryDir dir;
        FifoWriter fifo(dir.filePath("T_H01.WAV"));
        QVERIFY(fifo.isWaiting());
        QVERIFY(QDir(dir.path()).mkdir("T_H02.WAV"));
        QVERIFY(QFile(dir.filePath("big.wav")).open(QIODevice::WriteOnly));
        QVERIFY(QFile(dir.filePath("big.wav")).resize(80 << 20));
        QCOMPARE(WaveFile::WaveDataSize(dir.filePath("T_H01.WAV")), qint64(-1));
        QCOMPARE(WaveFile::WaveDataSize(dir.filePath("T_H02.WAV")), qint64(-1));
        QCOMPARE(WaveFile::CountUsedVoiceMemory(dir.path(), "T"), 0);
        WaveFile::WaveContents contents;
        QString error;
        QVERIFY(!WaveFile::readWave(dir.filePath("T_H01.WAV"), &contents, &error));
        QVERIFY2(error.contains("not a regular file"), qPrintable(error));
        QVERIFY(!WaveFile::readWave(dir.filePath("big.wav"), &contents, &error));
        QVERIFY2(error.contains("voice memory"), qPrintable(error));
        QCOMPARE(WaveFile::checkRecording(dir.filePath("big.wav")).status,
                 WaveFile::RecordingCheck::TooBig);
        QCOMPARE(WaveFile::checkRecording(dir.filePath("T_H01.WAV")).status,
                 WaveFile::RecordingCheck::NotRegularFile);
        QCOMPARE(WaveFile::checkRecording(dir.filePath("none.wav")).status,
                 WaveFile::RecordingCheck::Missing);
        QCOMPARE(WaveFile::checkRecordingFile(dir.filePath("T_H01.WAV")).status,
                 WaveFile::RecordingCheck::NotRegularFile);
        QVERIFY(!fifo.wasReleased());
        // The reason is said in the program's language; the status stays.
        QCOMPARE(Translations::install(*QCoreApplication::instance(), "de"), QString("de"));
        const WaveFile::RecordingCheck missing = WaveFile::checkRecording(dir.filePath("none.wav"));
        for (QTranslator* translator : qApp->findChildren<QTranslator*>())
            delete translator;
        QCOMPARE(missing.status, WaveFile::RecordingCheck::Missing);
        QVERIFY2(missing.why.contains("existiert"), qPrintable(missing.why));
    }

    void hugeFilesSaturateTheCount() {
        QTemporaryDir dir;
        for (int n = 1; n <= 3; ++n)
            writeFile(dir.filePath(QString("T_H0%1.WAV").arg(n)), riffWithSize(0xFFFFFFFF));
        QCOMPARE(WaveFile::CountUsedVoiceMemory(dir.path(), "T"), INT_MAX);
    }

    void lowQualityIsStoredAtOnce() {
        Rig rig;
        rig.recorder.open(Message, 0, WaveFile::UnitMemoryCapacity);
        QVERIFY(!rig.recorder.lowQuality());
        // On disk at once, not when the settings object goes.
        rig.recorder.setLowQuality(true);
        QVERIFY(readFile(rig.path("profile.ini")).contains("HalfRate=1"));
        rig.recorder.setLowQuality(false);
        QVERIFY(readFile(rig.path("profile.ini")).contains("HalfRate=0"));

        Profile stored(rig.path("profile2.ini"));
        stored.settings().setValue("VoiceRecorder/HalfRate", 1);
        VoiceRecorder second(rig.device, rig.user, stored, rig.dir.path(), Title);
        second.open(Message, 0, WaveFile::UnitMemoryCapacity);
        QVERIFY(second.lowQuality());
    }

    void closingKeepsTheRecording() {
        Rig rig;
        rig.recorder.open(Message, 0, WaveFile::UnitMemoryCapacity);
        rig.recorder.record();
        rig.device.samples = QByteArray(300, '\x80');
        rig.recorder.close();
        QVERIFY(!rig.recorder.isRecording());
        QCOMPARE(WaveFile::WaveDataSize(rig.path(Message)), 300);
        QCOMPARE(rig.recorder.used(), 300);
        rig.recorder.play();
        rig.recorder.close();
        QVERIFY(!rig.recorder.isPlaying());
        QCOMPARE(rig.device.calls.join(','), "record 8000,stop,play Alarm_H02.WAV,stop");
    }

    // The file is replaced under the spelling it already has.
    void savesOverAnyCaseOfTheName() {
        Rig rig;
        writeFile(rig.path("alarm_h02.wav"), riffWithSize(1036, 1044));
        rig.recorder.open(Message, 0, WaveFile::UnitMemoryCapacity);
        rig.recorder.record();
        rig.device.samples = QByteArray(10, '\x80');
        rig.recorder.stop();
        QCOMPARE(QDir(rig.dir.path()).entryList({"*.wav", "*.WAV"}, QDir::Files),
                 QStringList{"alarm_h02.wav"});
        QCOMPARE(WaveFile::WaveDataSize(rig.path("alarm_h02.wav")), 10);
    }

    // On a full disk the save fails with a message and the old recording stays.
    void fullDiskKeepsTheOldRecording() {
        if (geteuid() != 0)
            QSKIP("mounting a small file system needs root (the test command runs as root)");
        QTemporaryDir mountPoint;
        QCOMPARE(QProcess::execute("mount",
                                   {"-t", "tmpfs", "-o", "size=64k", "tmpfs", mountPoint.path()}),
                 0);
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {mountPoint.path()}); });
        const QString folder = mountPoint.path();
        const QByteArray old = riffWithSize(1036, 1044);
        writeFile(folder + "/Alarm_H02.WAV", old);
        QFile filler(folder + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
        }
        filler.close();

        FakeAudioDevice device;
        ScriptedUserInteraction user;
        QTemporaryDir profileDir;
        Profile profile(profileDir.filePath("p.ini"));
        VoiceRecorder recorder(device, user, profile, folder, Title);
        recorder.open(Message, 1000, WaveFile::UnitMemoryCapacity);
        recorder.record();
        device.samples = QByteArray(32000, '\x80');
        recorder.stop();
        QCOMPARE(user.messages.size(), 1);
        QVERIFY(user.messages[0].text.startsWith("The recording could not be saved as"));
        QCOMPARE(user.messages[0].icon, MessageIcon::Warning);
        QCOMPARE(readFile(folder + "/Alarm_H02.WAV"), old);
        QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"Alarm_H02.WAV", "filler"}));
    }

    void conversion_data() {
        using WaveFile::PcmFormat;
        using WaveFile::SampleType;
        QTest::addColumn<PcmFormat>("from");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("toRate");
        QTest::addColumn<QByteArray>("expected");

        QByteArray stereo16; // frames (L, R): (16384, -16384), (32767, 32767)
        for (qint16 v : {qint16(16384), qint16(-16384), qint16(32767), qint16(32767)}) {
            char b[2];
            qToLittleEndian(v, b);
            stereo16.append(b, 2);
        }
        QTest::newRow("stereo 16-bit mixed to mono")
            << PcmFormat{8000, 2, SampleType::Int16} << stereo16 << 8000
            << QByteArray("\x80\xff", 2);

        QByteArray floats; // six frames of 48 kHz float: 0.5 x3, -0.5 x3
        for (float v : {0.5f, 0.5f, 0.5f, -0.5f, -0.5f, -0.5f}) {
            char b[4];
            qToLittleEndian(v, b);
            floats.append(b, 4);
        }
        QTest::newRow("48 kHz float to 8 kHz")
            << PcmFormat{48000, 1, SampleType::Float} << floats << 8000 << QByteArray("\x80", 1);
        QTest::newRow("4 kHz to 8 kHz interpolates")
            << PcmFormat{4000, 1, SampleType::UInt8} << QByteArray("\x40\xc0", 2) << 8000
            << QByteArray("\x40\x80\xc0\xc0", 4);
        QTest::newRow("clips, never wraps")
            << PcmFormat{8000, 1, SampleType::Float} << QByteArray("\0\0\0\x40", 4) << 8000
            << QByteArray("\xff", 1);
    }
    void conversion() {
        QFETCH(WaveFile::PcmFormat, from);
        QFETCH(QByteArray, input);
        QFETCH(int, toRate);
        QFETCH(QByteArray, expected);
        QCOMPARE(WaveFile::convertPcm(input, from, WaveFile::unitFormat(toRate)).toHex(' '),
                 expected.toHex(' '));
    }

    // The waveform's description, and its columns showing where sound starts.
    void waveformSummary_data() {
        QTest::addColumn<QByteArray>("samples");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("described");
        const auto tone = [](int count, char low, char high) {
            QByteArray bytes;
            for (int i = 0; i < count; ++i)
                bytes.append(i % 2 ? high : low);
            return bytes;
        };
        QTest::newRow("silence") << QByteArray(8000, '\x80') << 8000 << "1.0 s, silent";
        QTest::newRow("quiet") << QByteArray(4000, '\x90') << 8000 << "0.5 s, peak -18 dBFS";
        QTest::newRow("half scale, low quality")
            << tone(6000, 64, char(192)) << 4000 << "1.5 s, peak -6 dBFS";
        QTest::newRow("full scale")
            << tone(4000, 0, char(255)) << 8000 << "0.5 s, peak 0 dBFS, clipped";
        QTest::newRow("one step short of full scale")
            << tone(4000, 1, char(254)) << 8000 << "0.5 s, peak 0 dBFS";
    }
    void waveformSummary() {
        QFETCH(QByteArray, samples);
        QFETCH(int, rate);
        QFETCH(QString, described);
        QCOMPARE(Waveform::summarise(samples, rate).describe(), described);
    }
    void waveformColumns() {
        QByteArray samples(100, '\x80');
        for (int i = 0; i < 100; ++i)
            samples.append(i % 2 ? char(255) : char(64));
        const QList<Waveform::Column> columns = Waveform::columns(samples, 2);
        QCOMPARE(columns.size(), 2);
        QCOMPARE(columns[0].low, 0.0f);
        QCOMPARE(columns[0].high, 0.0f);
        QVERIFY(!columns[0].clipped);
        QCOMPARE(columns[1].low, -0.5f);
        QCOMPARE(columns[1].high, 127 / 128.0f);
        QVERIFY(columns[1].clipped);
        QVERIFY(Waveform::columns({}, 10).isEmpty());
        QCOMPARE(Waveform::columns(QByteArray(3, '\x80'), 10).size(), 10);
    }
};

QTEST_GUILESS_MAIN(TestVoiceRecorder)
#include "tst_voicerecorder.moc"
