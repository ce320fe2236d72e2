// The configuration session and its commands without a window: Load, New and
// the close-time save, with every way they can fail. Failures come from a
// folder that is a plain file (ENOTDIR), which binds root too.
#include "TestSupport.h"
#include "config/ConfigCommands.h"
#include "config/ConfigSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

constexpr int Image = int(RegisterStore::ImageSize);

QByteArray imageWith(const QByteArray& register1) {
    QByteArray image(Image, '\0');
    image.replace(0, register1.size(), register1);
    return image;
}

// "error" for an OK box without icon, "question" for Yes/No with the question
// icon and No as the default; anything else shows as "other".
QStringList shownKinds(const QList<MessageRequest>& messages) {
    QStringList kinds;
    for (const MessageRequest& m : messages) {
        if (m.caption != "Quillary")
            kinds << "other";
        else if (m.buttons == MessageButtons::Ok && m.icon == MessageIcon::None)
            kinds << "error";
        else if (m.buttons == MessageButtons::YesNo && m.icon == MessageIcon::Question &&
                 m.defaultButton == Answer::No)
            kinds << "question";
        else
            kinds << "other";
    }
    return kinds;
}

} // namespace

class TestConfigSession : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        templates_ = dir_->filePath("templates");
        QVERIFY(QDir().mkpath(templates_));
        writeFile(templates_ + "/H01.WAV", "high one");
        writeFile(templates_ + "/SelectOnOff.wav", "on off");
        notAFolder_ = dir_->filePath("plain");
        writeFile(notAFolder_, "a file, not a folder");
        ui_ = ScriptedUserInteraction();
        buttons_ = RecordingCommandButtons();
    }

    void loadAndNew() {
        const QString site = dir_->filePath("site.QRB");
        QByteArray image = imageWith("+4712345678");
        image.replace(83 * 256, 3, "101");
        image.replace(84 * 256, 2, "01");
        writeFile(site, image);
        ConfigSession session(templates_);
        int fileChanges = 0;
        session.setOnFileChanged([&] { ++fileChanges; });

        ui_.nextFiles << site;
        QVERIFY(LoadConfigCommand(session, ui_, buttons_).run());
        QCOMPARE(ui_.fileDialogs[0].kind, FileDialogKind::Open);
        QCOMPARE(ui_.fileDialogs[0].filter, QStringLiteral("Configuration files (*.QRB)"));
        QCOMPARE(ui_.fileDialogs[0].defaultSuffix, QStringLiteral("QRB"));
        QCOMPARE(session.current().g_configPath, site);
        QCOMPARE(session.current().g_configTitle, QStringLiteral("site"));
        QCOMPARE(session.current().g_voiceHighFlags, QByteArray("101"));
        QCOMPARE(session.current().g_voiceLowFlags, QByteArray("01"));
        QCOMPARE(session.store().text(1), QByteArray("+4712345678"));
        QCOMPARE(session.configFolder(), dir_->path());

        // New clears the store, writes the empty image and seeds the voices.
        const QString alarm = dir_->filePath("new/Alarm.QRB");
        QVERIFY(QDir().mkpath(dir_->filePath("new")));
        ui_.nextFiles << alarm;
        QVERIFY(NewConfigCommand(session, ui_, buttons_).run());
        QCOMPARE(ui_.fileDialogs[1].kind, FileDialogKind::Save);
        QCOMPARE(readFile(alarm), QByteArray(Image, '\0'));
        QVERIFY(session.store() == RegisterStore());
        QCOMPARE(session.current().g_configTitle, QStringLiteral("Alarm"));
        QVERIFY(session.current().g_voiceHighFlags.isEmpty());
        QCOMPARE(readFile(dir_->filePath("new/Alarm_H01.WAV")), QByteArray("high one"));
        QCOMPARE(readFile(dir_->filePath("new/Alarm_SelectOnOff.wav")), QByteArray("on off"));
        QCOMPARE(readFile(site), image); // the previous file is left alone

        QCOMPARE(buttons_.states,
                 QList<EnableState>({EnableState::ConfigOpened, EnableState::ConfigOpened}));
        QCOMPARE(fileChanges, 2);
        QVERIFY(ui_.messages.isEmpty());
    }

    void failedLoadAndNewChangeNothing() {
        ConfigSession session(templates_);
        int fileChanges = 0;
        session.setOnFileChanged([&] { ++fileChanges; });
        const QString bad = notAFolder_ + "/Bad.QRB";

        // Without a current file: a failed New leaves none, and Close is quiet.
        ui_.nextFiles << bad;
        QVERIFY(!NewConfigCommand(session, ui_, buttons_).run());
        QVERIFY(!session.hasFile());
        QCOMPARE(CloseTimeSave(session, ui_).run(), true);
        QCOMPARE(shownKinds(ui_.messages), QStringList({"error"}));
        QVERIFY(ui_.messages[0].text.contains(QDir::toNativeSeparators(bad)));

        const QString good = dir_->filePath("good.QRB");
        writeFile(good, imageWith("kept"));
        // A folder where the file should be: the folder is writable, yet
        // nothing may be seeded into it.
        const QString folderNamedLikeAFile = dir_->filePath("Bad.QRB");
        QVERIFY(QDir().mkpath(folderNamedLikeAFile));
        ui_.nextFiles << good << bad << folderNamedLikeAFile;
        QVERIFY(LoadConfigCommand(session, ui_, buttons_).run());
        session.store().setText(2, "edited");
        const RegisterStore before = session.store();
        const CurrentConfig current = session.current();
        QVERIFY(!LoadConfigCommand(session, ui_, buttons_).run());
        QVERIFY(!NewConfigCommand(session, ui_, buttons_).run());

        QCOMPARE(shownKinds(ui_.messages), QStringList({"error", "error", "error"}));
        QVERIFY(session.store() == before);
        QCOMPARE(session.current().g_configPath, current.g_configPath);
        QCOMPARE(session.current().g_configTitle, current.g_configTitle);
        QCOMPARE(buttons_.states, QList<EnableState>({EnableState::ConfigOpened}));
        QCOMPARE(fileChanges, 1);
        QCOMPARE(QDir(dir_->path()).entryList({"Bad*"}), QStringList({"Bad.QRB"}));

        // Close saves into the file that stayed current, without a word.
        QVERIFY(CloseTimeSave(session, ui_).run());
        QCOMPARE(ui_.messages.size(), 3);
        QCOMPARE(readFile(good).mid(256, 7), QByteArray("edited\0", 7));
    }

    // A file named on the command line or dropped on the window meets Load's
    // checks and messages and leaves the same buttons; only a missing file
    // is refused instead of being made.
    void openNamedFileAsLoadDoes_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind :
             {"configuration", "folder", "pipe", "link to a device", "link to nothing", "missing"})
            QTest::newRow(kind) << kind;
    }
    void openNamedFileAsLoadDoes() {
        QFETCH(QString, kind);
        const QString path = dir_->filePath("Site.QRB");
        const QByteArray native = QFile::encodeName(path);
        if (kind == "configuration")
            writeFile(path, imageWith("+471"));
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "pipe")
            QCOMPARE(::mkfifo(native.constData(), 0644), 0);
        else if (kind == "link to a device")
            QVERIFY(QFile::link("/dev/zero", path));
        else if (kind == "link to nothing")
            QVERIFY(QFile::link(dir_->filePath("nothing.QRB"), path));

        ConfigSession opened(templates_);
        ScriptedUserInteraction openUi;
        RecordingCommandButtons openButtons;
        const bool openResult = LoadConfigCommand(opened, openUi, openButtons).open(path);
        QStringList openTexts;
        for (const MessageRequest& message : openUi.messages)
            openTexts << message.text;

        if (kind == "missing") {
            QVERIFY(!openResult);
            QCOMPARE(shownKinds(openUi.messages), QStringList({"error"}));
            QCOMPARE(openTexts.first(),
                     QStringLiteral("The configuration file could not be opened: \"%1\".\n%2")
                         .arg(path, QString::fromLocal8Bit(std::strerror(ENOENT))));
            QVERIFY(!QFileInfo::exists(path));
            QVERIFY(openButtons.states.isEmpty());
            QVERIFY(!opened.hasFile());
            return;
        }
        ConfigSession loaded(templates_);
        ui_.nextFiles << path;
        QCOMPARE(openResult, LoadConfigCommand(loaded, ui_, buttons_).run());
        QStringList loadTexts;
        for (const MessageRequest& message : ui_.messages)
            loadTexts << message.text;
        QCOMPARE(openTexts, loadTexts);
        QCOMPARE(shownKinds(openUi.messages), shownKinds(ui_.messages));
        QCOMPARE(openButtons.states, buttons_.states);
        QCOMPARE(opened.current().g_configPath, loaded.current().g_configPath);
        QVERIFY(opened.store() == loaded.store());
        QCOMPARE(openResult, kind == "configuration");
    }

    void percentInTitle() {
        ConfigSession session(templates_);
        ui_.nextFiles << dir_->filePath("Plant%2.QRB");
        QVERIFY(NewConfigCommand(session, ui_, buttons_).run());
        QCOMPARE(session.current().g_configTitle, QStringLiteral("Plant%2"));
        const QString high = dir_->filePath("Plant%2_H01.WAV");
        QVERIFY2(QFile::exists(high), qPrintable(QDir(dir_->path()).entryList().join(' ')));
        QCOMPARE(readFile(high), QByteArray("high one"));
        QCOMPARE(readFile(dir_->filePath("Plant%2_SelectOnOff.wav")), QByteArray("on off"));
    }

    // Close after a load whose file may have become unwritable, or after a
    // read from the unit whose save the user declined.
    void closeTimeSave_data() {
        QTest::addColumn<bool>("unitRead");
        QTest::addColumn<bool>("currentBroken");
        QTest::addColumn<QString>("saveDialog"); // "", "elsewhere" or "broken"
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("savedIn"); // "current", "elsewhere" or ""
        const QList<Answer> none;
        const QList<Answer> yes{Answer::Ok, Answer::Yes};
        const QList<Answer> no{Answer::Ok, Answer::No};
        const QStringList errorAndQuestion{"error", "question"};

        QTest::newRow("saved without asking")
            << false << false << "" << none << true << QStringList() << "current";
        QTest::newRow("failed, stored elsewhere")
            << false << true << "elsewhere" << none << true << QStringList{"error"} << "elsewhere";
        QTest::newRow("failed, dialog cancelled, Yes")
            << false << true << "" << yes << true << errorAndQuestion << "";
        QTest::newRow("failed, dialog cancelled, No")
            << false << true << "" << no << false << errorAndQuestion << "";
        QTest::newRow("failed twice, No")
            << false << true << "broken" << QList<Answer>{Answer::Ok, Answer::Ok, Answer::No}
            << false << QStringList{"error", "error", "question"} << "";
        QTest::newRow("unit read, dialog cancelled")
            << true << false << "" << none << true << QStringList() << "";
        QTest::newRow("unit read, stored elsewhere")
            << true << false << "elsewhere" << none << true << QStringList() << "elsewhere";
        QTest::newRow("unit read, save fails, No")
            << true << false << "broken" << no << false << errorAndQuestion << "";
    }
    void closeTimeSave() {
        QFETCH(bool, unitRead);
        QFETCH(bool, currentBroken);
        QFETCH(QString, saveDialog);
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, closes);
        QFETCH(QStringList, shown);
        QFETCH(QString, savedIn);

        const QString folder = dir_->filePath("site");
        const QString current = folder + "/x.QRB";
        const QString elsewhere = dir_->filePath("elsewhere.QRB");
        QVERIFY(QDir().mkpath(folder));
        const QByteArray original = imageWith("original");
        writeFile(current, original);

        ConfigSession session(templates_);
        QVERIFY(session.load(current));
        RegisterStore changed;
        changed.setText(1, "changed");
        if (unitRead)
            session.adoptUnitRegisters(changed);
        else
            session.store() = changed;
        if (currentBroken) {
            QVERIFY(QDir(folder).removeRecursively());
            writeFile(folder, "no longer a folder");
        }
        if (saveDialog == "elsewhere")
            ui_.nextFiles << elsewhere;
        else if (saveDialog == "broken")
            ui_.nextFiles << notAFolder_ + "/y.QRB";
        ui_.nextAnswers = answers;

        QCOMPARE(CloseTimeSave(session, ui_).run(), closes);
        QCOMPARE(shownKinds(ui_.messages), shown);
        const bool dialogExpected = unitRead || currentBroken;
        QCOMPARE(ui_.fileDialogs.size(), dialogExpected ? 1 : 0);
        if (dialogExpected)
            QCOMPARE(ui_.fileDialogs[0].kind, FileDialogKind::Save);

        const QByteArray changedImage = imageWith("changed");
        if (!currentBroken)
            QCOMPARE(readFile(current), savedIn == "current" ? changedImage : original);
        QCOMPARE(QFile::exists(elsewhere), savedIn == "elsewhere");
        if (savedIn == "elsewhere") {
            QCOMPARE(readFile(elsewhere), changedImage);
            QVERIFY(!session.unitRegistersUnsaved());
        }
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString templates_;
    QString notAFolder_;
    ScriptedUserInteraction ui_;
    RecordingCommandButtons buttons_;
};

QTEST_GUILESS_MAIN(TestConfigSession)
#include "tst_configsession.moc"
