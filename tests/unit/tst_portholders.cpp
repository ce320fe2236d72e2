// Who holds a port: the scan of the processes' open files, on a tree laid
// out like /proc and on the real one, and the message that names them.
#include "TestSupport.h"
#include "unit/LinkApi.h"
#include "unit/PortHolders.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <pty.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// One process of the made-up tree: its number, its name and where its open
// files lead; an fd entry "-" is a folder the scan may not read.
struct FakeProcess {
    int pid;
    QString name;
    QStringList openFiles;
};

void makeTree(const QString& root, const QList<FakeProcess>& processes, const QByteArray& locks) {
    for (const FakeProcess& process : processes) {
        const QString folder = root + '/' + QString::number(process.pid);
        QVERIFY(QDir().mkpath(folder));
        writeFile(folder + "/comm", process.name.toUtf8() + '\n');
        if (process.openFiles == QStringList{"-"}) {
            writeFile(folder + "/fd", "not readable");
            continue;
        }
        QVERIFY(QDir().mkpath(folder + "/fd"));
        for (qsizetype fd = 0; fd < process.openFiles.size(); ++fd)
            QVERIFY(QFile::link(process.openFiles[fd], folder + "/fd/" + QString::number(fd)));
    }
    writeFile(root + "/locks", locks);
}

// "/proc/locks" names a file by device numbers in hex and inode.
QByteArray lockLine(int pid, const QString& path) {
    struct stat node {};
    if (::stat(QFile::encodeName(path).constData(), &node) != 0)
        return {};
    return QStringLiteral("1: FLOCK  ADVISORY  WRITE %1 %2:%3:%4 0 EOF\n")
        .arg(pid)
        .arg(major(node.st_dev), 2, 16, QLatin1Char('0'))
        .arg(minor(node.st_dev), 2, 16, QLatin1Char('0'))
        .arg(quint64(node.st_ino))
        .toLatin1();
}

// A pseudo-terminal, its far end closed here; the test hands it to a child.
struct Pty {
    int master = -1;
    QString path;
    Pty() {
        int slave = -1;
        char name[64] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            path = QString::fromLocal8Bit(name);
            ::close(slave);
        }
    }
    ~Pty() {
        if (master >= 0)
            ::close(master);
    }
};

} // namespace

Q_DECLARE_METATYPE(FakeProcess)
Q_DECLARE_METATYPE(PortHolder)

class TestPortHolders : public QObject {
    Q_OBJECT
private slots:
    void scan_data() {
        QTest::addColumn<QList<FakeProcess>>("processes");
        QTest::addColumn<QByteArray>("locks");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QList<PortHolder>>("expected");
        const QString null = "/dev/null";
        const QString file = QCoreApplication::applicationFilePath();
        QTest::newRow("one holder")
            << QList<FakeProcess>{{812, "ModemManager", {"/dev/zero", null}},
                                  {900, "bash", {"/dev/zero"}}}
            << QByteArray() << null << QList<PortHolder>{{812, "ModemManager"}};
        QTest::newRow("none") << QList<FakeProcess>{{900, "bash", {"/dev/zero"}}} << QByteArray()
                              << null << QList<PortHolder>{};
        QTest::newRow("hidden from this user") << QList<FakeProcess>{{812, "ModemManager", {"-"}}}
                                               << QByteArray() << null << QList<PortHolder>{};
        QTest::newRow("several, by number")
            << QList<FakeProcess>{{1200, "minicom", {null}}, {99, "velk-unit-sim", {null}}}
            << QByteArray() << null << QList<PortHolder>{{99, "velk-unit-sim"}, {1200, "minicom"}};
        QTest::newRow("the lock holder among them")
            << QList<FakeProcess>{{99, "velk-unit-sim", {null}}, {1200, "quillary", {null}}}
            << lockLine(1200, null) << null << QList<PortHolder>{{1200, "quillary"}};
        QTest::newRow("a lock on another file")
            << QList<FakeProcess>{{99, "velk-unit-sim", {null}}, {1200, "quillary", {null}}}
            << lockLine(1200, "/dev/zero") << null
            << QList<PortHolder>{{99, "velk-unit-sim"}, {1200, "quillary"}};
        QTest::newRow("a lock held by one without it open")
            << QList<FakeProcess>{{99, "velk-unit-sim", {null}}} << lockLine(1200, null) << null
            << QList<PortHolder>{{99, "velk-unit-sim"}};
        QTest::newRow("a plain file, by its inode")
            << QList<FakeProcess>{{7, "cat", {file}}, {8, "less", {"/dev/zero"}}} << QByteArray()
            << file << QList<PortHolder>{{7, "cat"}};
        QTest::newRow("a device that is not there")
            << QList<FakeProcess>{{812, "ModemManager", {null}}} << QByteArray()
            << "/dev/quillary-no-such-device" << QList<PortHolder>{};
    }
    void scan() {
        QFETCH(QList<FakeProcess>, processes);
        QFETCH(QByteArray, locks);
        QFETCH(QString, device);
        QFETCH(QList<PortHolder>, expected);
        QTemporaryDir proc;
        makeTree(proc.path(), processes, locks);
        const QList<PortHolder> found = findPortHolders(device, proc.path());
        QCOMPARE(found.size(), expected.size());
        for (qsizetype i = 0; i < found.size(); ++i) {
            QCOMPARE(found[i].pid, expected[i].pid);
            QCOMPARE(found[i].name, expected[i].name);
        }
    }

