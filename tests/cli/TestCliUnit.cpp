// quillary-cli against the unit simulator over a pseudo-terminal: write with
// voice and verify, read, set-clock, and the failures a script must be able
// to tell apart.
#include "CliRunner.h"
#include "SimProcess.h"
#include "config/ConfigFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// set-clock on the device `node`, with `home` for its settings; as nobody
// (the test runs as root) when asked.
CliRun setClockOn(const QByteArray& node, const QString& home, bool asNobody) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QUILLARY_LINK_DEVICE");
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home);
    const QStringList arguments{"--port", QFile::decodeName(node), "set-clock"};
    if (!asNobody)
        return runCli(arguments, env);
    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.start("setpriv", QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                     QStringLiteral(QUILLARY_CLI)} +
                             arguments);
    CliRun run;
    if (!cli.waitForFinished(10000))
        return run;
    run.status = cli.exitCode();
    run.out = cli.readAllStandardOutput();
    run.err = cli.readAllStandardError();
    return run;
}

} // namespace

class TestCliUnit : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString config_;

    // A configuration "Alarm" whose voice flags switch on three recordings.
    void makeConfig() {
        RegisterStore store;
        for (int reg = 1; reg <= 80; ++reg)
            store.setText(reg, QByteArray("register ") + QByteArray::number(reg) + " \xe9\x80");
        store.setText(84, "1000000000000001");
        store.setText(85, "0100000000000000");
        store.slot(86)[100] = 0x7f; // bytes no field shows travel too
        config_ = dir_.filePath("Alarm.QRB");
        QVERIFY(saveConfigFile(config_, store));
        const QDir templates(QStringLiteral(VOICE_TEMPLATES));
        for (const QString& name : templates.entryList({"*.WAV", "*.wav"}, QDir::Files)) {
            const QString own = "Alarm_" + name;
            QVERIFY(QFile::copy(templates.filePath(name), dir_.filePath(own)));
        }
    }

