// The journal: records and images round trip and are found by unit; a
// crashed process's record reads as interrupted; two programs write at once
// without losing a record; unusable files and folders are refused with the
// file named and left as they were; a version 1 file migrates.
#include "TestSupport.h"
#include "journal/Journal.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

const QDateTime T0(QDate(2026, 3, 2), QTime(8, 15, 0, 250), Qt::UTC);

// Every field, so that a column that is not written or read shows.
QString dump(const JournalRecord& r) {
    QStringList voice;
    for (const JournalVoiceFile& file : r.voice)
        voice << QStringLiteral("%1/%2/%3").arg(file.name).arg(file.size).arg(file.sha256);
    return QStringList{r.id,
                       r.kind,
                       r.started.toString(Qt::ISODateWithMs),
                       r.finished.toString(Qt::ISODateWithMs),
                       r.result,
                       r.error,
                       r.step,
                       QString::number(r.reg),
                       r.unit.serial,
                       r.unit.byId,
                       r.unit.device,
                       QString::number(r.unit.model),
                       QString::number(r.unit.firmware),
                       r.configPath,
                       r.configSha256,
                       r.backupSha256,
                       r.readBackSha256,
                       r.differing.join('|'),
                       voice.join(';'),
                       r.restoredFrom,
                       r.programVersion,
                       r.user,
                       r.host}
        .join(QStringLiteral(" # "));
}

QStringList idsOf(const QList<JournalRecord>& records) {
    QStringList ids;
    for (const JournalRecord& record : records)
        ids << record.id;
    return ids;
}

JournalRecord recordOf(const QString& kind, const QString& serial, const QString& device,
                       int secondsAfterT0) {
    JournalRecord record = newJournalRecord(kind);
    record.started = T0.addSecs(secondsAfterT0);
    record.unit.serial = serial;
    record.unit.device = device;
    return record;
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

// What a path holds: its kind, size, time, link target and (when small) its bytes.
QString snapshot(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("missing");
    QString text = QStringLiteral("%1 %2 %3.%4 %5")
                       .arg(info.st_mode)
                       .arg(info.st_size)
                       .arg(info.st_mtim.tv_sec)
                       .arg(info.st_mtim.tv_nsec)
                       .arg(QFile::symLinkTarget(path));
    if (S_ISREG(info.st_mode) && info.st_size < (1 << 20))
        text += QString::fromLatin1(
            QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256).toHex());
    return text;
}

// A connection of the test's own, beside the journal's, for what the journal
// does not show: rows, blobs, the stored version.
class RawDb {
public:
    explicit RawDb(const QString& path) : name_(QStringLiteral("raw-%1").arg(++count_)) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db_.setDatabaseName(path);
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db_.open())
            qFatal("cannot open %s", qPrintable(path));
    }
    ~RawDb() {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }
    QVariantList row(const QString& sql) {
        QSqlQuery query(db_);
        QVariantList values;
        if (!query.exec(sql)) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
            return values;
        }
        if (query.next()) {
            for (int i = 0; i < query.record().count(); ++i)
                values << query.value(i);
        }
        return values;
    }
    bool exec(const QString& sql) {
        QSqlQuery query(db_);
        if (query.exec(sql))
            return true;
        qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        return false;
    }

private:
    static inline int count_ = 0;
    QString name_;
    QSqlDatabase db_;
};

