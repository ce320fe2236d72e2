// The archive beside the configuration is written through a temporary file:
// a link of its name is replaced, never written through, and a failed pack
// leaves no temporary file and the earlier archive as it was, and sends
// nothing. Whatever lies under a voice file's name is checked first.
#include "FakeMailTransport.h"
#include "TestSupport.h"
#include "mail/ConfigArchive.h"
#include "mail/SendConfigCommand.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class TestConfigArchive : public QObject {
    Q_OBJECT
private slots:
    void obstacles_data() {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("error"); // empty: packed
        QTest::newRow("a link to another file") << "link" << QString();
        QTest::newRow("a full disk") << "full"
                                     << "Cannot write the archive @archive: No space left on device";
        QTest::newRow("a read-only folder")
            << "read-only"
            << "Cannot create the archive in the folder @folder: Read-only file system";
        const QString voiceError = "The voice file @voice cannot be sent: it is ";
        QTest::newRow("a 1 GiB voice file") << "huge" << voiceError + "larger than the unit's";
        QTest::newRow("a FIFO as a voice file") << "fifo" << voiceError + "not a regular file.";
        QTest::newRow("a device as a voice file") << "device" << voiceError + "not a regular file.";
        QTest::newRow("a link to a voice file") << "voice link" << QString();
    }

    void obstacles() {
        QFETCH(QString, obstacle);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QString folder = dir.filePath("Cfg");
        QVERIFY(QDir().mkpath(folder));
        const bool mounted = obstacle == "full" || obstacle == "read-only";
        if (mounted) {
            if (geteuid() != 0)
                QSKIP("mounting a small file system needs root (the test command runs as root)");
            QCOMPARE(
                QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=256k", "tmpfs", folder}), 0);
        }
        const auto unmount = qScopeGuard([&] {
            if (mounted)
                QProcess::execute("umount", {folder});
        });
        const QString config = folder + "/Plant1.QRB";
        const QString archive = ConfigArchive::archivePathFor(config);
        writeFile(config, QByteArray(22272, 'c'));
        QVERIFY(::chmod(QFile::encodeName(config).constData(), 0600) == 0);
        // Random bytes do not compress: the archive cannot fit beside them.
        QByteArray noise(160 * 1024, '\0');
        for (char& byte : noise)
            byte = char(QRandomGenerator::global()->generate());
        writeFile(folder + "/Plant1_H01.WAV", obstacle == "full" ? noise : "RIFF");
        const QString other = dir.filePath("other.zip");
        writeFile(other, "somebody else's file");
        if (obstacle == "link")
            QVERIFY(QFile::link(other, archive));
        else
            writeFile(archive, "the earlier archive");
        // Found without regard to case, named as found.
        const QString voice = folder + "/plant1_l02.wav";
        const QString recording = dir.filePath("take2.wav");
        writeFile(recording, "RIFF take 2");
        if (obstacle == "huge") { // sparse
            writeFile(voice, "RIFF");
            QVERIFY(::truncate(QFile::encodeName(voice).constData(), 1LL << 30) == 0);
        }
        if (obstacle == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(voice).constData(), 0600) == 0);
        if (obstacle == "device" || obstacle == "voice link")
            QVERIFY(QFile::link(obstacle == "device" ? "/dev/zero" : recording, voice));
        if (obstacle == "read-only")
            QCOMPARE(QProcess::execute("mount", {"-o", "remount,ro", folder}), 0);
        const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);

        FakeMailTransport transport;
        const SendOutcome outcome = SendConfigCommand::run(
            {config, "Plant1", {}, {}}, {"ann@example.org", "x", "y"}, &transport);

        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), before);
        QCOMPARE(readFile(other), QByteArray("somebody else's file"));
        if (error.isEmpty()) {
            QVERIFY2(outcome.kind == SendOutcome::Sent, qPrintable(outcome.reason));
            QCOMPARE(transport.sent.size(), 1);
            QVERIFY(!QFileInfo(archive).isSymLink());
            QVERIFY(readFile(archive).startsWith("PK\x03\x04"));
            struct stat status {};
            QVERIFY(::stat(QFile::encodeName(archive).constData(), &status) == 0);
            QCOMPARE(status.st_mode & 077, 0u); // as private as the configuration
            QCOMPARE(readFile(archive).contains("Plant1_L02.WAV"), obstacle == "voice link");
        } else {
            QCOMPARE(outcome.kind, SendOutcome::ArchiveFailed);
            QVERIFY2(outcome.reason.startsWith(error.replace("@archive", archive)
                                                   .replace("@folder", folder)
                                                   .replace("@voice", voice)),
                     qPrintable(outcome.reason));
            QCOMPARE(transport.calls, QStringList{});
            QCOMPARE(readFile(archive), QByteArray("the earlier archive"));
        }
    }
};

QTEST_GUILESS_MAIN(TestConfigArchive)
#include "tst_configarchive.moc"
