// The main window's unit commands end to end: the real link library over a
// pseudo-terminal against the unit simulator, the user's answers scripted.
#include "UnitTestHelpers.h"
#include "app/QuillaryDlg.h"
#include "config/VoiceFiles.h"
#include "journal/Journal.h"
#include "link/SimProcess.h"
#include "unit/StepNamingLinkApi.h"
#include "unit/UnitTexts.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int Image = int(RegisterStore::ImageSize);

// Every register holds bytes 1 to 255 and its terminating zero, except the
// voice flags: inputs 1 and 16 on high, input 2 on low.
QByteArray siteImage() {
    QByteArray image(Image, '\0');
    for (int i = 0; i < Image; ++i)
        image[i] = static_cast<char>(1 + (i * 7 + i / 256) % 255);
    for (int reg = 1; reg <= 87; ++reg)
        image[reg * 256 - 1] = '\0';
    const QByteArray high("1000000000000001", 17);
    const QByteArray low("01", 3);
    image.replace(83 * 256, high.size(), high);
    image.replace(84 * 256, low.size(), low);
    return image;
}

} // namespace

class TestUnitSession : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { link_.LinkStartup(); }
    void cleanupTestCase() { link_.LinkCleanup(); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        profile_ = std::make_unique<Profile>(dir_->filePath("quillary.ini"));
        ui_ = ScriptedUserInteraction();
        ui_.onMessage = {};
        sim_ = std::make_unique<SimProcess>();
        // This configuration's recordings, and stale unit-side copies left by
        // an earlier upload: one of a switched-on input, one switched off.
        writeFile(sitePath(), siteImage());
        const QStringList own{"Site_H01.WAV", "Site_H16.WAV",          "Site_L02.WAV",
                              "Site_L03.WAV", "Site_SelectOutput.wav", "Site_SelectOnOff.wav"};
        for (int i = 0; i < own.size(); ++i)
            writeFile(dir_->filePath(own[i]), makeWav(voiceSamples(i)));
        writeFile(dir_->filePath("H01.WAV"), makeWav(voiceSamples(77)));
        writeFile(dir_->filePath("L05.WAV"), makeWav(voiceSamples(78)));
    }

    void writeAndReadBack() {
        QVERIFY(sim_->start());
        auto window = openSite();
        ui_.nextAnswers << Answer::Yes;
        click(*window, IdTransferToUnit);

        QCOMPARE(lastMessage(), UnitTexts::transferComplete());
        QCOMPARE(ui_.messages.last().icon, MessageIcon::Information);
        QCOMPARE(sim_->readState("registers.QRB"), siteImage());
        const QStringList sent{"H01.WAV", "H16.WAV", "L02.WAV", "SelectOutput.wav",
                               "SelectOnOff.wav"};
        QCOMPARE(QString::fromLatin1(sim_->readState("voice.log")).split('\n', Qt::SkipEmptyParts),
                 sent);
        QStringList stored = QDir(sim_->statePath("voice")).entryList(QDir::Files);
        QStringList expected = sent;
        stored.sort();
        expected.sort();
        QCOMPARE(stored, expected);
        for (const QString& name : sent)
            QCOMPARE(sim_->readState("voice/" + name), readFile(dir_->filePath("Site_" + name)));
        QCOMPARE(enabledCount(*window), 10);
        QCOMPARE(window->progressBar()->value(), 0);

        const QString copy = dir_->filePath("copy.QRB");
        ui_.nextFiles << copy;
        click(*window, IdTransferFromUnit);
        QCOMPARE(lastMessage(), UnitTexts::transferComplete());
        QCOMPARE(readFile(copy), siteImage());
        QCOMPARE(window->current().g_configPath, copy);
    }

    // What a new user does first: a new configuration with the template
    // recordings, written to the unit, read back into a new file, the clock set.
    void firstSession() {
        QVERIFY(sim_->start());
        CQuillaryDlg window(services(templateFolder()));
        const QString path = dir_->filePath("First.QRB");
        ui_.nextFiles << path;
        click(window, IdNew);
        ui_.nextAnswers << Answer::Yes;
        click(window, IdTransferToUnit);
        QCOMPARE(lastMessage(), UnitTexts::transferComplete());
        QCOMPARE(sim_->readState("voice.log"), QByteArray("SelectOutput.wav\nSelectOnOff.wav\n"));
        QCOMPARE(sim_->readState("voice/SelectOnOff.wav"),
                 readFile(dir_->filePath("First_SelectOnOff.wav")));

        ui_.nextFiles << dir_->filePath("Read.QRB");
        click(window, IdTransferFromUnit);
        QCOMPARE(readFile(dir_->filePath("Read.QRB")), readFile(path));
        click(window, IdSyncClock);
        QCOMPARE(lastMessage(), UnitTexts::clockSet());
        QCOMPARE(sim_->readState("clock.bin").size(), 8);
    }

    void unitFaults_data() {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("message");
        const QString error = UnitTexts::communicationError();
        QTest::newRow("password") << QStringList{"--password"} << int(IdTransferToUnit)
                                  << UnitTexts::passwordProtected();
        QTest::newRow("write 40") << QStringList{"--fail-write", "40"} << int(IdTransferToUnit)
                                  << error;
        QTest::newRow("read 5") << QStringList{"--fail-read", "5"} << int(IdTransferFromUnit)
                                << error;
        // The registers take about 24 kB on the line; the voice files follow.
        QTest::newRow("line lost in the voice upload")
            << QStringList{"--drop-after", "35000"} << int(IdTransferToUnit) << error;
    }
    void unitFaults() {
        QFETCH(QStringList, faults);
        QFETCH(int, command);
        QFETCH(QString, message);
        QVERIFY(sim_->start(faults));
        // The plain sequence, without the backup and the read-back.
        profile_->settings().setValue("Options/BackupAndVerify", false);
        auto window = openSite();
        ui_.nextAnswers << Answer::Yes;
        ui_.nextFiles << dir_->filePath("never.QRB");

        click(*window, command);

        QCOMPARE(lastMessage(), message);
        QCOMPARE(enabledCount(*window), 10);
        QVERIFY(window->progressBar()->value() <= 0); // reset, or never moved
        QCOMPARE(ui_.fileDialogs.size(), 1);          // Load's only
        QCOMPARE(window->current().g_configPath, sitePath());
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(window->store().data()), Image),
                 siteImage());
        const QByteArray unit = sim_->readState("registers.QRB");
        if (faults.first() == "--fail-write")
            QCOMPARE(unit, siteImage().left(39 * 256) + QByteArray(Image - 39 * 256, '\0'));
        if (faults.first() == "--drop-after") {
            QCOMPARE(unit, siteImage());
            QVERIFY(sim_->readState("voice.log").count('\n') < 5); // cut off in the voice files
            // The window goes on working once the unit is back.
            QVERIFY(sim_->start());
            click(*window, IdSyncClock);
            QCOMPARE(lastMessage(), UnitTexts::clockSet());
        }
        window->CloseCommand();
        QCOMPARE(readFile(sitePath()), siteImage());
    }

    // With the backup and the read-back, through the window's link as the
    // program wraps it: each write is journaled; a failed write names its
    // register and Yes puts back what the unit held; a unit that keeps a
    // register changed is named by its field.
    void safeTransfer_data() {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("plain") << QStringList{} << "ok" << UnitTexts::transferComplete();
        QTest::newRow("write 40") << QStringList{"--fail-write", "40"} << "failed"
                                  << "writing register 40 failed";
        QTest::newRow("unit changes 17") << QStringList{"--alter-register", "17"} << "verify-failed"
                                         << "input 1 high text";
    }
    void safeTransfer() {
        QFETCH(QStringList, faults);
        QFETCH(QString, result);
        QFETCH(QString, message);
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir_->filePath("data")));
        QVERIFY(sim_->start());
        const QByteArray before = QByteArray(Image, 'b');
        writeFile(sim_->statePath("registers.QRB"), before);
        QVERIFY(sim_->start(faults));
        StepNamingLinkApi steps(link_, nullptr);
        AppServices& plain = services();
        AppServices named{steps, ui_, *profile_, clock_, plain.templateFolder};
        CQuillaryDlg window(named);
        ui_.nextFiles << sitePath();
        click(window, IdLoad);
        ui_.nextAnswers << Answer::No; // no voice; then Yes to writing the backup back
        ui_.onMessage = [this](const MessageRequest& request) {
            if (request.text.contains("back into the unit now")) {
                QVERIFY(request.text.contains("may hold part of the new configuration"));
                ui_.nextAnswers << Answer::Yes;
                QVERIFY(sim_->start()); // the line works again
            }
        };
        click(window, IdTransferToUnit);
        QVERIFY2(std::any_of(ui_.messages.begin(), ui_.messages.end(),
                             [&](const MessageRequest& m) { return m.text.contains(message); }),
                 qPrintable(lastMessage()));
        QString error;
        const auto journal = Journal::open(Journal::defaultPath(), &error);
        QVERIFY2(journal, qPrintable(error));
        const QList<JournalRecord> records = journal->records();
        const JournalRecord& write = records.last();
        QCOMPARE(write.result, result);
        QCOMPARE(write.backupSha256, sha256Hex(before));
        if (result == "ok")
            QCOMPARE(write.readBackSha256, write.configSha256);
        if (result == "failed") {
            QCOMPARE(write.reg, 40);
            QCOMPARE(records.first().kind, QStringLiteral("restore"));
            QCOMPARE(sim_->readState("registers.QRB"), before);
        }
        if (result == "verify-failed")
            QCOMPARE(write.differing, QStringList{"input 1 high text"});
        QCOMPARE(enabledCount(window), 10);
        QCOMPARE(window.progressBar()->value(), 0);
        qunsetenv("XDG_DATA_HOME");
    }

    void clockAtFixedTime() {
        QVERIFY(sim_->start());
        clock_.time = QDateTime(QDate(2026, 12, 6), QTime(17, 5, 9));
        CQuillaryDlg window(services());
        click(window, IdSyncClock);
        QCOMPARE(lastMessage(), UnitTexts::clockSet());
        QCOMPARE(sim_->readState("clock.bin"), QByteArray::fromHex("EA070C0600110509"));
        QCOMPARE(enabledCount(window), 10);
    }

    // Registers read from the unit whose saving the user declined never
    // overwrite the file they were read in place of; Close asks instead.
    void closeAfterDeclinedSaveKeepsTheFile() {
        QVERIFY(sim_->start());
        auto window = openSite(); // the unit still holds its empty registers
        click(*window, IdTransferFromUnit);
        QCOMPARE(lastMessage(), UnitTexts::transferComplete());
        QCOMPARE(ui_.fileDialogs.size(), 2);

        window->CloseCommand();
        QCOMPARE(ui_.fileDialogs.size(), 3);
        QCOMPARE(ui_.fileDialogs.last().kind, FileDialogKind::Save);
        QCOMPARE(window->result(), int(QDialog::Rejected));
        QCOMPARE(readFile(sitePath()), siteImage());
    }