    // A real process with the pseudo-terminal open, found in the real /proc
    // and named in the message, which for ModemManager says how to keep it
    // away from the unit.
    void namesTheProcessThatHasThePort_data() {
        QTest::addColumn<QString>("program");
        QTest::newRow("sleep") << "sleep";
        QTest::newRow("ModemManager") << "ModemManager";
    }
    void namesTheProcessThatHasThePort() {
        QFETCH(QString, program);
        Pty pty;
        QVERIFY(!pty.path.isEmpty());
        QTemporaryDir bin;
        const QString executable = bin.filePath(program);
        QVERIFY(QFile::copy("/bin/sleep", executable));
        QVERIFY(QFile::setPermissions(executable, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QProcess holder;
        holder.setStandardInputFile(pty.path);
        holder.start(executable, {"60"});
        QVERIFY(holder.waitForStarted());
        const auto stop = qScopeGuard([&] {
            holder.kill();
            holder.waitForFinished();
        });

        const QList<PortHolder> expected{{holder.processId(), program}};
        QList<PortHolder> found;
        // comm is the program's name once exec() is done.
        QTRY_VERIFY((found = findPortHolders(pty.path)) == expected);

        RecordingLinkApi link;
        link.openReason = LINK_OPEN_BUSY;
        link.openDevice = QFile::encodeName(pty.path);
        const QStringList lines = openErrorText(link, RecordingLinkApi::Handle).split('\n');
        QCOMPARE(lines.first(), QStringLiteral("The port %1 is in use by %2 (process %3).")
                                    .arg(pty.path, program)
                                    .arg(holder.processId()));
        if (program == "ModemManager") {
            QCOMPARE(lines.size(), 4);
            QVERIFY2(lines[1].contains("udevadm info " + pty.path), qPrintable(lines[1]));
            QCOMPARE(lines[2], QStringLiteral("SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"VVVV\", "
                                              "ATTRS{idProduct}==\"PPPP\", "
                                              "ENV{ID_MM_DEVICE_IGNORE}=\"1\""));
        } else {
            QCOMPARE(lines.size(), 1);
        }

        // Once it has gone, nobody is named.
        holder.kill();
        holder.waitForFinished();
        QCOMPARE(openErrorText(link, RecordingLinkApi::Handle),
                 QStringLiteral("The port %1 is in use by another program.").arg(pty.path));
    }
};

QTEST_MAIN(TestPortHolders)
#include "tst_portholders.moc"
