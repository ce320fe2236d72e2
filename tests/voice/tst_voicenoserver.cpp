// The recorder dialog with no sound server to talk to (the test runs with
// PULSE_SERVER naming a socket that does not exist), and with one that takes
// connections and never answers: Record and Play show a warning, nothing runs,
// the window keeps painting, and the recording on disk is untouched; Speak,
// which needs no sound server, still works at once.
#include "TestSupport.h"
#include "config/Profile.h"
#include "voice/QtAudioDevice.h"
#include "voice/SoundServer.h"
#include "voice/VoiceNewDlg.h"
#include "voice/WaveFile.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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
            QTRY_COMPARE(user.messages.size(), 1);
            const MessageRequest shown = user.messages.first();
            QCOMPARE(shown.text, device.errorText());
            QVERIFY(!shown.text.isEmpty());
            QVERIFY(shown.text != SoundServer::doesNotAnswerText());
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

    // A stopped or hung server takes the connection and never replies; Qt
    // Multimedia would block the window for half a minute on it.
    void hungServerLeavesTheWindowPainting() {
        QTemporaryDir dir;
        const QByteArray socketPath = dir.filePath("native").toLocal8Bit();
        const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        QVERIFY(listener >= 0);
        QList<int> held{listener};
        const auto closeAll = qScopeGuard([&] {
            for (int fd : held)
                ::close(fd);
        });
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path);
        QVERIFY(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        QVERIFY(::listen(listener, 16) == 0);
        QSocketNotifier incoming(listener, QSocketNotifier::Read);
        connect(&incoming, &QSocketNotifier::activated,
                [&] { held << ::accept(listener, nullptr, nullptr); });
        const QByteArray before = qgetenv("PULSE_SERVER");
        qputenv("PULSE_SERVER", "unix:" + socketPath);
        const auto restore = qScopeGuard([&] { qputenv("PULSE_SERVER", before); });

        const QString path = dir.filePath("Alarm_H04.WAV");
        QString error;
        QVERIFY(WaveFile::writeUnitWave(path, 8000, QByteArray(4000, '\x90'), &error));
        const QByteArray recording = readFile(path);
        QtAudioDevice device;
        ScriptedUserInteraction user;
        Profile profile(dir.filePath("quillary.ini"));
        CVoiceNewDlg dialog(device, user, profile, dir.path(), "Alarm");
        dialog.m_filename = "Alarm_H04.WAV";
        dialog.m_capacity = WaveFile::UnitMemoryCapacity;
        dialog.m_speechText = "Door open";

        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(20);
        // Opening waits for the input; then Record and Play each ask again.
        // A press of Record while the input opens is no second box, and no
        // empty one.
        const std::function<void()> steps[] = {
            [&] {
                QTimer::singleShot(500, &dialog, [&] {
                    auto* record = dialog.findChild<QPushButton*>("recordButton");
                    QAccessible::queryAccessibleInterface(record)->actionInterface()->doAction(
                        QAccessibleActionInterface::pressAction());
                });
                dialog.show();
            },
            [&] { dialog.findChild<QPushButton*>("recordButton")->click(); },
            [&] { dialog.findChild<QPushButton*>("playButton")->click(); },
        };
        for (const auto& step : steps) {
            user.messages.clear();
            ticks = 0;
            QElapsedTimer clock;
            clock.start();
            step();
            QTRY_COMPARE_WITH_TIMEOUT(user.messages.size(), 1, 10000);
            const qint64 waited = clock.elapsed();
            QVERIFY2(waited >= 2500 && waited <= 3500, qPrintable(QString::number(waited)));
            // A frozen window would see one tick at most.
            QVERIFY2(ticks >= waited / 20 / 2, qPrintable(QString::number(ticks)));
            QCOMPARE(user.messages.first().text, SoundServer::doesNotAnswerText());
            QCOMPARE(user.messages.first().icon, MessageIcon::Warning);
            QVERIFY(!dialog.recorder().isRecording() && !dialog.recorder().isPlaying());
            QVERIFY(dialog.findChild<QPushButton*>("closeButton")->isEnabled());
        }
        QVERIFY(held.size() > 1);
        QCOMPARE(readFile(path), recording);

        // Speech needs no sound server: Speak does not wait on this one
        // (espeak-ng would, for half a minute).
        user.messages.clear();
        QElapsedTimer clock;
        clock.start();
        dialog.findChild<QPushButton*>("speakButton")->click();
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(user.messages.size(), 0);
        QVERIFY(readFile(path) != recording);
        QCOMPARE(qgetenv("PULSE_SERVER"), "unix:" + socketPath);
        dialog.reject();
    }
};

QTEST_MAIN(TestVoiceNoServer)
#include "tst_voicenoserver.moc"
