// The recorder dialog on the real audio device against a sound server (the
// test command starts one with a null sink and a microphone on its monitor):
// recordings in the unit's format read back by sox, playback to its end,
// closing while recording, and what screen readers are told.
#include "TestSupport.h"
#include "config/Profile.h"
#include "controls/TextProgressCtrl.h"
#include "voice/QtAudioDevice.h"
#include "voice/VoiceNewDlg.h"
#include "voice/WaveFile.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString Title = QStringLiteral("Alarm");

struct SoxInfo {
    int rate = 0, channels = 0, bits = 0;
    QString encoding;
    qint64 samples = -1;
};

SoxInfo soxi(const QString& path) {
    const auto ask = [&](const char* option) {
        QProcess process;
        process.start("soxi", {option, path});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    };
    return {ask("-r").toInt(), ask("-c").toInt(), ask("-b").toInt(), ask("-e"),
            ask("-s").toLongLong()};
}

QString buttons(CVoiceNewDlg& dialog) {
    QString states;
    for (const char* name : {"recordButton", "playButton", "stopButton", "closeButton"})
        states += dialog.findChild<QPushButton*>(name)->isEnabled() ? '1' : '0';
    return states;
}

struct Rig {
    QTemporaryDir dir;
    QtAudioDevice device;
    ScriptedUserInteraction user;
    Profile profile{dir.filePath("quillary.ini")};
    CVoiceNewDlg dialog{device, user, profile, dir.path(), Title};

    explicit Rig(const QString& fileName) {
        dialog.m_filename = fileName;
        dialog.m_status = QStringLiteral("Voicemessage for high on input 2");
        dialog.m_capacity = WaveFile::UnitMemoryCapacity;
    }
    void click(const char* name) { dialog.findChild<QPushButton*>(name)->click(); }
    // The dialog opens the input from its event loop, before a press can reach it.
    bool show() {
        dialog.show();
        return QTest::qWaitFor([&] { return device.isInputOpen(); }, 10000);
    }
};

} // namespace

class TestVoiceDialog : public QObject {
    Q_OBJECT
private slots:
    void recordsInTheUnitFormat_data() {
        QTest::addColumn<bool>("lowQuality");
        QTest::addColumn<bool>("convert");
        QTest::addColumn<int>("openDelayMs"); // the first press comes before the input is open
        QTest::newRow("8000 Hz") << false << false << 0;
        QTest::newRow("4000 Hz") << true << false << 0;
        QTest::newRow("8000 Hz from the device's own format") << false << true << 0;
        QTest::newRow("pressed while the input opens") << false << false << 400;
    }
    void recordsInTheUnitFormat() {
        QFETCH(bool, lowQuality);
        QFETCH(bool, convert);
        QFETCH(int, openDelayMs);
        Rig rig("Alarm_H02.WAV");
        rig.device.setAlwaysConvert(convert);
        rig.device.setOpenDelay(openDelayMs);
        if (openDelayMs > 0) {
            rig.dialog.show();
            QTRY_VERIFY(rig.dialog.recorder().isOpeningInput());
        } else {
            QVERIFY(rig.show());
        }
        if (lowQuality)
            rig.dialog.findChild<QCheckBox*>("lowQualityCheckBox")->click();

        // The first take of the session and a later one each keep the time
        // between Record and Stop, to within 50 ms.
        const int rate = lowQuality ? 4000 : 8000;
        const QString path = rig.dir.filePath("Alarm_H02.WAV");
        for (int take = 1; take <= 2; ++take) {
            QElapsedTimer clock;
            clock.start();
            rig.click("recordButton");
            QVERIFY2(rig.user.messages.isEmpty(), qPrintable(rig.user.messages.value(0).text));
            QCOMPARE(buttons(rig.dialog), QStringLiteral("0110"));
            QVERIFY(rig.dialog.recorder().isRecording());
            QCOMPARE(rig.device.isInputOpen(), take > 1 || openDelayMs == 0);
            QTest::qWait(1000);
            // The input is captured at 8000 Hz (or the device's own format)
            // and brought to the take's rate when it ends.
            QVERIFY(rig.device.isInputOpen());
            QCOMPARE(rig.device.captureFormat() != WaveFile::unitFormat(8000), convert);
            // The bars follow the estimate while recording.
            QTRY_VERIFY_WITH_TIMEOUT(rig.dialog.recorder().messagePosition() > 0, 10000);
            const qint64 pressedMs = clock.elapsed();
            rig.click("stopButton");
            QCOMPARE(buttons(rig.dialog), QStringLiteral("1101"));

            const SoxInfo info = soxi(path);
            QCOMPARE(info.rate, rate);
            QCOMPARE(info.channels, 1);
            QCOMPARE(info.bits, 8);
            QCOMPARE(info.encoding, QStringLiteral("Unsigned Integer PCM"));
            const qint64 keptMs = info.samples * 1000 / rate;
            QVERIFY2(
                qAbs(keptMs - pressedMs) <= 50,
                qPrintable(
                    QString("take %1: %2 ms kept of %3 ms").arg(take).arg(keptMs).arg(pressedMs)));
            QCOMPARE(WaveFile::WaveDataSize(path), info.samples);
            QCOMPARE(QFileInfo(path).size(), WaveFile::HeaderSize + info.samples);
            QCOMPARE(rig.dialog.m_used, int(info.samples));
        }
    }

