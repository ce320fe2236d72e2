// The recorder dialog with no sound server to talk to (the test runs with
// PULSE_SERVER naming a socket that does not exist): Record and Play show the
// audio layer's warning, nothing runs, and the recording on disk is untouched.
#include "TestSupport.h"
#include "config/Profile.h"
#include "voice/QtAudioDevice.h"
#include "voice/VoiceNewDlg.h"
#include "voice/WaveFile.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestVoiceNoServer : public QObject {
    Q_OBJECT
private slots:
    void warnsAndKeepsTheRecording() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Alarm_H04.WAV");
        QString error;
        QVERIFY(WaveFile::writeUnitWave(path, 8000, QByteArray(4000, '\x90'), &error));
        const QByteArray before = readFile(path);

        QtAudioDevice device;
        ScriptedUserInteraction user;
        Profile profile(dir.filePath("quillary.ini"));
        CVoiceNewDlg dialog(device, user, profile, dir.path(), "Alarm");
        dialog.m_filename = "alarm_h04.wav";
        dialog.m_capacity = WaveFile::UnitMemoryCapacity;
        dialog.show();

        for (const char* button : {"recordButton", "playButton"}) {
            user.messages.clear();
            dialog.findChild<QPushButton*>(button)->click();
            QCOMPARE(user.messages.size(), 1);
            const MessageRequest shown = user.messages.first();
            QCOMPARE(shown.text, device.errorText());
            QVERIFY(!shown.text.isEmpty());
            QCOMPARE(shown.caption, QStringLiteral("Quillary"));
            QCOMPARE(shown.icon, MessageIcon::Warning);
            QCOMPARE(shown.buttons, MessageButtons::Ok);
            QVERIFY(!dialog.recorder().isRecording() && !dialog.recorder().isPlaying());
            QVERIFY(dialog.findChild<QPushButton*>("closeButton")->isEnabled());
            QVERIFY(!dialog.findChild<QPushButton*>("stopButton")->isEnabled());
        }
        dialog.reject();
        QCOMPARE(readFile(path), before);
        QCOMPARE(QDir(dir.path()).entryList({"*.WAV", "*.wav"}, QDir::Files),
                 QStringList{"Alarm_H04.WAV"});
    }
};

QTEST_MAIN(TestVoiceNoServer)
#include "tst_voicenoserver.moc"