std::unique_ptr<Journal> openJournal(const QString& path) {
    QString error;
    auto journal = Journal::open(path, &error);
    if (!journal)
        qWarning("%s", qPrintable(error));
    return journal;
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT
private slots:
    void recordsRoundTripAndAreFoundByUnit() {
        QTemporaryDir dir;
        // Folders that do not exist yet, with characters a URI must escape.
        const QString path = dir.filePath("new folder #1/50%?/journal.sqlite");
        auto journal = openJournal(path);
        QVERIFY(journal);
        QCOMPARE(journal->path(), path);
        QCOMPARE(journal->schemaVersion(), Journal::CurrentSchemaVersion);

        JournalRecord first = recordOf("write", "A1", "/dev/ttyACM0", 0);
        first.unit.byId = "/dev/serial/by-id/usb-Example_VELK-Ardo_A1-if00";
        first.unit.model = 2;
        first.unit.firmware = 114;
        first.configPath = "/home/fitter/Plant.QRB";
        first.configSha256 = QString(64, 'c');
        first.backupSha256 = QString(64, 'b');
        QVERIFY(journal->begin(first, nullptr));
        QCOMPARE(dump(*journal->record(first.id)), dump(first));
        first.finished = T0.addMSecs(41250);
        first.result = "verify-failed";
        first.error = "The unit holds other values than were written.";
        first.step = "writing register 40";
        first.reg = 40;
        first.readBackSha256 = QString(64, 'r');
        first.differing = QStringList{"Input 1, phone number 1", "Pulse length"};
        first.voice = {{"H01.WAV", 8044, QString(64, '1')}, {"L16.WAV", 12, QString(64, '2')}};
        first.restoredFrom = "none";
        QString error;
        QVERIFY2(journal->complete(first, &error), qPrintable(error));
        QCOMPARE(dump(*journal->record(first.id)), dump(first));

        // Serial A1 on two devices; another unit without a serial number on
        // the first one; a unit B2 there later; running and failed writes last.
        const QList<JournalRecord> later = {recordOf("read", "A1", "/dev/ttyUSB0", 1),
                                            recordOf("write", "", "/dev/ttyACM0", 2),
                                            recordOf("restore", "A1", "/dev/ttyUSB0", 3),
                                            recordOf("write", "B2", "/dev/ttyACM0", 4),
                                            recordOf("write", "A1", "/dev/ttyUSB0", 5),
                                            recordOf("write", "A1", "/dev/ttyUSB0", 6)};
        const QStringList results = {"ok", "ok", "verify-failed", "ok", "failed", ""};
        QStringList ids = {first.id};
        for (int i = 0; i < later.size(); ++i) {
            JournalRecord record = later[i];
            QVERIFY(journal->begin(record, nullptr));
            if (!results[i].isEmpty()) {
                record.result = results[i];
                record.finished = record.started.addSecs(1);
                QVERIFY(journal->complete(record, nullptr));
            }
            ids << record.id;
        }
        const QString &read = ids[1], &noSerial = ids[2], &restore = ids[3], &b2 = ids[4],
                      &failed = ids[5], &running = ids[6];

        struct Case {
            Journal::Query query;
            QStringList expected;
        };
        const QList<Case> cases = {
            {{}, {running, failed, b2, restore, noSerial, read, first.id}},
            {{"", 2, "", ""}, {running, failed}},
            {{"A1", 0, "", ""}, {running, failed, restore, read, first.id}},
            {{"/dev/ttyACM0", 0, "", ""}, {b2, noSerial, first.id}},
            {{first.unit.byId, 0, "", ""}, {first.id}},
            {{"", 0, "write", ""}, {running, failed, b2, noSerial, first.id}},
            {{"A1", 1, "read", ""}, {read}},
            // --mine: this computer's records, none of another's.
            {{"", 0, "", QSysInfo::machineHostName()},
             {running, failed, b2, restore, noSerial, read, first.id}},
            {{"", 0, "", "elsewhere"}, {}},
        };
        for (const Case& c : cases)
            QCOMPARE(idsOf(journal->records(c.query)), c.expected);

        auto idOf = [](const std::optional<JournalRecord>& record) {
            return record ? record->id : QStringLiteral("none");
        };
        const JournalUnit a1{"A1", "", "/dev/ttyS9", 0, 0};
        const JournalUnit acm0{"", "", "/dev/ttyACM0", 0, 0};
        QCOMPARE(idOf(journal->lastFor(a1)), running);
        QCOMPARE(idOf(journal->lastFor(a1, "read")), read);
        QCOMPARE(idOf(journal->lastFor(acm0)), b2);
        QCOMPARE(idOf(journal->lastFor({"Z9", "", "/dev/ttyACM0", 0, 0})), QString("none"));
        QCOMPARE(idOf(journal->lastWrite(a1)), restore);
        QCOMPARE(idOf(journal->lastWrite(acm0)), b2);
        QCOMPARE(idOf(journal->lastWrite({"", "", "", 0, 0})), QString("none"));

        // For a team's server: all but the record still running, oldest
        // first; one sent or fetched is not sent again, and one fetched
        // twice is there once.
        QStringList waiting = idsOf(journal->waitingToShare());
        std::reverse(waiting.begin(), waiting.end());
        QCOMPARE(waiting, QStringList({failed, b2, restore, noSerial, read, first.id}));
        QVERIFY(journal->markShared({read}, &error));
        JournalRecord fetched = *journal->record(first.id);
        fetched.id = "0d9c7c9e-5f6b-4b7e-9d6f-0a1b2c3d4e5f";
        fetched.host = "elsewhere";
        QVERIFY(journal->addFetched({fetched}, {}, &error));
        QVERIFY(journal->addFetched({fetched}, {}, &error));
        QCOMPARE(idsOf(journal->waitingToShare()).size(), 5);
        QCOMPARE(idsOf(journal->records({"", 0, "", "elsewhere"})), QStringList({fetched.id}));
        QVERIFY(journal->record(fetched.id)->shared && journal->record(read)->shared);
        QVERIFY(!journal->record(b2)->shared);

        // Owner-only: the folders it made, the file and what SQLite keeps beside it.
        QCOMPARE(modeOf(dir.filePath("new folder #1")), mode_t(0700));
        QCOMPARE(modeOf(dir.filePath("new folder #1/50%?")), mode_t(0700));
        for (const QString& file : {path, path + "-wal", path + "-shm"})
            QVERIFY2(modeOf(file) == 0600, qPrintable(file));

        journal.reset();
        journal = openJournal(path);
        QVERIFY(journal);
        QCOMPARE(idsOf(journal->records()).size(), 8);
        QCOMPARE(dump(*journal->record(first.id)), dump(first));
    }

    void imagesAreKeptOnceAndCompressed() {
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        auto journal = openJournal(path);
        QVERIFY(journal);
        QByteArray image(87 * 256, '\0');
        for (int reg = 0; reg < 87; ++reg)
            image.replace(reg * 256, 12, QByteArray::number(100000000000LL + reg));
        const QString sha = sha256Hex(image);
        QCOMPARE(sha, QString::fromLatin1(
                          QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex()));
        for (int i = 0; i < 10000; ++i)
            QCOMPARE(journal->addImage(image, nullptr), sha);
        QByteArray other = image;
        other[5000] = 'x';
        QCOMPARE(journal->addImage(other, nullptr), sha256Hex(other));

        QCOMPARE(journal->image(sha), image);
        QCOMPARE(journal->image(sha256Hex(other)), other);
        QCOMPARE(journal->image(QString(64, '0')), QByteArray());
        RawDb raw(path);
        QCOMPARE(raw.row("SELECT COUNT(*) FROM images")[0].toInt(), 2);
        const QByteArray stored =
            raw.row(QStringLiteral("SELECT data FROM images WHERE sha256 = '%1'").arg(sha))[0]
                .toByteArray();
        QVERIFY2(stored.size() < image.size() / 10, qPrintable(QString::number(stored.size())));
        QCOMPARE(qUncompress(stored), image);
    }

    void recordOfAProcessThatHasGoneReadsInterrupted() {
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        auto journal = openJournal(path);
        QVERIFY(journal);

        QProcess child;
        child.start(JOURNAL_HELPER, {"begin", path});
        QVERIFY(child.waitForStarted());
        auto killChild = qScopeGuard([&] {
            child.kill();
            child.waitForFinished();
        });
        while (!child.canReadLine() && child.state() == QProcess::Running)
            child.waitForReadyRead(10000);
        const QString id = QString::fromLatin1(child.readLine()).trimmed();
        QVERIFY2(!id.isEmpty(), child.readAllStandardError().constData());
        QCOMPARE(journal->record(id)->result, QString()); // still running
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(journal->record(id)->result, QString("interrupted"));
        QCOMPARE(journal->records({}).value(0).result, QString("interrupted"));
        QVERIFY(!journal->record(id)->finished.isValid());

        // This process still runs; another host's process cannot be seen.
        JournalRecord mine = newJournalRecord("read");
        JournalRecord elsewhere = newJournalRecord("read");
        elsewhere.host = "workshop-pc.example";
        QVERIFY(journal->begin(mine, nullptr));
        QVERIFY(journal->begin(elsewhere, nullptr));
        QCOMPARE(journal->record(mine.id)->result, QString());
        QCOMPARE(journal->record(elsewhere.id)->result, QString());
        // A completed record keeps its result whoever began it.
        elsewhere.result = "ok";
        QVERIFY(journal->complete(elsewhere, nullptr));
        QCOMPARE(journal->record(elsewhere.id)->result, QString("ok"));

        // This pid with another start is a reused pid; another boot, a
        // process of before the reboot.
        RawDb raw(path);
        const QString where = QStringLiteral(" WHERE id = '%1'").arg(mine.id);
        QVERIFY(raw.exec("UPDATE records SET process_start = process_start + 1" + where));
        QCOMPARE(journal->record(mine.id)->result, QString("interrupted"));
        QVERIFY(raw.exec("UPDATE records SET process_start = process_start - 1, "
                         "boot_id = 'an earlier boot'" +
                         where));
        QCOMPARE(journal->record(mine.id)->result, QString("interrupted"));
        QVERIFY(raw.exec("UPDATE records SET boot_id = '" +
                         readFile("/proc/sys/kernel/random/boot_id").trimmed() + "'" + where));
        QCOMPARE(journal->record(mine.id)->result, QString());
    }

    void twoProgramsRecordAtOnce() {
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        QVERIFY(openJournal(path));
        QProcess first, second;
        first.start(JOURNAL_HELPER, {"record", path, "100", "first"});
        second.start(JOURNAL_HELPER, {"record", path, "100", "second"});
        for (QProcess* child : {&first, &second}) {
            while (!child->canReadLine() && child->waitForReadyRead(30000)) {
            }
            QCOMPARE(child->readLine(), QByteArray("ready\n"));
        }
        for (QProcess* child : {&first, &second}) {
            child->write("go\n");
            QVERIFY(child->waitForBytesWritten(10000)); // not when it is waited for
        }
        for (QProcess* child : {&first, &second}) {
            QVERIFY(child->waitForFinished(60000));
            QVERIFY2(child->exitCode() == 0, child->readAllStandardOutput().constData());
        }
        auto journal = openJournal(path);
        QVERIFY(journal);
        const QList<JournalRecord> records = journal->records();
        QCOMPARE(records.size(), 200);
        QSet<QString> ids;
        QMap<QString, int> byProgram;
        for (const JournalRecord& record : records) {
            ids.insert(record.id);
            QCOMPARE(record.result, QString("ok"));
            ++byProgram[record.configPath];
        }
        QCOMPARE(ids.size(), 200);
        QCOMPARE(byProgram, (QMap<QString, int>{{"first", 100}, {"second", 100}}));
    }

    void unusableFilesAreRefusedAndLeftAlone_data() {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("cause");
        QTest::newRow("damaged file") << "damaged"
                                      << "file is not a database";
        QTest::newRow("1 GiB of zeros") << "big"
                                        << "file is not a database";
        QTest::newRow("link to a journal") << "link"
                                           << "symbolic link";
        QTest::newRow("link to nowhere") << "dangling"
                                         << "symbolic link";
        QTest::newRow("FIFO") << "fifo"
                              << "not a regular file";
        QTest::newRow("folder") << "folder"
                                << "not a regular file";
        QTest::newRow("link beside the journal") << "wal link"
                                                 << "-wal\" is not a regular file";
        QTest::newRow("another program's database") << "foreign"
                                                    << "not Quillary's journal";
        QTest::newRow("a newer journal") << "newer"
                                         << "journal version 4";
    }

    void unusableFilesAreRefusedAndLeftAlone() {
        QFETCH(QString, obstacle);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        const QString target = dir.filePath("elsewhere.sqlite");
        const QByteArray name = QFile::encodeName(path);
        if (obstacle == "damaged") {
            QByteArray bytes(8192, '\0');
            for (int i = 0; i < bytes.size(); ++i)
                bytes[i] = char(i * 31 + 7);
            writeFile(path, bytes);
        } else if (obstacle == "big") {
            QFile big(path);
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(1) << 30));
        } else if (obstacle == "link" || obstacle == "wal link") {
            QVERIFY(openJournal(target));
            QVERIFY(QFile::link(target, obstacle == "link" ? path : path + "-wal"));
        } else if (obstacle == "dangling") {
            QVERIFY(QFile::link(target, path));
        } else if (obstacle == "fifo") {
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        } else if (obstacle == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (obstacle == "foreign") {
            RawDb(path).exec("CREATE TABLE accounts (name TEXT)");
        } else if (obstacle == "newer") {
            QVERIFY(openJournal(path));
            RawDb(path).exec("UPDATE schema_version SET version = 4");
        }
        const QString before = snapshot(path), targetBefore = snapshot(target);
        QString error;
        QVERIFY(!Journal::open(path, &error));
        QVERIFY2(error.contains('"' + path + '"') && error.contains(cause), qPrintable(error));
        QCOMPARE(snapshot(path), before);
        QCOMPARE(snapshot(target), targetBefore);
        if (obstacle != "wal link") {
            QCOMPARE(snapshot(path + "-wal"), QString("missing"));
            QCOMPARE(snapshot(path + "-shm"), QString("missing"));
        }
    }

    // As a user who may not write the folder: nobody when the test runs as
    // root (as it does in CI), else the test's own user.
    void folderThatMayNotBeWritten_data() {
        QTest::addColumn<bool>("journalThere");
        QTest::newRow("no journal yet") << false;
        QTest::newRow("the user's journal there") << true;
    }

    void folderThatMayNotBeWritten() {
        QFETCH(bool, journalThere);
        QTemporaryDir dir;
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        const QString folder = dir.filePath("locked");
        const QString path = folder + "/journal.sqlite";
        QVERIFY(QDir().mkdir(folder));
        const bool root = ::geteuid() == 0;
        if (journalThere) {
            QVERIFY(openJournal(path));
            if (root)
                QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        }
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), root ? 0755 : 0555) == 0);
        const QString before = snapshot(path);

        QProcess helper;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("LSAN_OPTIONS"); // its suppressions file may be out of reach
        environment.insert("ASAN_OPTIONS", "detect_leaks=0");
        helper.setProcessEnvironment(environment);
        helper.setWorkingDirectory(dir.path());
        if (root)
            helper.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups",
                                     JOURNAL_HELPER, "open", path});
        else
            helper.start(JOURNAL_HELPER, {"open", path});
        QVERIFY(helper.waitForFinished(30000));
        const QString error = QString::fromUtf8(helper.readAllStandardOutput());
        QVERIFY2(helper.exitCode() == 1, qPrintable(error + helper.readAllStandardError()));
        QVERIFY2(error.contains('"' + path + '"') && error.contains("Permission denied"),
                 qPrintable(error));
        QCOMPARE(snapshot(path), before);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
    }

    void fullDiskFailsWithTheFileNamedAndLosesNothing() {
        if (::geteuid() != 0)
            QSKIP("mounting a small file system needs root (the test command runs as root)");
        QTemporaryDir dir;
        const QString folder = dir.filePath("small");
        QVERIFY(QDir().mkdir(folder));
        QCOMPARE(QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=256k", "tmpfs", folder}),
                 0);
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {folder}); });
        const QString path = folder + "/journal.sqlite";
        auto journal = openJournal(path);
        QVERIFY(journal);
        JournalRecord kept = newJournalRecord("write");
        QVERIFY(journal->begin(kept, nullptr));

        QFile filler(folder + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
        }
        filler.close();
        QString error;
        bool written = true;
        // The log may still have room for a record or two.
        for (int i = 0; i < 20 && written; ++i) {
            JournalRecord record = newJournalRecord("write");
            record.error = QString(2000, 'e');
            written = journal->begin(record, &error);
        }
        QVERIFY(!written);
        QVERIFY2(error.contains('"' + path + '"') && error.contains("disk is full"),
                 qPrintable(error));
        QString other;
        QVERIFY(!Journal::open(folder + "/second.sqlite", &other));
        QVERIFY2(other.contains(folder + "/second.sqlite\""), qPrintable(other));
        QCOMPARE(journal->record(kept.id)->id, kept.id);

        QVERIFY(QFile::remove(folder + "/filler"));
        JournalRecord after = newJournalRecord("write");
        QVERIFY(journal->begin(after, &error));
        QVERIFY(journal->record(after.id));
    }

    void versionOneFileMigrates() {
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        QVERIFY(QFile::copy(JOURNAL_TEST_DATA "/journal-v1.sqlite", path));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        // As if made on this machine: a record without a process is not
        // taken for an interrupted one.
        const QString host = QSysInfo::machineHostName();
        QVERIFY(RawDb(path).exec(QStringLiteral("UPDATE records SET host = '%1'").arg(host)));

        auto journal = openJournal(path);
        QVERIFY(journal);
        QCOMPARE(journal->schemaVersion(), 3);
        QCOMPARE(RawDb(path).row("SELECT version FROM schema_version")[0].toInt(), 3);
        const QList<JournalRecord> records = journal->records();
        QCOMPARE(records.size(), 2);
        const QString imageSha = "fad6364c401247ea747bb3920db2947c5c1f3e5e28e5e56333f78860f51290c8";
        JournalRecord read;
        read.id = "9e7d1a52-3c6b-4e0f-b8a1-6d2c4f5e7a31";
        read.kind = "read";
        read.started = QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);
        read.unit.device = "/dev/ttyUSB0";
        read.programVersion = "0.1.0";
        read.user = "fitter";
        read.host = host;
        JournalRecord write = read;
        write.id = "5b0c6f0e-8d4a-4f61-9a43-2f1d7c3e9b10";
        write.kind = "write";
        write.started = T0;
        write.finished = T0.addMSecs(41250);
        write.result = "verify-failed";
        write.error = "The unit holds other values than were written.";
        write.step = "reading back";
        write.unit = {"A1B2C3", "/dev/serial/by-id/usb-Example_VELK-Ardo_A1B2C3-if00",
                      "/dev/ttyACM0", 2, 114};
        write.configPath = "/home/fitter/Plant.QRB";
        write.configSha256 = write.backupSha256 = write.readBackSha256 = imageSha;
        write.differing = QStringList{"Input 1, phone number 1", "Pulse length"};
        write.voice = {{"H01.WAV", 8044, QString("ab").repeated(32)}};
        QCOMPARE(dump(records[0]), dump(read));
        QCOMPARE(dump(records[1]), dump(write));
        const QByteArray image = journal->image(imageSha);
        QCOMPARE(image.size(), 87 * 256);
        QCOMPARE(image.mid(16 * 256, 10), QByteArray("Door open\0", 10));

        JournalRecord added = newJournalRecord("write");
        QVERIFY(journal->begin(added, nullptr));
        journal.reset();
        journal = openJournal(path);
        QVERIFY(journal);
        QCOMPARE(journal->records().size(), 3);
        QCOMPARE(journal->record(read.id)->result, QString());
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