private:
    QString sitePath() const { return dir_->filePath("Site.QRB"); }
    AppServices& services(const QString& templates = QString()) {
        services_ = std::make_unique<AppServices>(
            AppServices{link_, ui_, *profile_, clock_,
                        templates.isEmpty() ? dir_->filePath("no-templates") : templates});
        return *services_;
    }
    std::unique_ptr<CQuillaryDlg> openSite() {
        auto window = std::make_unique<CQuillaryDlg>(services());
        ui_.nextFiles << sitePath();
        click(*window, IdLoad);
        return window;
    }
    void click(CQuillaryDlg& window, int id) {
        QVERIFY(window.button(id)->isEnabled());
        window.button(id)->click();
    }
    QString lastMessage() const {
        return ui_.messages.isEmpty() ? QString() : ui_.messages.last().text;
    }
    static int enabledCount(const CQuillaryDlg& window) {
        int count = 0;
        for (auto* button : window.findChildren<QPushButton*>())
            count += button->isEnabled();
        return count;
    }

    LibraryLinkApi link_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Profile> profile_;
    std::unique_ptr<AppServices> services_;
    std::unique_ptr<SimProcess> sim_;
    ScriptedUserInteraction ui_;
    FixedClock clock_;
};

QTEST_MAIN(TestUnitSession)
#include "tst_unitsession.moc"
