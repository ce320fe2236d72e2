// The files quillary-cli keeps while writing units: backups that never
// replace anything, and a log that is only appended to, as a regular file.
#include "unit/UnitRecords.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestUnitRecords : public QObject {
    Q_OBJECT
private slots:
    void backupsNeverReplaceAFile() {
        QTemporaryDir dir;
        const QDateTime when(QDate(2026, 12, 8), QTime(10, 15, 0));
        QString error;
        QVERIFY(checkBackupFolder(dir.path(), &error));
        const QString first = writeBackup(dir.path(), "../A B", when, "first", &error);
        const QString second = writeBackup(dir.path(), "../A B", when, "second", &error);
        QCOMPARE(first, dir.filePath("___A_B-20261208-101500.QRB"));
        QCOMPARE(second, dir.filePath("___A_B-20261208-101500-2.QRB"));
        QFile a(first), b(second);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), QByteArray("first"));
        QCOMPARE(b.readAll(), QByteArray("second"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

        // A file where the folder should be, or no folder at all.
        QVERIFY(!checkBackupFolder(first, &error));
        QVERIFY(error.contains("is not a folder"));
        QVERIFY(!checkBackupFolder(dir.filePath("missing"), &error));
        QVERIFY(error.contains("No such file"));
    }

    void logIsAppendedToARegularFileOnly() {
        QTemporaryDir dir;
        const QString path = dir.filePath("units.log");
        QString error;
        for (const char* line : {"{\"unit\":1}", "{\"unit\":2}"}) {
            AppendLog log;
            QVERIFY2(log.open(path, &error), qPrintable(error));
            QVERIFY(log.append(line, &error));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("{\"unit\":1}\n{\"unit\":2}\n"));

        // A link (even to the log itself) and a FIFO are refused, at once.
        const QString link = dir.filePath("link.log");
        QVERIFY(QFile::link(path, link));
        QVERIFY(!AppendLog().open(link, &error));
        QVERIFY(error.contains("symbolic link"));
        const QString fifo = dir.filePath("fifo.log");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!AppendLog().open(fifo, &error));
        QVERIFY(error.contains("not a regular file"));
        QCOMPARE(QFileInfo(path).size(), qint64(22));
    }
};

QTEST_GUILESS_MAIN(TestUnitRecords)
#include "tst_unitrecords.moc"
