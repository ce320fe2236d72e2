// The main window driven headless: enable rules, Load, New, Close with its
// save, the caption, the clock, the link calls from start to end, a file named
// on the command line or dropped, and the Recent menu.
#include "TestSupport.h"
#include "app/CommandTable.h"
#include "app/QuillaryApp.h"
#include "app/QuillaryDlg.h"
#include "editor/PropertyPages.h"
#include "journal/Journal.h"
#include "journal/TeamJournal.h"
#include "voice/VoiceNewDlg.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int Image = int(RegisterStore::ImageSize);

QList<int> enabledButtons(const CQuillaryDlg& window) {
    QList<int> ids;
    for (int id : {2, 1000, 1001, 1002, 1003, 1004, 1005, 1007, 1008, 1009}) {
        if (window.button(id)->isEnabled())
            ids << id;
    }
    return ids;
}

const QList<int> AfterStart = {2, 1001, 1005, 1007, 1008, 1009};
const QList<int> AllTen = {2, 1000, 1001, 1002, 1003, 1004, 1005, 1007, 1008, 1009};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        profile_ = std::make_unique<Profile>(dir_->filePath("quillary.ini"));
        link_ = RecordingLinkApi();
        ui_ = ScriptedUserInteraction();
        templates_ = dir_->filePath("templates");
        QDir().mkpath(templates_);
        writeFile(templates_ + "/H01.WAV", "high one");
    }

    void startUp() {
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        QCOMPARE(enabledButtons(window), AfterStart);
        QCOMPARE(window.windowTitle(), QStringLiteral("Fenmarl"));
        QCOMPARE(window.progressBar()->minimum(), 0);
        QCOMPARE(window.progressBar()->maximum(), 100);
        window.context().progress.setProgress(49); // what commands report on
        QCOMPARE(window.progressBar()->value(), 49);
        QCOMPARE(window.clockPane()->text(), QStringLiteral("09:05:03"));
        QVERIFY(window.messagePane()->text().isEmpty());
        QVERIFY(!window.teamSync()); // no team database: no network at all
        QCOMPARE(link_.calls,
                 QStringList({"LinkCreate()", "LinkSetPort(7,COM1,COM0)", "LinkConfigure(7,)"}));
        QVERIFY(window.store() == RegisterStore());

        // Every control is found by what the user sees.
        for (QPushButton* button : window.findChildren<QPushButton*>())
            QVERIFY(!button->text().isEmpty());
        QVERIFY(!window.progressBar()->accessibleName().isEmpty());
    }

    // The clock ticks, and screen readers hear what the status bar shows.
    void statusPanesReadTheirText() {
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto spoken = [](QWidget* pane) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(pane);
            return accessible ? accessible->text(QAccessible::Name) : QString("(none)");
        };
        QCOMPARE(spoken(window.clockPane()), QStringLiteral("09:05:03"));
        clock_.time = QDateTime(QDate(2026, 12, 6), QTime(17, 5, 9));
        QTRY_COMPARE_WITH_TIMEOUT(spoken(window.clockPane()), QStringLiteral("17:05:09"), 3000);
        window.messagePane()->setText("Ready");
        QCOMPARE(spoken(window.messagePane()), QStringLiteral("Ready"));
    }

    void portFromProfile_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unset") << QVariant() << "LinkSetPort(7,COM1,COM0)";
        QTest::newRow("usb") << QVariant(0) << "LinkSetPort(7,USB1,COM0)";
        QTest::newRow("com4") << QVariant(4) << "LinkSetPort(7,COM4,COM0)";
    }
    void portFromProfile() {
        QFETCH(QVariant, stored);
        QFETCH(QString, expected);
        if (stored.isValid())
            profile_->setComPort(stored.toInt());
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        QCOMPARE(link_.calls.value(1), expected);
    }

    void loadEnablesAndCloseSaves() {
        const QString path = dir_->filePath("site.QRB");
        QByteArray image(Image, '\0');
        image.replace(0, 11, "+4712345678");
        writeFile(path, image);

        AppServices services = makeServices();
        CQuillaryDlg window(services);
        ui_.nextFiles << path;
        window.button(IdLoad)->click();

        QCOMPARE(ui_.fileDialogs.size(), 1);
        QCOMPARE(enabledButtons(window), AllTen);
        QCOMPARE(window.current().g_configPath, path);
        QCOMPARE(window.store().text(1), QByteArray("+4712345678"));
        QVERIFY(window.windowTitle().endsWith("/site.QRB]"));
        QVERIFY(ui_.messages.isEmpty());

        // Close saves without asking, even though nothing changed.
        window.store().setText(17, "Door");
        link_.calls.clear();
        window.button(IdClose)->click();
        QCOMPARE(link_.calls, QStringList({"LinkClose(7)", "LinkDestroy(7)"}));
        QCOMPARE(readFile(path).mid(16 * 256, 5), QByteArray("Door\0", 5));
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QVERIFY(ui_.messages.isEmpty());
    }

    // Configure runs the real sheet; OK writes the registers back and saves.
    void configureEditsAndSaves() {
        const QString path = dir_->filePath("site.QRB");
        QByteArray image(Image, '\0');
        image.replace(0, 7, "+47123.");
        writeFile(path, image);
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        ui_.nextFiles << path;
        window.button(IdLoad)->click();

        QString firstPhoneCell;
        QString recorderFile;
        QTimer::singleShot(0, &window, [&] {
            auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(sheet && sheet->windowTitle() == QStringLiteral("Configuration"));
            firstPhoneCell = sheet->findChild<QTableWidget*>("inputsList")->item(0, 1)->text();
            // Record in the input editor opens the real recorder on the
            // configuration's folder.
            sheet->findChild<CMyPropertyPage2*>()->setEditorRunner([&](QDialog& editor) {
                QTimer::singleShot(0, &window, [&] {
                    auto* recorder = qobject_cast<CVoiceNewDlg*>(QApplication::activeModalWidget());
                    QVERIFY(recorder);
                    QCOMPARE(recorder->m_status,
                             QStringLiteral("Voicemessage for high on input 2"));
                    recorderFile = recorder->recorder().filePath();
                    recorder->reject();
                });
                editor.findChild<QCheckBox*>("voiceOnHighCheckBox")->click();
                editor.findChild<QPushButton*>("recordHighButton")->click();
                return false;
            });
            sheet->findChild<CMyPropertyPage2*>()->OnDblclkList(1);
            sheet->findChild<QLineEdit*>("callersEdit")->setText("+4499");
            sheet->findChild<QPushButton*>("okButton")->click();
        });
        QTimer::singleShot(10000, &window, [] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->reject();
        });
        window.button(IdConfigure)->click();

        QCOMPARE(firstPhoneCell, QStringLiteral("+47123"));
        QCOMPARE(recorderFile, dir_->filePath("site_H02.WAV"));
        const QByteArray saved = readFile(path);
        QCOMPARE(saved.mid(0, 7), QByteArray("+47123\0", 7));
        QCOMPARE(saved.mid(80 * 256, 6), QByteArray("+4499\0", 6));
        QCOMPARE(saved.mid(82 * 256, 17), QByteArray("OOOOOOOOOOOOOOOO\0", 17));
        QCOMPARE(saved.mid(86 * 256, 5), QByteArray("1000\0", 5));
        QCOMPARE(window.current().g_voiceHighFlags, QByteArray(16, '0'));
        QCOMPARE(enabledButtons(window), AllTen);
        QVERIFY(ui_.messages.isEmpty());
    }

    void cancelledDialogsChangeNothing() {
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        window.button(IdLoad)->click();
        window.button(IdNew)->click();
        QCOMPARE(ui_.fileDialogs.size(), 2);
        QCOMPARE(ui_.fileDialogs[1].kind, FileDialogKind::Save);
        QCOMPARE(enabledButtons(window), AfterStart);
        QVERIFY(window.current().g_configPath.isEmpty());
        window.button(IdClose)->click();
        QVERIFY(QDir(dir_->path()).entryList({"*.QRB"}, QDir::Files).isEmpty());
    }

    void newEnablesAndNamesTheWindow() {
        const QString path = dir_->filePath("Alarm.QRB");
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        window.store().setText(5, "left over");
        ui_.nextFiles << path;
        window.button(IdNew)->click();
        QVERIFY(window.store() == RegisterStore());
        QCOMPARE(enabledButtons(window), AllTen);
        QVERIFY(window.windowTitle().endsWith("/Alarm.QRB]"));

        // A New that fails leaves the caption and the buttons as they were.
        ui_.nextFiles << dir_->filePath("Alarm.QRB/inside.QRB");
        window.apply(EnableState::AtStart);
        window.button(IdNew)->click();
        QCOMPARE(ui_.messages.size(), 1);
        QVERIFY(window.windowTitle().endsWith("/Alarm.QRB]"));
        QCOMPARE(enabledButtons(window), AfterStart);
    }

    void closeWithoutFileWritesNothing() {
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        window.store().setText(1, "unsaved");
        QTest::keyClick(&window, Qt::Key_Escape); // Esc runs Close
        QCOMPARE(link_.calls.mid(3), QStringList({"LinkClose(7)", "LinkDestroy(7)"}));
        QVERIFY(QDir(dir_->path()).entryList({"*.QRB"}, QDir::Files).isEmpty());
    }

    void failedCloseTimeSaveKeepsTheWindowAndTheLink() {
        // A folder turned into a plain file fails every save, even for root.
        const QString folder = dir_->filePath("site");
        QVERIFY(QDir().mkpath(folder));
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        ui_.nextFiles << folder + "/x.QRB";
        window.button(IdLoad)->click();
        QVERIFY(QDir(folder).removeRecursively());
        writeFile(folder, "not a folder");
        link_.calls.clear();

        window.button(IdClose)->click(); // save fails, save dialog cancelled, No
        QCOMPARE(ui_.messages.size(), 2);
        QVERIFY(link_.calls.isEmpty());
        QVERIFY(window.button(IdLoad)->isEnabled());

        ui_.nextAnswers << Answer::Ok << Answer::Yes; // the failure, then the question
        window.button(IdClose)->click();
        QCOMPARE(link_.calls, QStringList({"LinkClose(7)", "LinkDestroy(7)"}));
    }

    void shortPathIsShownWhole() {
        QTemporaryDir shortDir("/tmp/qXXXXXX");
        const QString path = shortDir.filePath("a.QRB");
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        ui_.nextFiles << path;
        window.button(IdLoad)->click();
        QCOMPARE(window.windowTitle(), "Fenmarl [" + path + "]");
        QVERIFY(QFile::exists(path)); // a missing file is made on load
    }

    void longPathIsShortenedInTheCaption() {
        const QString folder = dir_->filePath(QString(40, 'f') + "/" + QString(40, 'g'));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/x.QRB";
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        ui_.nextFiles << path;
        window.button(IdLoad)->click();
        const QString caption = window.windowTitle();
        QVERIFY(caption.startsWith("Fenmarl ["));
        QVERIFY(caption.endsWith("x.QRB]"));
        QVERIFY(caption.contains(QChar(0x2026)));
        QVERIFY(window.fontMetrics().horizontalAdvance(caption.mid(9)) <= 200);
    }

    void linkCallsFromStartToEnd() {
        AppServices services = makeServices();
        CQuillaryApp app(services);
        app.onMainWindow = [](CQuillaryDlg& window) {
            QTimer::singleShot(0, &window, [&window] { window.button(IdClose)->click(); });
        };
        QCOMPARE(app.InitInstance(), 0);
        QCOMPARE(link_.calls, QStringList({"LinkStartup()", "LinkCreate()",
                                           "LinkSetPort(7,COM1,COM0)", "LinkConfigure(7,)",
                                           "LinkClose(7)", "LinkDestroy(7)", "LinkCleanup()"}));
    }

    void keyboard() {
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), window.button(IdClose));

        // Tab walks the enabled buttons in the order of the window's template.
        QStringList visited;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, QStringList({"transferFromUnitButton", "loadButton", "setupButton",
                                       "syncClockButton", "newButton", "closeButton"}));

        // Enter presses the focused button: here Close, with its link calls.
        QTest::keyClick(window.button(IdClose), Qt::Key_Return);
        QVERIFY(!window.isVisible());
        QCOMPARE(link_.calls.mid(3), QStringList({"LinkClose(7)", "LinkDestroy(7)"}));
    }

    void dragByTheClientArea() {
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        window.move(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint start = window.pos();
        auto* client = window.findChild<QWidget*>("clientArea");
        QTest::mousePress(client, Qt::LeftButton, {}, QPoint(3, 3));
        QMouseEvent move(QEvent::MouseMove, QPointF(33, 23), client->mapToGlobal(QPointF(33, 23)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(client, &move);
        QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(33, 23));
        QCOMPARE(window.pos(), start + QPoint(30, 20));
    }

    // Transfer to unit runs the check before the first register: a number
    // that cannot be dialled is listed and No writes nothing, the backup
    // read being all the unit saw. The link is driven off the window's
    // thread, so a silent unit never freezes the window, one command at a time.
    void checkErrorsAskBeforeTransfer() {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir_->filePath("data")));
        const QString path = dir_->filePath("Site.QRB");
        QByteArray image(Image, '\0');
        image.replace(0, 25, "+4212,+420 602 345 678");
        writeFile(path, image);
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        ui_.nextFiles << path;
        window.button(IdLoad)->click();
        link_.calls.clear();
        link_.callsOnAppThread.clear();
        ui_.nextAnswers << Answer::No << Answer::No; // no voice; do not write anyway
        // A second unit command meanwhile (an assistive tool may trigger one
        // past the held input) does not run.
        bool secondRan = false;
        ui_.onMessage = [&](const MessageRequest&) {
            runOnUnit(window.context(), [&](const UnitCommandContext&) { secondRan = true; });
        };
        window.button(IdTransferToUnit)->click();
        ui_.onMessage = {};
        QVERIFY(!secondRan);
        qunsetenv("XDG_DATA_HOME");
        QVERIFY(link_.calls.contains("LinkConnect(7,)"));
        QCOMPARE(link_.callsOnAppThread, QStringList());
        QVERIFY2(!link_.calls.join(' ').contains("LinkWriteRegister"),
                 qPrintable(link_.calls.join(' ')));
        const MessageRequest& asked = ui_.messages.last();
        QCOMPARE(asked.buttons, MessageButtons::YesNo);
        QCOMPARE(asked.defaultButton, Answer::No);
        QVERIFY2(asked.text.contains("+4212") && asked.text.contains("anyway"),
                 qPrintable(asked.text));
        QCOMPARE(enabledButtons(window), AllTen);
    }

    void aboutFromTheMenu() {
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        auto* about = window.findChild<QAction*>("aboutAction");
        QVERIFY(about);
        QCOMPARE(about->text(), QStringLiteral("About"));
        about->trigger();
        QCOMPARE(ui_.aboutBoxes, 1);
    }

    // quillary PATH: the file is loaded once the window shows, as Load
    // would, and counts as a recent configuration. A refused one is told by
    // name and leaves the window as it started.
    void fileOnTheCommandLine_data() {
        QTest::addColumn<QStringList>("arguments"); // "FILE" stands for the configuration
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opens");
        QTest::newRow("file") << QStringList{"FILE"} << "configuration" << true;
        QTest::newRow("after an option Qt left")
            << QStringList{"--no-such-option", "FILE"} << "configuration" << true;
        QTest::newRow("after --") << QStringList{"--", "FILE"} << "configuration" << true;
        QTest::newRow("file URL") << QStringList{"URL"} << "configuration" << true;
        QTest::newRow("missing") << QStringList{"FILE"} << "missing" << false;
        QTest::newRow("folder") << QStringList{"FILE"} << "folder" << false;
        QTest::newRow("none") << QStringList{"--no-such-option"} << "configuration" << false;
    }
    void fileOnTheCommandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, kind);
        QFETCH(bool, opens);
        QTemporaryDir shortDir("/tmp/qXXXXXX"); // short enough to be shown whole
        const QString path = shortDir.filePath("Site.QRB");
        if (kind == "configuration")
            writeFile(path, QByteArray(Image, '\0'));
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        arguments.replaceInStrings("FILE", path);
        arguments.replaceInStrings("URL", QUrl::fromLocalFile(path).toString());
        arguments.prepend("quillary");

        AppServices services = makeServices();
        CQuillaryApp app(services, arguments);
        QString caption;
        QList<int> enabled;
        app.onMainWindow = [&](CQuillaryDlg& window) {
            QTimer::singleShot(0, &window, [&] {
                caption = window.windowTitle();
                enabled = enabledButtons(window);
                window.button(IdClose)->click();
            });
        };
        QCOMPARE(app.InitInstance(), 0);
        if (opens) {
            QCOMPARE(caption, "Fenmarl [" + path + "]");
            QCOMPARE(enabled, AllTen);
            QVERIFY(ui_.messages.isEmpty());
            QCOMPARE(profile_->recentFiles(), QStringList{path});
            return;
        }
        QCOMPARE(caption, QStringLiteral("Fenmarl"));
        QCOMPARE(enabled, AfterStart);
        QVERIFY(profile_->recentFiles().isEmpty());
        QCOMPARE(QFileInfo::exists(path), kind != "missing");
        if (arguments.contains(path)) {
            QCOMPARE(ui_.messages.size(), 1);
            QVERIFY2(ui_.messages[0].text.contains(path), qPrintable(ui_.messages[0].text));
        } else {
            QVERIFY(ui_.messages.isEmpty());
        }
    }

    // A dropped .QRB file, in any case, is loaded; anything else is ignored
    // without a word, and so is every drop while Load is off.
    void droppedFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("local");
        QTest::addColumn<bool>("loadEnabled");
        QTest::addColumn<bool>("opens");
        QTest::newRow("Site.QRB") << "Site.QRB" << true << true << true;
        QTest::newRow("site.qrb") << "site.qrb" << true << true << true;
        QTest::newRow("text file") << "notes.txt" << true << true << false;
        QTest::newRow("no extension") << "QRB" << true << true << false;
        QTest::newRow("not a local file") << "Site.QRB" << false << true << false;
        QTest::newRow("during a unit command") << "Site.QRB" << true << false << false;
    }
    void droppedFiles() {
        QFETCH(QString, name);
        QFETCH(bool, local);
        QFETCH(bool, loadEnabled);
        QFETCH(bool, opens);
        const QString path = dir_->filePath(name);
        writeFile(path, QByteArray(Image, '\0'));
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        if (!loadEnabled)
            window.apply(EnableState::AllDisabled);
        QMimeData data;
        data.setUrls({local ? QUrl::fromLocalFile(path) : QUrl("https://example.invalid/" + name)});
        data.setText(path);

        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &enter);
        QCOMPARE(enter.isAccepted(), opens);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        drop.setAccepted(false);
        QApplication::sendEvent(&window, &drop);
        QCOMPARE(drop.isAccepted(), opens);
        QCoreApplication::processEvents();

        QCOMPARE(window.current().g_configPath, opens ? path : QString());
        QCOMPARE(window.windowTitle().endsWith(name + "]"), opens);
        if (opens)
            QCOMPARE(enabledButtons(window), AllTen);
        QCOMPARE(profile_->recentFiles(), opens ? QStringList{path} : QStringList());
        QVERIFY(ui_.messages.isEmpty());
    }

    // The Recent menu: the last eight files loaded, created or saved, newest
    // first, each with its number as its key, kept in the settings; an entry
    // whose file has gone says so and leaves the menu.
    void recentMenu() {
        auto entries = [](CQuillaryDlg& window) {
            emit window.recentMenu()->aboutToShow();
            QStringList texts;
            for (QAction* action : window.recentMenu()->actions())
                texts << (action->isEnabled() ? "" : "off:") + action->text();
            return texts;
        };
        QStringList files;
        for (int i = 1; i <= 9; ++i) {
            files << dir_->filePath(QStringLiteral("S&%1.QRB").arg(i));
            writeFile(files.last(), QByteArray(Image, '\0'));
        }
        {
            AppServices services = makeServices();
            CQuillaryDlg window(services);
            QCOMPARE(window.recentMenu()->title(), QStringLiteral("&Recent"));
            QCOMPARE(entries(window), QStringList{"off:No recent configurations"});
            for (const QString& file : files.mid(0, 8)) {
                ui_.nextFiles << file;
                window.button(IdLoad)->click();
            }
            ui_.nextFiles << files[8];
            QFile::remove(files[8]);
            window.button(IdNew)->click(); // created counts too
        }

        AppServices services = makeServices();
        CQuillaryDlg window(services); // the list outlives the window
        QStringList expected;
        for (int i = 9; i >= 2; --i)
            expected << QStringLiteral("&%1 %2").arg(10 - i).arg(
                QString(files[i - 1]).replace("&", "&&"));
        QCOMPARE(entries(window), expected);

        // Alt+R opens the menu, and the number picks the entry: 2 is S&8.
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(window.recentMenu()->isVisible());
        QTest::keyClick(window.recentMenu(), Qt::Key_2);
        QTRY_COMPARE(window.current().g_configPath, files[7]);
        QCOMPARE(enabledButtons(window), AllTen);
        QCOMPARE(entries(window).mid(0, 2),
                 QStringList({"&1 " + QString(files[7]).replace("&", "&&"),
                              "&2 " + QString(files[8]).replace("&", "&&")}));

        // S&2 has gone since: told by name, off the list, nothing else changes.
        QVERIFY(QFile::remove(files[1]));
        auto* last = window.findChild<QAction*>("recentAction8");
        QVERIFY(last && last->text().endsWith("S&&2.QRB"));
        last->trigger();
        QTRY_COMPARE(ui_.messages.size(), 1);
        QCOMPARE(ui_.messages[0].text,
                 QStringLiteral("The configuration file \"%1\" no longer exists. It has been "
                                "taken off the Recent menu.")
                     .arg(files[1]));
        QCOMPARE(window.current().g_configPath, files[7]);
        QCOMPARE(entries(window).size(), 7);
        QCOMPARE(Profile(profile_->settings().fileName()).recentFiles().size(), 7);
        QVERIFY(!QFile::exists(files[1]));

        // A Recent entry is a Load: off while Load is.
        window.apply(EnableState::AllDisabled);
        QVERIFY(!window.recentMenu()->menuAction()->isEnabled());
        window.apply(EnableState::AllEnabled);
        QVERIFY(window.recentMenu()->menuAction()->isEnabled());
    }

    // A team database on a host that takes the connection and never
    // answers: the window comes up at once, and the status line says what
    // waits once the sync has given up in the background.
    void teamDatabaseThatNeverAnswersNeverBlocksTheWindow() {
        QProcess silent;
        silent.start("python3", {"-u", "-c",
                                 "import socket, time\n"
                                 "s = socket.socket(); s.bind(('127.0.0.1', 0)); s.listen()\n"
                                 "print(s.getsockname()[1]); c = s.accept(); time.sleep(60)\n"});
        QVERIFY(silent.waitForReadyRead(10000));
        const QString port = QString::fromLatin1(silent.readLine().trimmed());
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir_->filePath("data")));
        const auto restore = qScopeGuard([&] {
            qputenv("XDG_DATA_HOME", dataHome);
            silent.kill();
            silent.waitForFinished();
        });
        QString error;
        {
            const auto journal = Journal::open(Journal::defaultPath(), &error);
            QVERIFY2(journal, qPrintable(error));
            JournalRecord record = newJournalRecord("read");
            record.result = "ok";
            record.finished = record.started;
            QVERIFY(journal->begin(record, &error));
        }
        profile_->settings().setValue("History/Database",
                                      "postgresql://installer@127.0.0.1:" + port + "/quillary");
        QElapsedTimer timer;
        timer.start();
        AppServices services = makeServices();
        CQuillaryDlg window(services);
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(window.teamSync() && window.teamSync()->running());
        QTRY_COMPARE_WITH_TIMEOUT(window.messagePane()->text(),
                                  QStringLiteral("1 record not yet shared"), 8000);
        QVERIFY2(timer.elapsed() < 7000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY2(window.messagePane()->toolTip().contains("127.0.0.1:" + port) &&
                     window.messagePane()->toolTip().contains("timeout expired"),
                 qPrintable(window.messagePane()->toolTip()));
    }

private:
    AppServices makeServices() { return AppServices{link_, ui_, *profile_, clock_, templates_}; }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Profile> profile_;
    RecordingLinkApi link_;
    ScriptedUserInteraction ui_;
    FixedClock clock_;
    QString templates_;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
