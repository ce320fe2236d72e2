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
};

QTEST_GUILESS_MAIN(TestCliShow)
#include "TestCliShow.moc"
