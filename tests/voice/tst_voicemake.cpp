// The recorder dialog's Import... and Speak on a fake device and fake makers:
// what they are asked, the window painting while they run, the bars and the
// waveform afterwards, a failure leaving the recording as it was, and how the
// buttons are reached by keyboard and by assistive tools.
#include "FakeAudioDevice.h"
#include "TestSupport.h"
#include "config/Profile.h"
#include "controls/TextProgressCtrl.h"
#include "voice/VoiceNewDlg.h"
#include "voice/WaveFile.h"
#include "voice/WaveformView.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <sys/stat.h>

namespace {

const char* const ButtonNames[] = {"recordButton", "playButton",  "stopButton",
                                   "importButton", "speakButton", "closeButton"};

struct Rig {
    QTemporaryDir dir;
    FakeAudioDevice device;
    ScriptedUserInteraction user;
    Profile profile{dir.filePath("quillary.ini")};
    CVoiceNewDlg dialog{device, user, profile, dir.path(), "Alarm"};
    QStringList made; // what the makers were asked, on their thread
    VoiceMakeResult result{true, {}, 8000};

    explicit Rig(const QString& speechText = QStringLiteral("Tür offen")) {
        dialog.m_filename = "Alarm_H02.WAV";
        dialog.m_status = "Voicemessage for high on input 2";
        dialog.m_capacity = WaveFile::UnitMemoryCapacity;
        dialog.m_speechText = speechText;
        // One second of a tone at half scale, written as the real makers do.
        const auto write = [this](const QString& target, bool low) {
            QThread::msleep(200);
            if (result.ok) {
                QByteArray tone;
                for (int i = 0; i < 8000; ++i)
                    tone.append(char(i % 2 ? 192 : 64));
                QString error;
                WaveFile::writeUnitWave(target, low ? 4000 : 8000, tone, &error);
            }
            return result;
        };
        VoiceMaker maker;
        maker.importFile = [this, write](const QString& source, const QString& target, bool low) {
            made << QString("import %1 to %2").arg(source, QFileInfo(target).fileName());
            return write(target, low);
        };
        maker.speak = [this, write](const QString& text, const QString& language,
                                    const QString& target, bool low) {
            made << QString("speak %1 in %2 to %3")
                        .arg(text, language, QFileInfo(target).fileName());
            return write(target, low);
        };
        dialog.recorder().setMaker(maker);
    }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(name); }
    QString enabled() {
        QString states;
        for (const char* name : ButtonNames)
            states += button(name)->isEnabled() ? '1' : '0';
        return states;
    }
    QString waveform() {
        return QAccessible::queryAccessibleInterface(dialog.findChild<CWaveformView*>())
            ->text(QAccessible::Description);
    }
};

} // namespace