    void playsToTheEnd() {
        Rig rig("Alarm_H01.WAV");
        // 1.5 s of a quiet tone in the unit's format.
        QByteArray tone;
        for (int i = 0; i < 12000; ++i)
            tone.append(char(i % 16 < 8 ? 0x90 : 0x70));
        QString error;
        QVERIFY(WaveFile::writeUnitWave(rig.dir.filePath("Alarm_H01.WAV"), 8000, tone, &error));
        rig.dialog.m_used = 12000;
        rig.dialog.show();
        QCOMPARE(buttons(rig.dialog), QStringLiteral("1101"));

        QElapsedTimer clock;
        clock.start();
        rig.click("playButton");
        QVERIFY2(rig.user.messages.isEmpty(), qPrintable(rig.user.messages.value(0).text));
        QCOMPARE(buttons(rig.dialog), QStringLiteral("1010"));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.dialog.recorder().isPlaying(), 30000);
        QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(buttons(rig.dialog), QStringLiteral("1101"));
        QVERIFY(rig.user.messages.isEmpty());
    }

    void escapeWhileRecordingKeepsTheTake() {
        Rig rig("Alarm_L03.WAV");
        QVERIFY(rig.show());
        rig.click("recordButton");
        QVERIFY(rig.user.messages.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(rig.device.lengthMs() > 200, 10000);
        QTest::keyClick(&rig.dialog, Qt::Key_Escape);
        QVERIFY(!rig.dialog.isVisible());
        QVERIFY(!rig.dialog.recorder().isRecording());
        QVERIFY(WaveFile::WaveDataSize(rig.dir.filePath("Alarm_L03.WAV")) > 0);
    }

    void runsModallyOnTheRequest() {
        QTemporaryDir dir;
        ScriptedUserInteraction user;
        Profile profile(dir.filePath("quillary.ini"));
        QString status, file;
        int used = -1, capacity = -1;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<CVoiceNewDlg*>(QApplication::activeModalWidget())) {
                status = dialog->findChild<QLabel*>("statusLabel")->text();
                file = dialog->recorder().filePath();
                used = dialog->recorder().used();
                capacity = dialog->recorder().capacity();
            }
            if (QWidget* still = QApplication::activeModalWidget())
                still->close();
        });
        VoiceRecorderRequest request;
        request.used = 4000;
        request.status = "Voicemessage for low on input 12";
        request.fileName = "Alarm_L12.WAV";
        RunVoiceRecorder(user, profile, dir.path(), Title, request);
        QCOMPARE(status, QStringLiteral("Voicemessage for low on input 12"));
        QCOMPARE(file, dir.filePath("Alarm_L12.WAV"));
        QCOMPARE(used, 4000);
        QCOMPARE(capacity, WaveFile::UnitMemoryCapacity);
    }

    void screenReadersReadTheTexts() {
        Rig rig("Alarm_H02.WAV");
        rig.dialog.m_used = WaveFile::UnitMemoryCapacity / 2;
        rig.dialog.show();
        QCOMPARE(rig.dialog.windowTitle(), QStringLiteral("Voicemessage"));
        const auto name = [](QObject* object) {
            return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
        };
        auto* status = rig.dialog.findChild<QLabel*>("statusLabel");
        QCOMPARE(status->text(), QStringLiteral("Voicemessage for high on input 2"));
        QCOMPARE(name(status), status->text());
        auto* total = rig.dialog.findChild<CTextProgressCtrl*>("totalUsageBar");
        QCOMPARE(name(total), QStringLiteral("Total usage of voice memory"));
        QCOMPARE(QAccessible::queryAccessibleInterface(total)->text(QAccessible::Description),
                 QStringLiteral("50.0%"));
        QCOMPARE(name(rig.dialog.findChild<CTextProgressCtrl*>("messageUsageBar")),
                 QStringLiteral("This message usage of total voice memory"));
        QCOMPARE(name(rig.dialog.findChild<QCheckBox*>("lowQualityCheckBox")),
                 QStringLiteral("Low quality"));
    }
};

QTEST_MAIN(TestVoiceDialog)
#include "tst_voicedialog.moc"
