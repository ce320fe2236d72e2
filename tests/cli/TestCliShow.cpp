// show FILE: the printed report's listing on standard output.
#include "CliRunner.h"
#include "config/ConfigFile.h"
#include "report/ReportLines.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCliShow : public QObject {
    Q_OBJECT

private slots:
    void showPrintsTheReportListing() {
        QTemporaryDir dir;
        const QString path = dir.filePath("site.QRB");
        RegisterStore store;
        store.setText(17, "Door %s \xe9");
        store.setText(83, "PO");
        QVERIFY(saveConfigFile(path, store));

        const CliRun run = runCli({"show", path});
        QCOMPARE(run.status, 0);
        QStringList shown = QString::fromLocal8Bit(run.out).split('\n');
        QCOMPARE(shown.takeLast(), QString());
        // The same lines as the printed report, apart from the time it was made.
        QStringList expected = reportLines(store, path, QDateTime::currentDateTime());
        QCOMPARE(shown.size(), expected.size());
        shown.removeAt(2);
        expected.removeAt(2);
        QCOMPARE(shown, expected);

        QCOMPARE(runCli({"show", dir.filePath("missing.QRB")}).status, 3);
        QVERIFY(!QFile::exists(dir.filePath("missing.QRB")));
    }

    // --help speaks the program's language, CLI11's own headings and the
    // limits filled into the footer included; a subcommand's help option
    // sits under the same heading as its other options, and its help points
    // to the top-level one for the shared text. So do usage errors.
    void helpInTheProgramsLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("en") << "en"
                            << QStringList{"Usage: quillary-cli provision [OPTIONS] TEMPLATE",
                                           "Options:\n  -h,--help", "--count INT:POSITIVE",
                                           "outside 100 to 30000",
                                           "JSON and voice messages: quillary-cli --help"}
                            << "--count: \"0\" is not a whole number of 1 or more\nRun with --help";
        QTest::newRow("de") << "de"
                            << QStringList{"Aufruf: quillary-cli provision [OPTIONEN] TEMPLATE",
                                           "Optionen:\n  -h,--help", "--count ZAHL:POSITIV",
                                           "außerhalb 100 bis 30000",
                                           "Sprachnachrichten: quillary-cli --help"}
                            << "--count: „0“ ist keine ganze Zahl ab 1\nMehr dazu mit --help.";
        QTest::newRow("cs") << "cs"
                            << QStringList{"Použití: quillary-cli provision [VOLBY] TEMPLATE",
                                           "Volby:\n  -h,--help", "--count ČÍSLO:KLADNÉ",
                                           "mimo 100 až 30000",
                                           "hlasové zprávy: quillary-cli --help"}
                            << "--count: „0“ není celé číslo od 1 výše\nVíce informací";
    }
    void helpInTheProgramsLanguage() {
        QFETCH(QString, language);
        QFETCH(QStringList, shown);
        QFETCH(QString, refusal);
        QTemporaryDir config;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LANGUAGE", language);
        environment.insert("LC_ALL", "C.UTF-8");
        environment.insert("XDG_CONFIG_HOME", config.path());
        const CliRun run = runCli({"provision", "--help"}, environment);
        QCOMPARE(run.status, 0);
        QVERIFY2(!run.out.contains("QUILLARY_LINK_DEVICE"), run.out.constData());
        const CliRun top = runCli({"--help"}, environment);
        QCOMPARE(top.status, 0);
        const QString help = QString::fromUtf8(run.out + top.out);
        for (const QString& text : shown)
            QVERIFY2(help.contains(text), qPrintable(text + "\n" + help));
        QVERIFY2(!help.contains(QStringLiteral("%1")), qPrintable(help));

        const CliRun refused = runCli({"provision", "--count", "0", "site.QRB"}, environment);
        QCOMPARE(refused.status, 2);
        QVERIFY2(QString::fromUtf8(refused.err).startsWith(refusal), refused.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCliShow)
#include "TestCliShow.moc"