private slots:
    void initTestCase() { makeConfig(); }

    void writeWithVoiceVerifyThenReadAndSetClock() {
        SimProcess sim;
        QVERIFY(sim.start());

        CliRun run = runCli({"write", "--voice", "--verify", config_});
        QVERIFY2(run.status == 0, run.err);
        QVERIFY2(run.out.contains("Verified"), run.out);
        QVERIFY2(run.err.contains("writing register 87 of 87"), run.err);
        QVERIFY2(run.err.contains("sending voice file"), run.err);
        QCOMPARE(sim.readState("registers.QRB"), fileBytes(config_));
        QCOMPARE(sim.readState("voice.log"),
                 QByteArray("H01.WAV\nH16.WAV\nL02.WAV\nSelectOutput.wav\nSelectOnOff.wav\n"));
        QCOMPARE(sim.readState("voice/H16.WAV"), fileBytes(dir_.filePath("Alarm_H16.WAV")));
        QCOMPARE(sim.readState("voice/L02.WAV"), fileBytes(dir_.filePath("Alarm_L02.WAV")));

        const QString out = dir_.filePath("read.QRB");
        run = runCli({"read", out});
        QVERIFY2(run.status == 0, run.err);
        QCOMPARE(fileBytes(out), fileBytes(config_));
        run = runCli({"read", out});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains("--force"), run.err);
        QCOMPARE(runCli({"read", "--force", out}).status, 0);

        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        run = runCli({"set-clock"});
        QVERIFY2(run.status == 0, run.err);
        QCOMPARE(run.out, QByteArray("Clock has been set\n"));
        const QByteArray record = sim.readState("clock.bin");
        QCOMPARE(record.size(), 8);
        const auto byte = [&](int i) { return int(uchar(record[i])); };
        const QDateTime set(QDate(byte(0) | byte(1) << 8, byte(2), byte(3)),
                            QTime(byte(5), byte(6), byte(7)));
        QVERIFY2(set >= before.addSecs(-1) && set <= QDateTime::currentDateTime().addSecs(1),
                 qPrintable(set.toString()));
    }

    // One program on the port at a time: a second one is refused at once with
    // the device named, and the first one's transfer goes on undisturbed.
    void secondProgramOnThePortIsRefused() {
        SimProcess sim;
        QVERIFY(sim.start({"--baud", "115200"})); // a transfer that takes a few seconds
        QProcess first;
        first.start(QStringLiteral(QUILLARY_CLI), {"write", "--voice", "--verify", config_});
        QByteArray firstErr;
        QElapsedTimer wait;
        wait.start();
        while (!firstErr.contains("writing register 2 of 87") && wait.elapsed() < 10000) {
            first.waitForReadyRead(50);
            firstErr += first.readAllStandardError();
        }
        QVERIFY2(firstErr.contains("writing register 2 of 87"), firstErr);

        QElapsedTimer timer;
        timer.start();
        const CliRun second = runCli({"set-clock"});
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(second.status, 1);
        QVERIFY2(second.err.contains("The port " + QFile::encodeName(sim.linkPath()) +
                                     " is in use by quillary-cli (process " +
                                     QByteArray::number(first.processId()) + ")."),
                 second.err);
        QVERIFY2(first.state() == QProcess::Running, "the first transfer ended too soon");

        QVERIFY(first.waitForFinished(60000));
        firstErr += first.readAllStandardError();
        QVERIFY2(first.exitCode() == 0, firstErr);
        QVERIFY(first.readAllStandardOutput().contains("Verified"));
        QCOMPARE(sim.readState("registers.QRB"), fileBytes(config_));
        QVERIFY(sim.readState("clock.bin").isEmpty());
    }

    // A program that is not Quillary holds the port (a helper with the line
    // open and locked): the message names it by name and process number. To
    // another user, whose processes' open files are hidden, it stays unnamed.
    void programHoldingThePortIsNamed_data() {
        QTest::addColumn<bool>("asAnotherUser");
        QTest::newRow("seen") << false;
        QTest::newRow("another user's") << true;
    }
    void programHoldingThePortIsNamed() {
        QFETCH(bool, asAnotherUser);
        if (::geteuid() != 0)
            QSKIP("needs root to make the device node and to change user");
        SimProcess sim;
        QVERIFY(sim.start());
        // The terminal itself (a copy of its node cannot be opened), open to
        // anybody, so that only the lock keeps nobody out.
        const QByteArray node = QFile::encodeName(QFileInfo(sim.linkPath()).canonicalFilePath());
        QVERIFY(node.startsWith("/dev/pts/"));
        QVERIFY(::chmod(node.constData(), 0666) == 0);
        QTemporaryDir home;
        QVERIFY(::chmod(QFile::encodeName(home.path()).constData(), 0755) == 0);

        QProcess holder;
        holder.start("/usr/bin/python3", {"-c",
                                          "import fcntl, os, sys, time\n"
                                          "fd = os.open(sys.argv[1], os.O_RDWR | os.O_NOCTTY)\n"
                                          "fcntl.flock(fd, fcntl.LOCK_EX)\n"
                                          "print('held', flush=True)\n"
                                          "time.sleep(60)\n",
                                          QFile::decodeName(node)});
        const auto stop = qScopeGuard([&] {
            holder.kill();
            holder.waitForFinished();
        });
        QVERIFY(holder.waitForReadyRead(10000));
        QVERIFY(holder.readAllStandardOutput().startsWith("held"));

        const CliRun cli = setClockOn(node, home.path(), asAnotherUser);
        const QByteArray& err = cli.err;
        QVERIFY2(cli.status == 1, err);
        const QByteArray holderName =
            asAnotherUser ? QByteArray("another program")
                          : "python3 (process " + QByteArray::number(holder.processId()) + ")";
        QVERIFY2(err.contains("Error communicating with unit !\nThe port " + node +
                              " is in use by " + holderName + ".\n"),
                 err);
        QVERIFY(sim.readState("clock.bin").isEmpty());
    }

    // As a user outside the device's group: the message names the device and
    // the group to join. The node is a copy of the simulator's terminal.
    void deviceOfAGroupTheUserIsNotIn() {
        if (::geteuid() != 0)
            QSKIP("needs root to make the device node and to change user");
        SimProcess sim;
        QVERIFY(sim.start());
        QTemporaryDir nodes;
        QVERIFY(::chmod(QFile::encodeName(nodes.path()).constData(), 0755) == 0);
        struct stat pty {};
        QVERIFY(::stat(QFile::encodeName(sim.linkPath()).constData(), &pty) == 0);
        const QByteArray node = QFile::encodeName(nodes.filePath("ttyACM0"));
        const group* dialout = ::getgrnam("dialout");
        QVERIFY2(dialout, "no group dialout on this machine");
        QVERIFY(::mknod(node.constData(), S_IFCHR | 0660, pty.st_rdev) == 0);
        QVERIFY(::chown(node.constData(), 0, dialout->gr_gid) == 0);
        QVERIFY(::chmod(node.constData(), 0660) == 0);

        const CliRun cli = setClockOn(node, nodes.path(), true);
        const QByteArray& err = cli.err;
        QVERIFY2(cli.status == 1, err);
        QVERIFY2(err.contains("Error communicating with unit !\nYou may not open " + node +
                              ": add your user to the group dialout and log in again."),
                 err);
        QVERIFY(sim.readState("clock.bin").isEmpty());
    }

    void checkThenWrite() {
        QTemporaryDir scratch;
        RegisterStore store;
        store.setText(1, "+420601234567,00421905123456");
        store.setText(17, "Alarm {1}");
        const QString clean = scratch.filePath("Clean.QRB");
        QVERIFY(saveConfigFile(clean, store));
        CliRun run = runCli({"check", "--region", "CZ", clean});
        QVERIFY2(run.status == 0 && run.out.isEmpty(), run.out + run.err);
        run = runCli({"check", "--json", "--region", "SK", clean});
        QCOMPARE(run.status, 0);
        const QJsonObject json = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(json["findings"].toArray().size(), 0);
        QCOMPARE(json["texts"].toArray().first().toObject(),
                 (QJsonObject{{"register", 17},
                              {"field", "inputs[0].highText"},
                              {"encoding", "GSM-7"},
                              {"characters", 11},
                              {"segments", 1}}));

        run = runCli({"check", "--region", "CZ", config_});
        QCOMPARE(run.status, 1);
        QVERIFY2(
            run.out.contains("is not a valid phone number (region CZ) [error phone-invalid]\n"),
            run.out);
        QVERIFY2(!run.out.contains("sms-ucs2"), run.out); // \xe9 and \x80 are GSM characters

        SimProcess sim;
        QVERIFY(sim.start());
        run = runCli({"write", "--check", "--region", "CZ", clean});
        QVERIFY2(run.status == 0, run.err);
        QCOMPARE(sim.readState("registers.QRB"), fileBytes(clean));
    }

    // A 16-bit prompt is refused before anything reaches the unit: no
    // register, no voice file.
    void sixteenBitRecordingIsRefusedBeforeAnyByte() {
        QTemporaryDir scratch;
        const QString config = scratch.filePath("Site.QRB");
        QVERIFY(QFile::copy(config_, config));
        for (const QString& name : QDir(dir_.path()).entryList({"Alarm_*"}, QDir::Files))
            QVERIFY(QFile::copy(dir_.filePath(name), scratch.filePath("Site" + name.mid(5))));
        QByteArray wide =
            "RIFF" + QByteArray(4, '\0') + "WAVEfmt " +
            QByteArray("\x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0", 20) + "data" +
            QByteArray("\x64\0\0\0", 4) + QByteArray(100, '\x10');
        qToLittleEndian<quint32>(quint32(wide.size() - 8), wide.data() + 4);
        const QString prompt = scratch.filePath("Site_SelectOutput.wav");
        QFile file(prompt);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(wide) > 0);
        file.close();

        SimProcess sim;
        QVERIFY(sim.start());
        const QByteArray registersBefore = sim.readState("registers.QRB");
        const CliRun run = runCli({"write", "--voice", config});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(prompt.toUtf8()) &&
                     run.err.contains("it is not 8-bit mono PCM sound at 8000 or 4000 Hz"),
                 run.err);
        QCOMPARE(sim.readState("registers.QRB"), registersBefore);
        QCOMPARE(QDir(sim.statePath("voice")).entryList(QDir::Files), QStringList());
        QCOMPARE(sim.readState("voice.log"), QByteArray());
    }

    void failuresSayWhatAndWhy_data() {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("write fails at 40")
            << QStringList{"--fail-write", "40"} << QStringList{"write", "CONFIG"} << 1
            << "writing register 40 failed: the unit refused the request";
        QTest::newRow("unit changes 40")
            << QStringList{"--alter-register", "40"} << QStringList{"write", "--verify", "CONFIG"}
            << 1 << "verify: the unit's register 40 differs from";
        QTest::newRow("read fails at 5")
            << QStringList{"--fail-read", "5"} << QStringList{"read", "OUT"} << 1
            << "reading register 5 failed";
        QTest::newRow("password") << QStringList{"--password"} << QStringList{"set-clock"} << 1
                                  << "the unit is password protected";
        QTest::newRow("missing voice file")
            << QStringList{} << QStringList{"write", "--voice", "NOVOICE"} << 3
            << "One or more of the configured voicefiles does not exist !";
        QTest::newRow("missing file")
            << QStringList{} << QStringList{"write", "MISSING"} << 3 << "no such file";
        // Its phone registers hold text, and the recordings are not beside it.
        QTest::newRow("check finds errors")
            << QStringList{} << QStringList{"write", "--check", "--region", "CZ", "NOVOICE"} << 1
            << "Lonely.QRB was not written: the check found errors";
        QTest::newRow("check of a missing file")
            << QStringList{} << QStringList{"check", "MISSING"} << 3 << "no such file";
        QTest::newRow("check with a bad region")
            << QStringList{} << QStringList{"check", "--region", "XY", "CONFIG"} << 2
            << "--region takes a two-letter country code";
        QTest::newRow("bad port") << QStringList{} << QStringList{"--port", "COM5", "set-clock"}
                                  << 2 << "--port takes USB, COM1 to COM4";
        QTest::newRow("no device")
            << QStringList{} << QStringList{"--port", "/nonexistent/tty", "set-clock"} << 1
            << "connecting to the unit on /nonexistent/tty failed";
        QTest::newRow("no such device")
            << QStringList{} << QStringList{"--port", "/nonexistent/tty", "set-clock"} << 1
            << "The device /nonexistent/tty does not exist: is the unit plugged in?";
        QTest::newRow("not a serial port")
            << QStringList{} << QStringList{"--port", "NOVOICE", "set-clock"} << 1
            << "NOVOICE is not a serial port.";
    }

    void failuresSayWhatAndWhy() {
        QFETCH(QStringList, faults);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir scratch;
        const QString out = scratch.filePath("out.QRB");
        // A configuration whose recordings are not beside it.
        const QString noVoice = scratch.filePath("Lonely.QRB");
        QVERIFY(QFile::copy(config_, noVoice));
        arguments.replaceInStrings("CONFIG", config_);
        arguments.replaceInStrings("OUT", out);
        arguments.replaceInStrings("NOVOICE", noVoice);
        message.replace("NOVOICE", noVoice);
        arguments.replaceInStrings("MISSING", scratch.filePath("missing.QRB"));

        SimProcess sim;
        QVERIFY(sim.start(faults));
        const CliRun run = runCli(arguments);
        QVERIFY2(run.status == status, run.err);
        QVERIFY2(run.err.contains(message.toUtf8()), run.err);
        if (arguments.contains("--check"))
            QVERIFY(sim.readState("registers.QRB") !=
                    fileBytes(noVoice)); // nothing reached the unit
        QVERIFY(!QFile::exists(out));
        QVERIFY(!QFile::exists(scratch.filePath("missing.QRB")));
    }

    // Every write is a journal record with the unit's previous image and the
    // read-back; a failed write can be undone, a changed unit is found, and a
    // write that was killed is remembered at the next one.
    void journalKeepsEveryWriteAndTheWayBack() {
        QTemporaryDir data, scratch;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", data.path());
        const auto cli = [&](const QStringList& arguments) {
            QProcessEnvironment current = env;
            current.insert("QUILLARY_LINK_DEVICE", qEnvironmentVariable("QUILLARY_LINK_DEVICE"));
            return runCli(arguments, current);
        };
        const auto newest = [&] {
            const CliRun run = cli({"history", "--json", "--limit", "1"});
            return QJsonDocument::fromJson(run.out).array().first().toObject();
        };
        const auto sha = [](const QByteArray& bytes) {
            return QString::fromLatin1(
                QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
        };
        SimProcess sim;
        QVERIFY(sim.start());
        const QByteArray empty(87 * 256, '\0');

        CliRun run = cli({"write", config_});
        QVERIFY2(run.status == 0, run.err);
        QJsonObject record = newest();
        QCOMPARE(record["kind"].toString(), "write");
        QCOMPARE(record["result"].toString(), "ok");
        QCOMPARE(record["backupSha256"].toString(), sha(empty));
        QCOMPARE(record["config"].toObject()["sha256"].toString(), sha(fileBytes(config_)));
        QCOMPARE(record["readBackSha256"].toString(), sha(fileBytes(config_)));

        // A failed write names its register, and restore puts back what the unit held.
        RegisterStore other;
        other.setText(17, "other");
        const QString otherPath = scratch.filePath("Other.QRB");
        QVERIFY(saveConfigFile(otherPath, other));
        QVERIFY(sim.start({"--fail-write", "40"}));
        run = cli({"write", otherPath});
        QCOMPARE(run.status, 1);
        record = newest();
        QCOMPARE(record["result"].toString(), "failed");
        QCOMPARE(record["register"].toInt(), 40);
        const QString id = record["id"].toString();
        QVERIFY2(run.err.contains("quillary-cli restore " + id.toUtf8()), run.err);
        QVERIFY(sim.readState("registers.QRB") != fileBytes(config_));
        const QString exported = scratch.filePath("before.QRB");
        QCOMPARE(cli({"history", "export", id, exported}).status, 0);
        QCOMPARE(fileBytes(exported), fileBytes(config_));
        QVERIFY(sim.start());
        run = cli({"restore", id});
        QVERIFY2(run.status == 0, run.err);
        QCOMPARE(sim.readState("registers.QRB"), fileBytes(config_));
        QCOMPARE(newest()["kind"].toString(), "restore");

        // A unit that keeps a register changed: the field is named.
        QVERIFY(sim.start({"--alter-register", "17"}));
        run = cli({"write", otherPath});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("input 1 high text"), run.err);
        record = newest();
        QCOMPARE(record["result"].toString(), "verify-failed");
        QCOMPARE(record["differing"].toArray(), QJsonArray{"input 1 high text"});

        // Registers changed behind the journal's back.
        QVERIFY(sim.start());
        QCOMPARE(cli({"write", config_}).status, 0);
        QCOMPARE(cli({"audit"}).status, 0);
        sim.stop();
        QByteArray changed = fileBytes(sim.statePath("registers.QRB"));
        changed[16 * 256] = 'X';
        QFile state(sim.statePath("registers.QRB"));
        QVERIFY(state.open(QIODevice::WriteOnly) && state.write(changed) == changed.size());
        state.close();
        QVERIFY(sim.start());
        run = cli({"audit"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.contains("input 1 high text"), run.out);

        // A write killed in the middle reads as interrupted; the next write says so.
        QVERIFY(sim.start({"--baud", "115200"}));
        QProcess killed;
        QProcessEnvironment current = env;
        current.insert("QUILLARY_LINK_DEVICE", sim.linkPath());
        killed.setProcessEnvironment(current);
        killed.start(QStringLiteral(QUILLARY_CLI), {"write", otherPath});
        QByteArray err;
        QElapsedTimer wait;
        wait.start();
        while (!err.contains("writing register 2 of 87") && wait.elapsed() < 20000) {
            killed.waitForReadyRead(50);
            err += killed.readAllStandardError();
        }
        QVERIFY2(err.contains("writing register 2 of 87"), err);
        ::kill(pid_t(killed.processId()), SIGKILL);
        QVERIFY(killed.waitForFinished(5000));
        QCOMPARE(newest()["result"].toString(), "interrupted");
        QVERIFY(sim.start());
        run = cli({"write", config_});
        QVERIFY2(run.status == 0, run.err);
        QVERIFY2(run.err.contains("did not finish (interrupted)"), run.err);
    }

    void terminalShowsAProgressBar() {
        SimProcess sim;
        QVERIFY(sim.start());
        // script(1) gives the program a terminal and keeps what it drew.
        QProcess script;
        script.start("script",
                     {"-qec", QStringLiteral(QUILLARY_CLI) + " write " + config_, "/dev/null"});
        QVERIFY(script.waitForFinished(60000));
        QCOMPARE(script.exitCode(), 0);
        const QByteArray screen = script.readAllStandardOutput();
        QVERIFY2(screen.contains("\r[###"), screen.right(400));
        QVERIFY2(screen.contains("%  writing register 87 of 87"), screen.right(400));
        QVERIFY2(screen.contains("The transfer is complete !"), screen.right(400));
        QVERIFY2(!screen.contains("writing register 1 of 87\n"), screen.left(400));
    }
};

QTEST_GUILESS_MAIN(TestCliUnit)
#include "TestCliUnit.moc"
