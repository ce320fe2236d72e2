// The Recent list without a window: its rules, its place in the profile, and
// the command that opens an entry, also one whose file has gone.
#include "TestSupport.h"
#include "config/Profile.h"
#include "config/RecentFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestRecentFiles : public QObject {
    Q_OBJECT
private slots:
    // Steps: "+x" pushes /r/x, "-x" removes it; the list is then compared.
    void rules_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        QTest::newRow("newest first") << QStringList() << "+a +b +c"
                                      << "c b a";
        QTest::newRow("again moves to the front") << QStringList() << "+a +b +c +a"
                                                  << "a c b";
        QTest::newRow("eight at most") << QStringList() << "+1 +2 +3 +4 +5 +6 +7 +8 +9"
                                       << "9 8 7 6 5 4 3 2";
        QTest::newRow("one spelling per file") << QStringList() << "+a +sub/../a"
                                               << "a";
        QTest::newRow("remove") << QStringList() << "+a +b +c -b -x"
                                << "c a";
        QTest::newRow("stored list cleaned")
            << QStringList{"/r/a", "",     "/r/b", "/r/./a", "/r/c", "/r/d",
                           "/r/e", "/r/f", "/r/g", "/r/h",   "/r/i"}
            << ""
            << "a b c d e f g h";
    }
    void rules() {
        QFETCH(QStringList, stored);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        RecentFiles recent(stored);
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            const QString path = "/r/" + step.mid(1);
            if (step.startsWith('+'))
                recent.push(path);
            else
                QCOMPARE(recent.remove(path), step != "-x");
        }
        QStringList names;
        for (const QString& path : recent.paths()) {
            QVERIFY(path.startsWith("/r/"));
            names << path.mid(3);
        }
        QCOMPARE(names.join(' '), expected);
    }

    // Names that INI files quote or escape come back as they went in, and a
    // second window's additions are not lost.
    void keptInTheProfile() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("quillary.ini");
        const QStringList awkward{"/home/jan/Dvůr, stáj/Site \"A\".QRB", "/r/a=b;c.QRB",
                                  "/r/[x]\\y.QRB", "/r/%41 @Variant.QRB"};
        Profile first(ini);
        for (const QString& path : awkward)
            rememberRecentFile(first, path);
        Profile second(ini);
        QStringList newestFirst = awkward;
        std::reverse(newestFirst.begin(), newestFirst.end());
        QCOMPARE(second.recentFiles(), newestFirst);
        rememberRecentFile(second, "/r/second.QRB");
        rememberRecentFile(first, "/r/first.QRB");
        QCOMPARE(Profile(ini).recentFiles().mid(0, 3),
                 QStringList({"/r/first.QRB", "/r/second.QRB", newestFirst.first()}));
        QVERIFY(QFileInfo(ini).permissions() == (QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ReadUser | QFileDevice::WriteUser));
    }

    // Opening an entry is a Load; one whose file has gone is told by name and
    // leaves the list; one that fails otherwise stays.
    void openAnEntry() {
        QTemporaryDir dir;
        Profile profile(dir.filePath("quillary.ini"));
        const QString site = dir.filePath("Site.QRB");
        const QString gone = dir.filePath("Gone.QRB");
        const QString folder = dir.filePath("Folder.QRB");
        QVERIFY(QDir().mkpath(folder));
        QByteArray image(int(RegisterStore::ImageSize), '\0');
        image.replace(0, 4, "+471");
        writeFile(site, image);
        for (const QString& path : {folder, gone, site})
            rememberRecentFile(profile, path);

        ConfigSession session(dir.path());
        ScriptedUserInteraction ui;
        RecordingCommandButtons buttons;
        QVERIFY(OpenRecentCommand(session, ui, buttons, profile).run(site));
        QCOMPARE(session.current().g_configPath, site);
        QCOMPARE(session.store().text(1), QByteArray("+471"));
        QCOMPARE(buttons.states, QList<EnableState>{EnableState::ConfigOpened});
        QVERIFY(ui.messages.isEmpty());

        QVERIFY(!OpenRecentCommand(session, ui, buttons, profile).run(gone));
        QVERIFY(!OpenRecentCommand(session, ui, buttons, profile).run(folder));
        QCOMPARE(ui.messages.size(), 2);
        QCOMPARE(ui.messages[0].text,
                 QStringLiteral("The configuration file \"%1\" no longer exists. It has been "
                                "taken off the Recent menu.")
                     .arg(gone));
        QVERIFY2(ui.messages[1].text.contains(folder), qPrintable(ui.messages[1].text));
        QCOMPARE(profile.recentFiles(), QStringList({site, folder}));
        QVERIFY(!QFile::exists(gone)); // never made, unlike a Load of a typed name
        QCOMPARE(session.current().g_configPath, site);
        QCOMPARE(buttons.states.size(), 1);
    }
};

QTEST_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