class TestVoiceMake : public QObject {
    Q_OBJECT
private slots:
    void makesTheMessage_data() {
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("language"); // VoiceRecorder/Language
        QTest::addColumn<bool>("chooses");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("asked");
        const QString song = "/music/song.mp3";
        QTest::newRow("import") << "importButton"
                                << "" << true << true << "import " + song + " to Alarm_H02.WAV";
        QTest::newRow("speak in the profile's language")
            << "speakButton"
            << "de" << false << true << "speak Tür offen in de to Alarm_H02.WAV";
        QTest::newRow("speak in the desktop's language")
            << "speakButton"
            << "" << false << true
            << "speak Tür offen in " + defaultSpeechLanguage() + " to Alarm_H02.WAV";
        QTest::newRow("import fails")
            << "importButton"
            << "" << true << false << "import " + song + " to Alarm_H02.WAV";
        QTest::newRow("speech fails")
            << "speakButton"
            << "cs" << false << false << "speak Tür offen in cs to Alarm_H02.WAV";
        QTest::newRow("import cancelled") << "importButton"
                                          << "" << false << true << "";
    }
    void makesTheMessage() {
        QFETCH(QString, press);
        QFETCH(QString, language);
        QFETCH(bool, chooses);
        QFETCH(bool, ok);
        QFETCH(QString, asked);
        Rig rig;
        rig.profile.setSpeechLanguage(language);
        const QString path = rig.dir.filePath("Alarm_H02.WAV");
        QString error;
        QVERIFY(WaveFile::writeUnitWave(path, 8000, QByteArray(4000, '\x90'), &error));
        const QByteArray before = readFile(path);
        rig.dialog.m_used = 4000;
        rig.dialog.show();
        QCOMPARE(rig.waveform(), QStringLiteral("0.5 s, peak -18 dBFS"));
        QCOMPARE(rig.enabled(), QStringLiteral("110111"));
        if (chooses)
            rig.user.nextFiles << "/music/song.mp3";
        if (!ok)
            rig.result = {false, "song.mp3 is not a sound file that can be read.", 0};

        // While the maker works the window keeps painting, with every button off.
        QStringList seen;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            seen << rig.enabled() + " " + rig.dialog.findChild<QLabel*>("statusLabel")->text() +
                        (QApplication::overrideCursor() ? " busy" : "");
        });
        watch.start(20);
        rig.button(qPrintable(press))->click();
        watch.stop();

        QCOMPARE(rig.made, asked.isEmpty() ? QStringList() : QStringList{asked});
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(rig.dialog.findChild<QLabel*>("statusLabel")->text(),
                 QStringLiteral("Voicemessage for high on input 2"));
        QCOMPARE(rig.enabled(), QStringLiteral("110111"));
        if (asked.isEmpty()) {
            QVERIFY(seen.isEmpty());
            QVERIFY(rig.user.messages.isEmpty());
            QCOMPARE(readFile(path), before);
            return;
        }
        QVERIFY2(seen.size() >= 5, qPrintable(seen.join('\n')));
        QVERIFY2(seen.first().startsWith("000000 ") && seen.first().endsWith("... busy"),
                 qPrintable(seen.first()));
        auto* total = rig.dialog.findChild<CTextProgressCtrl*>("totalUsageBar");
        auto* message = rig.dialog.findChild<CTextProgressCtrl*>("messageUsageBar");
        if (ok) {
            QVERIFY(rig.user.messages.isEmpty());
            QCOMPARE(rig.dialog.m_used, 8000);
            QCOMPARE(total->GetPos(), 8000);
            QCOMPARE(message->GetPos(), 8000);
            QCOMPARE(rig.waveform(), QStringLiteral("1.0 s, peak -6 dBFS"));
        } else {
            QCOMPARE(rig.user.messages.size(), 1);
            QCOMPARE(rig.user.messages.first().text, rig.result.message);
            QCOMPARE(rig.user.messages.first().icon, MessageIcon::Warning);
            QCOMPARE(readFile(path), before);
            QCOMPARE(rig.dialog.m_used, 4000);
            QCOMPARE(message->GetPos(), 4000);
            QCOMPARE(rig.waveform(), QStringLiteral("0.5 s, peak -18 dBFS"));
        }
    }

    void reachedByKeyboardAndAssistiveTools() {
        Rig rig;
        rig.dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&rig.dialog));
        const auto name = [](QObject* object) {
            return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
        };
        QCOMPARE(name(rig.button("importButton")), QStringLiteral("Import..."));
        QCOMPARE(name(rig.button("speakButton")), QStringLiteral("Speak"));
        QCOMPARE(name(rig.dialog.findChild<CWaveformView*>()), QStringLiteral("Recording"));
        QCOMPARE(rig.waveform(), QStringLiteral("No recording"));

        QStringList order;
        QWidget* widget = rig.dialog.findChild<QCheckBox*>("lowQualityCheckBox");
        for (int i = 0; i < 6; ++i)
            order << (widget = widget->nextInFocusChain())->objectName();
        QCOMPARE(order, QStringList({"playButton", "recordButton", "stopButton", "importButton",
                                     "speakButton", "closeButton"}));

        // Alt+S speaks; an assistive tool's press on Import... opens the file dialog.
        QTest::keyClick(&rig.dialog, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(rig.made.size(), 1); // a mnemonic clicks after a short animation
        QAccessibleActionInterface* actions =
            QAccessible::queryAccessibleInterface(rig.button("importButton"))->actionInterface();
        actions->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(rig.user.fileDialogs.size(), 1);
        QCOMPARE(rig.user.fileDialogs.first().folder, rig.dir.path());

        // Only while idle.
        rig.button("recordButton")->click();
        QCOMPARE(rig.enabled(), QStringLiteral("011000"));
        rig.button("stopButton")->click();
        QCOMPARE(rig.enabled(), QStringLiteral("110111"));
    }

    void speakIsOffWithoutText() {
        Rig rig(QStringLiteral("  "));
        rig.dialog.show();
        QCOMPARE(rig.enabled(), QStringLiteral("100101"));
        rig.dialog.recorder().speak();
        QVERIFY(rig.made.isEmpty());
    }

    // A FIFO under the message's name is neither read nor waited on.
    void opensOnAFifo() {
        Rig rig;
        QCOMPARE(mkfifo(QFile::encodeName(rig.dir.filePath("Alarm_H02.WAV")).constData(), 0600), 0);
        rig.dialog.show();
        QCOMPARE(rig.waveform(), QStringLiteral("No recording"));
        QCOMPARE(rig.enabled(), QStringLiteral("100111"));
    }
};

QTEST_MAIN(TestVoiceMake)
#include "tst_voicemake.moc"
