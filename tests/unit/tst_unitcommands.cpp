// Transfer to unit, Transfer from unit and Syncronize clock against the
// recording link: calls, messages, enable states and progress, in order.
#include "UnitTestHelpers.h"
#include "config/VoiceFiles.h"
#include "unit/SyncClockCommand.h"
#include "unit/TransferFromUnitCommand.h"
#include "unit/TransferToUnitCommand.h"
#include "unit/UnitTexts.h"
#include "unit/UploadVoiceMessages.h"
#include "voice/WaveFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace VoiceFiles;
constexpr int Image = int(RegisterStore::ImageSize);

QStringList registerCalls(const QString& name, int first, int last, const QString& tail) {
    QStringList calls;
    for (int reg = first; reg <= last; ++reg)
        calls << QStringLiteral("%1(7,%2,%3)").arg(name).arg(reg).arg(tail);
    return calls;
}

QByteArray patternImage() {
    QByteArray image(Image, '\0');
    for (int i = 0; i < Image; ++i)
        image[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return image;
}

} // namespace

class TestUnitCommands : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        session_ = std::make_unique<ConfigSession>(dir_->filePath("no-templates"));
        link_ = RecordingLinkApi();
        scripted_ = ScriptedUserInteraction();
        log_.events.clear();
    }

    // Alarm with inputs 1, 5 and 16 switched on for high and input 2 for low;
    // input 5 and input 2 have no recording, but stale unit-side copies lie
    // beside the configuration: H01.WAV a link to another file, H05.WAV a
    // recording. Neither is sent, written or followed.
    void transferWithVoiceMessages() {
        openAlarm("1000100000000001", "01");
        writeFile(dir_->filePath(configHighName("Alarm", 1)), wav(1));
        writeFile(dir_->filePath(configHighName("Alarm", 16)), wav(16));
        writeFile(dir_->filePath(configLowName("Alarm", 3)), wav(3)); // switched off
        writeFile(dir_->filePath("alarm_selectoutput.WAV"), wav(40)); // any case
        writeFile(dir_->filePath(configSelectOnOffName("Alarm")), wav(41));
        writeFile(dir_->filePath("other.txt"), "not sound");
        QVERIFY(QFile::link(dir_->filePath("other.txt"), dir_->filePath("H01.WAV")));
        writeFile(dir_->filePath("H05.WAV"), wav(98));
        const auto listing = [this] {
            QStringList entries;
            for (const QFileInfo& info : QDir(dir_->path())
                                             .entryInfoList(QDir::AllEntries | QDir::System |
                                                            QDir::Hidden | QDir::NoDotAndDotDot))
                entries << QStringLiteral("%1 %2 %3")
                               .arg(info.fileName())
                               .arg(info.lastModified().toMSecsSinceEpoch())
                               .arg(info.size());
            return entries;
        };
        const QStringList before = listing();
        scripted_.nextAnswers << Answer::Yes;
        link_.uploadProgress = {0, 57, 100};
        // While the unit takes them: the folder's lstat mode and whether it is
        // ours, then each copy's kind.
        QStringList staged;
        link_.duringUpload = [&] {
            struct stat info {};
            const QString folder = QFileInfo(link_.uploadedFiles.first()).path();
            ::lstat(QFile::encodeName(folder).constData(), &info);
            staged << QString::number(info.st_mode, 8) << (info.st_uid == geteuid() ? "ours" : "");
            for (const QString& file : link_.uploadedFiles)
                staged << (::lstat(QFile::encodeName(file).constData(), &info) == 0 &&
                                   S_ISREG(info.st_mode)
                               ? "file"
                               : file);
        };

        run<TransferToUnitCommand>();

        QCOMPARE(link_.calls,
                 QStringList({"LinkConnect(7,)", "LinkQueryUnit(7)", "LinkPrepareTransfer(7)"}) +
                     registerCalls("LinkWriteRegister", 1, 87, "0,0") +
                     QStringList({"LinkUploadVoice(7,4)", "LinkFinishTransfer(7)"}));
        QCOMPARE(link_.writtenImage, storeImage());
        // Copies under the unit-side names in a private folder, gone
        // afterwards; the configuration's folder is as it was.
        QCOMPARE(link_.uploadedFiles.size(), 4);
        const QString staging = QFileInfo(link_.uploadedFiles.first()).path();
        QVERIFY(!staging.startsWith(dir_->path()));
        QVERIFY(!QFileInfo::exists(staging));
        QCOMPARE(link_.uploadedFiles,
                 QStringList({staging + "/H01.WAV", staging + "/H16.WAV",
                              staging + "/SelectOutput.wav", staging + "/SelectOnOff.wav"}));
        QCOMPARE(link_.uploadedContents, QList<QByteArray>({wav(1), wav(16), wav(40), wav(41)}));
        QCOMPARE(staged, QStringList({"40700", "ours", "file", "file", "file", "file"}));
        QCOMPARE(listing(), before);
        QCOMPARE(readFile(dir_->filePath("other.txt")), QByteArray("not sound"));

        const MessageRequest question = scripted_.messages.first();
        QCOMPARE(question.text, UnitTexts::uploadVoiceQuestion());
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QCOMPARE(question.icon, MessageIcon::Question);
        QCOMPARE(question.defaultButton, Answer::No);

        QStringList expected{buttonsEvent(EnableState::AllDisabled),
                             messageEvent(question.text, MessageIcon::Question)};
        for (int reg = 1; reg <= 87; ++reg)
            expected << progressEvent((reg - 1) * 100 / 87);
        expected << progressEvent(0) << progressEvent(57) << progressEvent(100)
                 << messageEvent(UnitTexts::transferComplete(), MessageIcon::Information)
                 << buttonsEvent(EnableState::AllEnabled) << progressEvent(0);
        QCOMPARE(log_.events, expected);
        // After registers 1, 44 and 87.
        QCOMPARE(log_.events.at(2), progressEvent(0));
        QCOMPARE(log_.events.at(2 + 43), progressEvent(49));
        QCOMPARE(log_.events.at(2 + 86), progressEvent(98));
    }

    // The question comes only with a title; No, its default, sends no voice.
    void noVoiceWithoutTitleOrWithNo() {
        run<TransferToUnitCommand>();
        QVERIFY(scripted_.messages.size() == 1); // the final message only
        QCOMPARE(link_.calls.size(), 3 + 87 + 1);
        QCOMPARE(link_.writtenImage, QByteArray(Image, '\0'));

        openAlarm("1", "");
        link_.calls.clear();
        scripted_.messages.clear();
        run<TransferToUnitCommand>();
        QCOMPARE(scripted_.messages.first().text, UnitTexts::uploadVoiceQuestion());
        QVERIFY(!link_.calls.join(' ').contains("LinkUploadVoice"));
        QCOMPARE(link_.calls.last(), QStringLiteral("LinkFinishTransfer(7)"));
    }

    void transferToUnitFailures_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("lastCall");
        QTest::addColumn<bool>("resetsProgress");
        const QString error = UnitTexts::communicationError();
        QTest::newRow("password") << "LinkConnect" << 8 << UnitTexts::passwordProtected()
                                  << "LinkConnect(7,)" << false;
        QTest::newRow("connect") << "LinkConnect" << 5 << error << "LinkConnect(7,)" << false;
        QTest::newRow("query") << "LinkQueryUnit" << 9 << error << "LinkQueryUnit(7)" << false;
        QTest::newRow("prepare") << "LinkPrepareTransfer" << 9 << error << "LinkPrepareTransfer(7)"
                                 << false;
        QTest::newRow("register 40")
            << "register 40" << 9 << error << "LinkWriteRegister(7,40,0,0)" << true;
        QTest::newRow("upload") << "LinkUploadVoice" << 6 << error << "LinkUploadVoice(7,2)"
                                << true;
        QTest::newRow("prompt missing") << "prompt missing" << 0 << UnitTexts::voiceFilesMissing()
                                        << "LinkPrepareTransfer(7)" << true;
        QTest::newRow("finish") << "LinkFinishTransfer" << 9 << error << "LinkFinishTransfer(7)"
                                << true;
    }
    void transferToUnitFailures() {
        QFETCH(QString, call);
        QFETCH(int, result);
        QFETCH(QString, message);
        QFETCH(QString, lastCall);
        QFETCH(bool, resetsProgress);
        openAlarm("", "");
        writeFile(dir_->filePath(configSelectOutputName("Alarm")), wav(1));
        if (call != "prompt missing")
            writeFile(dir_->filePath(configSelectOnOffName("Alarm")), wav(2));
        scripted_.nextAnswers << Answer::Yes;
        if (call == "register 40")
            link_.writeResults[40] = result;
        else
            link_.results[call] = result;

        run<TransferToUnitCommand>();

        QCOMPARE(link_.calls.last(), lastCall);
        QStringList tail{messageEvent(message), buttonsEvent(EnableState::AllEnabled)};
        if (resetsProgress)
            tail << progressEvent(0);
        QCOMPARE(log_.events.mid(log_.events.size() - tail.size()), tail);
        if (call == "register 40") {
            QCOMPARE(log_.events.filter("progress:").size(), 39 + 1);
            QCOMPARE(log_.events.at(log_.events.size() - 4), progressEvent(38 * 100 / 87));
        }
        if (!resetsProgress)
            QVERIFY(log_.events.filter("progress:").isEmpty());
    }

    void badVoiceFilesAreNotSent_data() {
        QTest::addColumn<QByteArray>("recording");
        QTest::addColumn<QString>("reason");
        const QByteArray samples = voiceSamples(1, 100);
        QTest::newRow("no RIFF") << QByteArray("ID3\x03 not a wave at all") << "not a WAV file";
        QTest::newRow("empty") << QByteArray() << "not a WAV file";
        QTest::newRow("stereo") << makeWav(samples, 8000, 2) << "8-bit mono PCM";
        QTest::newRow("16 bit") << makeWav(samples, 8000, 1, 16) << "8-bit mono PCM";
        QTest::newRow("11025 Hz") << makeWav(samples, 11025) << "8-bit mono PCM";
        QTest::newRow("compressed") << makeWav(samples, 8000, 1, 8, 6) << "8-bit mono PCM";
        QTest::newRow("cut short") << makeWav(samples).left(44 + 60) << "shorter than its header";
        QTest::newRow("4000 Hz") << makeWav(samples, 4000) << QString();
        QTest::newRow("data filling the memory")
            << makeWav(QByteArray(WaveFile::UnitMemoryCapacity, '\x80')) << QString();
        QTest::newRow("data over the memory")
            << makeWav(QByteArray(WaveFile::UnitMemoryCapacity + 1, '\x80')) << "voice memory";
        // Made by the test body: a FIFO (opening it must not wait for a
        // writer), a folder, and an 80 MiB sparse file refused unread.
        QTest::newRow("FIFO") << QByteArray() << "not a regular file";
        QTest::newRow("folder") << QByteArray() << "not a regular file";
        QTest::newRow("80 MiB") << QByteArray() << "voice memory";
    }
    // A refused recording (here a switched-on input's, or a prompt's) stops
    // the transfer before any register is written.
    void badVoiceFilesAreNotSent() {
        QFETCH(QByteArray, recording);
        QFETCH(QString, reason);
        const QByteArray tag = QTest::currentDataTag();
        openAlarm("01", "");
        const QString path = dir_->filePath(tag == "folder" ? configSelectOnOffName("Alarm")
                                                            : configHighName("Alarm", 2));
        if (tag == "FIFO")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (tag == "folder")
            QVERIFY(QDir(dir_->path()).mkdir(QFileInfo(path).fileName()));
        else if (tag == "80 MiB")
            QVERIFY(QFile(path).open(QIODevice::WriteOnly) && QFile(path).resize(80 << 20));
        else
            writeFile(path, recording);
        writeFile(dir_->filePath(configSelectOutputName("Alarm")), wav(1));
        if (tag != "folder")
            writeFile(dir_->filePath(configSelectOnOffName("Alarm")), wav(2));
        scripted_.nextAnswers << Answer::Yes;

        run<TransferToUnitCommand>();

        if (reason.isEmpty()) {
            QCOMPARE(link_.calls.filter("LinkUploadVoice").join(' '), "LinkUploadVoice(7,3)");
            QVERIFY(link_.uploadedFiles.first().endsWith("/H02.WAV"));
            return;
        }
        QCOMPARE(link_.calls,
                 QStringList({"LinkConnect(7,)", "LinkQueryUnit(7)", "LinkPrepareTransfer(7)"}));
        const QString message = log_.events.filter("message:").last();
        QVERIFY2(message.contains(path) && message.contains(reason), qPrintable(message));
    }

    void transferFromUnit() {
        openAlarm("", "");
        const QByteArray before = readFile(alarmPath());
        link_.unitImage = patternImage();
        const QString target = dir_->filePath("fromUnit.QRB");
        scripted_.nextFiles << target;

        run<TransferFromUnitCommand>();

        QCOMPARE(link_.calls, QStringList({"LinkConnect(7,)", "LinkPrepareTransfer(7)"}) +
                                  registerCalls("LinkReadRegister", 1, 87, "0"));
        QCOMPARE(
            log_.events,
            QStringList({buttonsEvent(EnableState::AllDisabled),
                         messageEvent(UnitTexts::transferComplete(), MessageIcon::Information),
                         buttonsEvent(EnableState::AllEnabled), progressEvent(0), "file dialog"}));
        QCOMPARE(scripted_.fileDialogs.first().kind, FileDialogKind::Save);
        QCOMPARE(readFile(target), link_.unitImage);
        QCOMPARE(session_->current().g_configPath, target);
        QCOMPARE(session_->current().g_configTitle, QStringLiteral("Alarm"));
        QCOMPARE(readFile(alarmPath()), before);

        // A cancelled save dialog keeps the unit's registers in memory only.
        link_.unitImage = patternImage().mid(256);
        run<TransferFromUnitCommand>();
        QCOMPARE(storeImage().left(Image - 256), link_.unitImage);
        QVERIFY(session_->unitRegistersUnsaved());
        QCOMPARE(readFile(target), patternImage());
    }

    void transferFromUnitFailures_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("lastCall");
        const QString error = UnitTexts::communicationError();
        const int all = int(EnableState::AllEnabled);
        QTest::newRow("prepare") << "LinkPrepareTransfer" << 9 << error
                                 << int(EnableState::FromUnitPrepareFailed)
                                 << "LinkPrepareTransfer(7)";
        QTest::newRow("register 5")
            << "register 5" << 9 << error << all << "LinkReadRegister(7,5,0)";
    }
    void transferFromUnitFailures() {
        QFETCH(QString, call);
        QFETCH(int, result);
        QFETCH(QString, message);
        QFETCH(int, buttons);
        QFETCH(QString, lastCall);
        openAlarm("1", "");
        session_->store().setText(1, "+4712345678");
        QVERIFY(session_->save());
        const QByteArray before = storeImage();
        link_.unitImage = patternImage();
        if (call == "register 5")
            link_.readResults[5] = result;
        else
            link_.results[call] = result;

        run<TransferFromUnitCommand>();

        QCOMPARE(link_.calls.last(), lastCall);
        QCOMPARE(log_.events.mid(1, 2),
                 QStringList({messageEvent(message), buttonsEvent(EnableState(buttons))}));
        QCOMPARE(log_.events.size(), call == "register 5" ? 4 : 3); // then the bar to 0
        QVERIFY(scripted_.fileDialogs.isEmpty());
        QCOMPARE(storeImage(), before);
        QCOMPARE(readFile(alarmPath()), before);
        QVERIFY(!session_->unitRegistersUnsaved());
    }

    void syncClock_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::newRow("set") << "" << 0 << UnitTexts::clockSet() << int(MessageIcon::Information);
        QTest::newRow("refused") << "LinkSetClock" << 9 << UnitTexts::communicationError()
                                 << int(MessageIcon::None);
        QTest::newRow("password") << "LinkConnect" << 8 << UnitTexts::passwordProtected()
                                  << int(MessageIcon::None);
    }
    void syncClock() {
        QFETCH(QString, call);
        QFETCH(int, result);
        QFETCH(QString, message);
        QFETCH(int, icon);
        link_.results[call] = result;
        // A clock that moves a second with every link call: the time must
        // be taken once connected, not before.
        struct MovingClock final : Clock {
            const RecordingLinkApi& link;
            explicit MovingClock(const RecordingLinkApi& l) : link(l) {}
            QDateTime now() const override {
                return QDateTime(QDate(2026, 12, 6), QTime(17, 5, 8)).addSecs(link.calls.size());
            }
        } clock(link_);
        SyncClockCommand(context(), clock).run();

        QCOMPARE(log_.events, QStringList({buttonsEvent(EnableState::AllDisabled),
                                           messageEvent(message, MessageIcon(icon)),
                                           buttonsEvent(EnableState::AllEnabled)}));
        if (call != "LinkConnect")
            QCOMPARE(link_.clockRecord, QByteArray::fromHex("EA070C0600110509"));
        else
            QCOMPARE(link_.calls, QStringList({"LinkConnect(7,)"}));
    }

private:
    QString alarmPath() const { return dir_->filePath("Alarm.QRB"); }
    QByteArray wav(int seed) const { return makeWav(voiceSamples(seed)); }
    QByteArray storeImage() const {
        return QByteArray(reinterpret_cast<const char*>(session_->store().data()), Image);
    }

    // Alarm.QRB with the two voice-flag registers, loaded.
    void openAlarm(const QByteArray& highFlags, const QByteArray& lowFlags) {
        QByteArray image(Image, '\0');
        image.replace(83 * 256, highFlags.size(), highFlags);
        image.replace(84 * 256, lowFlags.size(), lowFlags);
        writeFile(alarmPath(), image);
        QVERIFY(session_->load(alarmPath()));
    }

    UnitCommandContext context() {
        return {link_, RecordingLinkApi::Handle, log_, log_, log_, *session_};
    }
    template <typename Command> void run() {
        log_.events.clear();
        Command(context()).run();
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ConfigSession> session_;
    RecordingLinkApi link_;
    ScriptedUserInteraction scripted_;
    EventLog log_{scripted_};
};

QTEST_GUILESS_MAIN(TestUnitCommands)
#include "tst_unitcommands.moc"
