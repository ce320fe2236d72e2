#include "journal/Journal.h"
#include "journal/JournalSchema.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUrl>
#include <QUuid>
#include <QVariant>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// This file's texts, in the program's language.
struct JournalText {
    Q_DECLARE_TR_FUNCTIONS(JournalText)
};
} // namespace

namespace {

// Version 1: the records and images as first kept. Version 2 adds the
// identity of the process that began a record (pid, its start in clock ticks
// since boot, the boot), so that a record whose process has gone can be told
// from one still running, and a reused pid is not taken for the same process.
// Version 3 marks the records that are on the team's server ("sent" from
// here or "fetched" from there); the server's own copy leaves it empty.
// Each step takes the journal from version N to N + 1; a new file goes
// through all of them. Only TEXT, INTEGER and BLOB (BYTEA on a server), so
// that a team's server holds the same tables.
const QList<QStringList> Migrations = {
    {
        QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE images (sha256 TEXT NOT NULL PRIMARY KEY,"
                       " size INTEGER NOT NULL, data BLOB NOT NULL)"),
        QStringLiteral("CREATE TABLE records (id TEXT NOT NULL PRIMARY KEY,"
                       " kind TEXT NOT NULL, started TEXT NOT NULL, finished TEXT,"
                       " result TEXT, error TEXT, step TEXT, reg INTEGER,"
                       " unit_serial TEXT, unit_by_id TEXT, unit_device TEXT,"
                       " unit_model INTEGER, unit_firmware INTEGER,"
                       " config_path TEXT, config_sha256 TEXT, backup_sha256 TEXT,"
                       " read_back_sha256 TEXT, differing TEXT, voice TEXT,"
                       " restored_from TEXT, program_version TEXT, user_name TEXT, host TEXT)"),
        QStringLiteral("CREATE INDEX records_started ON records (started)"),
        QStringLiteral("CREATE INDEX records_unit_serial ON records (unit_serial, started)"),
        QStringLiteral("CREATE INDEX records_unit_device ON records (unit_device, started)"),
    },
    {
        QStringLiteral("ALTER TABLE records ADD COLUMN pid INTEGER"),
        QStringLiteral("ALTER TABLE records ADD COLUMN process_start INTEGER"),
        QStringLiteral("ALTER TABLE records ADD COLUMN boot_id TEXT"),
    },
    {
        QStringLiteral("ALTER TABLE records ADD COLUMN shared TEXT"),
    },
};
static_assert(Journal::CurrentSchemaVersion == 3, "a version needs its step in Migrations");

// The record's columns, in the order values() binds them and fromRow() reads
// them; the process identity follows them.
const QStringList RecordColumns = {
    QStringLiteral("id"),
    QStringLiteral("kind"),
    QStringLiteral("started"),
    QStringLiteral("finished"),
    QStringLiteral("result"),
    QStringLiteral("error"),
    QStringLiteral("step"),
    QStringLiteral("reg"),
    QStringLiteral("unit_serial"),
    QStringLiteral("unit_by_id"),
    QStringLiteral("unit_device"),
    QStringLiteral("unit_model"),
    QStringLiteral("unit_firmware"),
    QStringLiteral("config_path"),
    QStringLiteral("config_sha256"),
    QStringLiteral("backup_sha256"),
    QStringLiteral("read_back_sha256"),
    QStringLiteral("differing"),
    QStringLiteral("voice"),
    QStringLiteral("restored_from"),
    QStringLiteral("program_version"),
    QStringLiteral("user_name"),
    QStringLiteral("host"),
};
const QStringList IdentityColumns = {QStringLiteral("pid"), QStringLiteral("process_start"),
                                     QStringLiteral("boot_id")};
// Read after the identity.
const QString SharedColumn = QStringLiteral("shared");

QString timeText(const QDateTime& time) {
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QDateTime timeFrom(const QVariant& value) {
    const QString text = value.toString();
    return text.isEmpty() ? QDateTime() : QDateTime::fromString(text, Qt::ISODateWithMs).toUTC();
}

QString voiceText(const QList<JournalVoiceFile>& voice) {
    QJsonArray files;
    for (const JournalVoiceFile& file : voice)
        files.append(QJsonObject{{QStringLiteral("name"), file.name},
                                 {QStringLiteral("size"), file.size},
                                 {QStringLiteral("sha256"), file.sha256}});
    return QString::fromUtf8(QJsonDocument(files).toJson(QJsonDocument::Compact));
}

QList<JournalVoiceFile> voiceFrom(const QVariant& value) {
    QList<JournalVoiceFile> voice;
    const QJsonArray files = QJsonDocument::fromJson(value.toString().toUtf8()).array();
    for (const QJsonValue& file : files)
        voice.append({file[QStringLiteral("name")].toString(),
                      file[QStringLiteral("size")].toInteger(),
                      file[QStringLiteral("sha256")].toString()});
    return voice;
}

QVariantList values(const JournalRecord& record) {
    return {record.id,
            record.kind,
            timeText(record.started),
            record.finished.isValid() ? QVariant(timeText(record.finished)) : QVariant(),
            record.result,
            record.error,
            record.step,
            record.reg,
            record.unit.serial,
            record.unit.byId,
            record.unit.device,
            record.unit.model,
            record.unit.firmware,
            record.configPath,
            record.configSha256,
            record.backupSha256,
            record.readBackSha256,
            record.differing.join(QLatin1Char('\n')),
            voiceText(record.voice),
            record.restoredFrom,
            record.programVersion,
            record.user,
            record.host};
}

JournalRecord fromRow(const QSqlQuery& row) {
    JournalRecord record;
    int column = 0;
    auto next = [&] { return row.value(column++); };
    record.id = next().toString();
    record.kind = next().toString();
    record.started = timeFrom(next());
    record.finished = timeFrom(next());
    record.result = next().toString();
    record.error = next().toString();
    record.step = next().toString();
    record.reg = next().toInt();
    record.unit.serial = next().toString();
    record.unit.byId = next().toString();
    record.unit.device = next().toString();
    record.unit.model = next().toInt();
    record.unit.firmware = next().toInt();
    record.configPath = next().toString();
    record.configSha256 = next().toString();
    record.backupSha256 = next().toString();
    record.readBackSha256 = next().toString();
    const QString differing = next().toString();
    if (!differing.isEmpty())
        record.differing = differing.split(QLatin1Char('\n'));
    record.voice = voiceFrom(next());
    record.restoredFrom = next().toString();
    record.programVersion = next().toString();
    record.user = next().toString();
    record.host = next().toString();
    return record;
}

// Who began a record: enough to tell later, on this host, whether that
// process still runs.
struct ProcessIdentity {
    qint64 pid = 0;
    qint64 start = 0; // clock ticks after boot, field 22 of /proc/PID/stat
    QString bootId;
};

QByteArray readSmallFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
}

QString currentBootId() {
    return QString::fromLatin1(
        readSmallFile(QStringLiteral("/proc/sys/kernel/random/boot_id")).trimmed());
}

// The start of a running process; nothing when there is no such process or
// it has ended and waits only to be reaped (a zombie completes no record).
std::optional<qint64> processStart(qint64 pid) {
    const QByteArray stat = readSmallFile(QStringLiteral("/proc/%1/stat").arg(pid));
    // The name (field 2) may hold spaces and parentheses: count from its end.
    const qsizetype nameEnd = stat.lastIndexOf(')');
    if (nameEnd < 0)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(nameEnd + 2).split(' ');
    // fields[0] is field 3 (the state), so field 22 is fields[19].
    if (fields.size() < 20 || fields[0] == "Z" || fields[0] == "X")
        return std::nullopt;
    bool ok = false;
    const qint64 start = fields[19].toLongLong(&ok);
    return ok ? std::optional<qint64>(start) : std::nullopt;
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString sqlReason(const QSqlError& error) {
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

QString quoted(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

QString cannotOpen(const QString& path, const QString& reason) {
    return JournalText::tr("The journal %1 cannot be opened: %2").arg(quoted(path), reason);
}

QString cannotWrite(const QString& path, const QString& reason) {
    return JournalText::tr("The journal %1 cannot be written: %2").arg(quoted(path), reason);
}

// Makes the missing folders of path owner-only, as the journal's folder
// should be; the folders that exist stay as they are.
bool makeFolders(const QString& folder, QString* reason) {
    struct stat info {};
    const QByteArray name = QFile::encodeName(folder);
    if (::stat(name.constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        *reason = systemReason(ENOTDIR);
        return false;
    }
    if (errno != ENOENT) {
        *reason = systemReason(errno);
        return false;
    }
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent != folder && !makeFolders(parent, reason))
        return false;
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) {
        *reason = systemReason(errno);
        return false;
    }
    return true;
}

// Makes sure that what is at path may be opened as the journal: a regular
// file that is empty or starts as a SQLite database, created owner-only when
// missing. Nothing is written to a file that is there.
bool checkFile(const QString& path, QString* error) {
    const QByteArray name = QFile::encodeName(path);
    for (int attempt = 0; attempt < 3; ++attempt) {
        struct stat info {};
        if (::lstat(name.constData(), &info) != 0) {
            if (errno != ENOENT) {
                *error = cannotOpen(path, systemReason(errno));
                return false;
            }
            // Created here, not by SQLite, so that it is owner-only from
            // its first moment whatever the umask.
            const int fd = ::open(name.constData(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0) {
                if (errno == EEXIST)
                    continue; // another program made it meanwhile: look again
                *error = JournalText::tr("The journal %1 cannot be created: %2")
                             .arg(quoted(path), systemReason(errno));
                return false;
            }
            ::fchmod(fd, 0600);
            ::close(fd);
            return true;
        }
        if (S_ISLNK(info.st_mode)) {
            *error = JournalText::tr("The journal %1 is a symbolic link; Quillary never writes "
                                     "through a link. Remove the link or put the file itself "
                                     "in its place.")
                         .arg(quoted(path));
            return false;
        }
        if (!S_ISREG(info.st_mode)) {
            *error = JournalText::tr("The journal %1 is not a regular file (a folder, FIFO or "
                                     "device is in its place). Move it aside and Quillary "
                                     "starts a new journal.")
                         .arg(quoted(path));
            return false;
        }
        if (info.st_size == 0)
            return true; // made above by an open that failed later
        const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            *error = cannotOpen(path, systemReason(errno));
            return false;
        }
        static const QByteArray Magic("SQLite format 3\0", 16);
        QByteArray header(Magic.size(), '\0');
        const ssize_t got = ::pread(fd, header.data(), size_t(header.size()), 0);
        ::close(fd);
        if (got != Magic.size() || header != Magic) {
            *error = JournalText::tr("The journal %1 cannot be read: file is not a database (it "
                                     "may be damaged). It was left as it is: move it aside and "
                                     "Quillary starts a new journal.")
                         .arg(quoted(path));
            return false;
        }
        return true;
    }
    *error = cannotOpen(path, systemReason(EEXIST));
    return false;
}

// What SQLite makes beside the file: never through a link either.
bool checkCompanions(const QString& path, QString* error) {
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        const QString companion = path + QLatin1String(suffix);
        struct stat info {};
        if (::lstat(QFile::encodeName(companion).constData(), &info) == 0 &&
            !S_ISREG(info.st_mode)) {
            *error = JournalText::tr("The journal %1 cannot be opened: %2 is not a regular file. "
                                     "Remove it; Quillary never writes through a link.")
                         .arg(quoted(path), quoted(companion));
            return false;
        }
    }
    return true;
}

QString thisUser() {
    if (const passwd* entry = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

} // namespace

struct Journal::Private {
    QString path;
    QString connection;
    QSqlDatabase db;
    int version = 0;
    QString host = QSysInfo::machineHostName();
    ProcessIdentity self;

    ~Private() {
        if (db.isOpen())
            db.close();
        db = QSqlDatabase();
        if (!connection.isEmpty())
            QSqlDatabase::removeDatabase(connection);
    }

    bool exec(const QString& sql, QString* reason) const {
        QSqlQuery query(db);
        if (query.exec(sql))
            return true;
        *reason = sqlReason(query.lastError());
        return false;
    }

    // SQLite takes the write lock at once (waiting up to the busy timeout),
    // so that a transaction that reads first never fails on upgrading its
    // lock because another program wrote meanwhile.
    bool beginWrite(QString* reason) {
        if (db.driverName() == QLatin1String("QSQLITE"))
            return exec(QStringLiteral("BEGIN IMMEDIATE"), reason);
        if (db.transaction())
            return true;
        *reason = sqlReason(db.lastError());
        return false;
    }

    bool commit(QString* reason) {
        if (db.commit())
            return true;
        *reason = sqlReason(db.lastError());
        db.rollback();
        return false;
    }

    // 0 for an empty database, -1 for one that is not a journal, -2 when
    // it cannot be read (with *reason).
    int storedVersion(QString* reason) const {
        QSqlQuery query(db);
        if (query.exec(QStringLiteral("SELECT version FROM schema_version")))
            return query.next() ? query.value(0).toInt() : -1;
        *reason = sqlReason(query.lastError());
        const QStringList tables = db.tables();
        if (tables.contains(QStringLiteral("schema_version")))
            return -2;
        // A file SQLite cannot read lists no tables either: the first write
        // below fails with its reason and changes nothing.
        return tables.isEmpty() ? 0 : -1;
    }

    // SQLite says only "unable to open database file" when it cannot make
    // the files it keeps beside the journal.
    QString openReason(const QString& sqlReasonText) const {
        const QString folder = QFileInfo(path).absolutePath();
        if (::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK, AT_EACCESS) != 0)
            return JournalText::tr("its folder %1 cannot be written (%2)")
                .arg(quoted(folder), systemReason(errno));
        return sqlReasonText;
    }

    // Brings the journal to the current version, all steps in one
    // transaction, or says why it is left as it is.
    bool prepare(QString* error) {
        QString reason;
        version = storedVersion(&reason);
        if (version == -2) {
            *error = cannotOpen(path, openReason(reason));
            return false;
        }
        if (version == -1) {
            *error = JournalText::tr("The journal %1 is a database, but not Quillary's journal. "
                                     "It was left as it is.")
                         .arg(quoted(path));
            return false;
        }
        if (version > CurrentSchemaVersion) {
            *error = JournalText::tr("The journal %1 was made by a newer version of Quillary "
                                     "(journal version %2; this version knows up to %3). It was "
                                     "left as it is.")
                         .arg(quoted(path))
                         .arg(version)
                         .arg(CurrentSchemaVersion);
            return false;
        }
        // Only now that it is known to be a journal: another program's
        // database keeps its own mode.
        if (!exec(QStringLiteral("PRAGMA journal_mode=WAL"), &reason)) {
            *error = cannotOpen(path, openReason(reason));
            return false;
        }
        if (version == CurrentSchemaVersion)
            return true;
        if (!beginWrite(&reason)) {
            *error = cannotOpen(path, openReason(reason));
            return false;
        }
        // Another program may have done it while this one waited.
        version = storedVersion(&reason);
        if (version >= 0 && version < CurrentSchemaVersion && !migrate(&reason)) {
            db.rollback();
            *error = cannotWrite(path, reason);
            return false;
        }
        if (!commit(&reason)) {
            *error = cannotWrite(path, reason);
            return false;
        }
        // What another program left meanwhile is judged as above.
        return version == CurrentSchemaVersion || prepare(error);
    }

    bool migrate(QString* reason) {
        for (const QString& sql : journalSchemaSteps(version, QStringLiteral("BLOB"))) {
            if (!exec(sql, reason))
                return false;
        }
        if (!exec(QStringLiteral("DELETE FROM schema_version"), reason))
            return false;
        QSqlQuery query(db);
        query.prepare(QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"));
        query.addBindValue(CurrentSchemaVersion);
        if (!query.exec()) {
            *reason = sqlReason(query.lastError());
            return false;
        }
        version = CurrentSchemaVersion;
        return true;
    }

    bool insert(const JournalRecord& record, QString* reason,
                const QString& shared = QString()) const {
        const QStringList columns = RecordColumns + IdentityColumns + QStringList{SharedColumn};
        QSqlQuery query(db);
        query.prepare(
            QStringLiteral("INSERT INTO records (%1) VALUES (%2)")
                .arg(columns.join(QLatin1String(", ")),
                     QStringList(columns.size(), QStringLiteral("?")).join(QLatin1String(", "))));
        for (const QVariant& value : values(record))
            query.addBindValue(value);
        query.addBindValue(self.pid);
        query.addBindValue(self.start);
        query.addBindValue(self.bootId);
        query.addBindValue(shared.isEmpty() ? QVariant() : QVariant(shared));
        if (query.exec())
            return true;
        *reason = sqlReason(query.lastError());
        return false;
    }

    // Whether the process that began a running record of this host has gone.
    bool hasGone(const QVariant& pid, const QVariant& start, const QVariant& bootId,
                 QHash<qint64, std::optional<qint64>>& starts) const {
        if (pid.isNull())
            return false; // begun before the process was recorded: nothing to tell
        if (!bootId.toString().isEmpty() && bootId.toString() != self.bootId)
            return true;
        const qint64 number = pid.toLongLong();
        auto found = starts.find(number);
        if (found == starts.end())
            found = starts.insert(number, processStart(number));
        // A start of 0: this process could not read its own when it began.
        return !found.value() || (start.toLongLong() != 0 && *found.value() != start.toLongLong());
    }

    QList<JournalRecord>
    select(const QString& where, const QVariantList& bound, int limit,
           const QString& order = QStringLiteral(" ORDER BY started DESC, id DESC")) const {
        QString sql = QStringLiteral("SELECT %1 FROM records")
                          .arg((RecordColumns + IdentityColumns + QStringList{SharedColumn})
                                   .join(QLatin1String(", ")));
        if (!where.isEmpty())
            sql += QStringLiteral(" WHERE ") + where;
        sql += order;
        if (limit > 0)
            sql += QStringLiteral(" LIMIT %1").arg(limit);
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(sql);
        for (const QVariant& value : bound)
            query.addBindValue(value);
        QList<JournalRecord> records;
        if (!query.exec()) {
            qWarning("journal %s: %s", qPrintable(path), qPrintable(sqlReason(query.lastError())));
            return records;
        }
        const int identity = int(RecordColumns.size());
        QHash<qint64, std::optional<qint64>> starts;
        while (query.next()) {
            JournalRecord record = fromRow(query);
            record.shared = !query.value(identity + 3).toString().isEmpty();
            if (record.result.isEmpty() && record.host == host &&
                hasGone(query.value(identity), query.value(identity + 1), query.value(identity + 2),
                        starts))
                record.result = QStringLiteral("interrupted");
            records.append(std::move(record));
        }
        return records;
    }

    // Records about the unit: by its serial number when it has one, else by
    // the device it was reached on.
    static bool unitCondition(const JournalUnit& unit, QStringList& where, QVariantList& bound) {
        if (!unit.serial.isEmpty()) {
            where << QStringLiteral("unit_serial = ?");
            bound << unit.serial;
        } else if (!unit.device.isEmpty()) {
            where << QStringLiteral("unit_device = ?");
            bound << unit.device;
        } else {
            return false;
        }
        return true;
    }
};

QString Journal::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/quillary/journal.sqlite");
}

Journal::Journal(std::unique_ptr<Private> d) : d_(std::move(d)) {}

Journal::~Journal() = default;

std::unique_ptr<Journal> Journal::open(const QString& path, QString* error) {
    QString message;
    auto refuse = [&](const QString& text) {
        if (error)
            *error = text;
        return std::unique_ptr<Journal>();
    };
    const QString file = QFileInfo(path).absoluteFilePath();
    const QString folder = QFileInfo(file).absolutePath();
    QString reason;
    if (!makeFolders(folder, &reason))
        return refuse(JournalText::tr("The folder %1 for the journal cannot be created: %2")
                          .arg(quoted(folder), reason));
    if (!checkCompanions(file, &message) || !checkFile(file, &message))
        return refuse(message);

    static std::atomic<quint64> connections{0};
    auto d = std::make_unique<Private>();
    d->path = file;
    d->connection = QStringLiteral("quillary-journal-%1").arg(++connections);
    d->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), d->connection);
    if (!d->db.isValid())
        return refuse(cannotOpen(file, JournalText::tr("Qt's SQLite driver is missing (install "
                                                       "the package libqt6sql6-sqlite).")));
    // As a URI with mode=rw, so that SQLite never makes the file itself (it
    // was made owner-only above).
    d->db.setDatabaseName(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) +
                          QStringLiteral("?mode=rw"));
    d->db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_URI"));
    if (!d->db.open())
        return refuse(cannotOpen(file, d->openReason(sqlReason(d->db.lastError()))));
    d->self.pid = ::getpid();
    d->self.start = processStart(d->self.pid).value_or(0);
    d->self.bootId = currentBootId();
    if (!d->prepare(&message))
        return refuse(message);
    return std::unique_ptr<Journal>(new Journal(std::move(d)));
}

QString Journal::path() const {
    return d_->path;
}

QString Journal::addImage(const QByteArray& image, QString* error) {
    const QString sha256 = sha256Hex(image);
    {
        // Most images are known already: a read takes no lock and writes nothing.
        QSqlQuery known(d_->db);
        known.prepare(QStringLiteral("SELECT 1 FROM images WHERE sha256 = ?"));
        known.addBindValue(sha256);
        if (known.exec() && known.next())
            return sha256;
    }
    QString reason;
    if (!d_->beginWrite(&reason)) {
        if (error)
            *error = cannotWrite(d_->path, reason);
        return {};
    }
    QSqlQuery query(d_->db);
    query.prepare(QStringLiteral("INSERT INTO images (sha256, size, data) VALUES (?, ?, ?) "
                                 "ON CONFLICT (sha256) DO NOTHING"));
    query.addBindValue(sha256);
    query.addBindValue(qint64(image.size()));
    query.addBindValue(qCompress(image));
    if (!query.exec()) {
        reason = sqlReason(query.lastError());
        query.finish();
        d_->db.rollback();
    } else if (d_->commit(&reason)) {
        return sha256;
    }
    if (error)
        *error = cannotWrite(d_->path, reason);
    return {};
}

QByteArray Journal::image(const QString& sha256) const {
    QSqlQuery query(d_->db);
    query.prepare(QStringLiteral("SELECT data FROM images WHERE sha256 = ?"));
    query.addBindValue(sha256);
    if (!query.exec() || !query.next())
        return {};
    const QByteArray image = qUncompress(query.value(0).toByteArray());
    // A damaged blob gives nothing rather than other registers.
    return sha256Hex(image) == sha256 ? image : QByteArray();
}

bool Journal::begin(JournalRecord& record, QString* error) {
    if (record.id.isEmpty())
        record.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!record.started.isValid())
        record.started = QDateTime::currentDateTimeUtc();
    if (record.host.isEmpty())
        record.host = d_->host;
    QString reason;
    if (d_->beginWrite(&reason)) {
        if (d_->insert(record, &reason)) {
            if (d_->commit(&reason))
                return true;
        } else {
            d_->db.rollback();
        }
    }
    if (error)
        *error = cannotWrite(d_->path, reason);
    return false;
}

bool Journal::complete(const JournalRecord& record, QString* error) {
    QString reason;
    if (record.id.isEmpty()) {
        reason = JournalText::tr("the record has no id");
    } else if (d_->beginWrite(&reason)) {
        QStringList assignments;
        for (const QString& column : RecordColumns.mid(1))
            assignments << column + QStringLiteral(" = ?");
        QSqlQuery query(d_->db);
        query.prepare(QStringLiteral("UPDATE records SET %1 WHERE id = ?")
                          .arg(assignments.join(QLatin1String(", "))));
        const QVariantList bound = values(record);
        for (const QVariant& value : bound.mid(1))
            query.addBindValue(value);
        query.addBindValue(record.id);
        bool written = query.exec();
        if (!written)
            reason = sqlReason(query.lastError());
        // A record whose begin could not be written is kept now, whole.
        else if (query.numRowsAffected() == 0)
            written = d_->insert(record, &reason);
        if (written && d_->commit(&reason))
            return true;
        if (!written)
            d_->db.rollback();
    }
    if (error)
        *error = cannotWrite(d_->path, reason);
    return false;
}

QList<JournalRecord> Journal::records(const Query& query) const {
    QStringList where;
    QVariantList bound;
    if (!query.unit.isEmpty()) {
        where << QStringLiteral("(unit_serial = ? OR unit_by_id = ? OR unit_device = ?)");
        bound << query.unit << query.unit << query.unit;
    }
    if (!query.kind.isEmpty()) {
        where << QStringLiteral("kind = ?");
        bound << query.kind;
    }
    if (!query.host.isEmpty()) {
        where << QStringLiteral("host = ?");
        bound << query.host;
    }
    return d_->select(where.join(QLatin1String(" AND ")), bound, query.limit);
}

std::optional<JournalRecord> Journal::record(const QString& id) const {
    const QList<JournalRecord> found = d_->select(QStringLiteral("id = ?"), {id}, 1);
    return found.isEmpty() ? std::nullopt : std::optional<JournalRecord>(found.first());
}

std::optional<JournalRecord> Journal::lastFor(const JournalUnit& unit, const QString& kind) const {
    QStringList where;
    QVariantList bound;
    if (!Private::unitCondition(unit, where, bound))
        return std::nullopt;
    if (!kind.isEmpty()) {
        where << QStringLiteral("kind = ?");
        bound << kind;
    }
    const QList<JournalRecord> found = d_->select(where.join(QLatin1String(" AND ")), bound, 1);
    return found.isEmpty() ? std::nullopt : std::optional<JournalRecord>(found.first());
}

std::optional<JournalRecord> Journal::lastWrite(const JournalUnit& unit) const {
    QStringList where;
    QVariantList bound;
    if (!Private::unitCondition(unit, where, bound))
        return std::nullopt;
    where << QStringLiteral("kind IN ('write', 'restore')")
          << QStringLiteral("result IN ('ok', 'verify-failed')");
    const QList<JournalRecord> found = d_->select(where.join(QLatin1String(" AND ")), bound, 1);
    return found.isEmpty() ? std::nullopt : std::optional<JournalRecord>(found.first());
}

QList<JournalRecord> Journal::waitingToShare() const {
    QList<JournalRecord> waiting = d_->select(QStringLiteral("shared IS NULL"), {}, 0,
                                              QStringLiteral(" ORDER BY started, id"));
    // A record still running may yet change; the server's never do.
    waiting.removeIf([](const JournalRecord& record) { return record.result.isEmpty(); });
    return waiting;
}

QStringList Journal::ids() const {
    QStringList ids;
    QSqlQuery query(d_->db);
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT id FROM records"))) {
        while (query.next())
            ids << query.value(0).toString();
    }
    return ids;
}

bool Journal::markShared(const QStringList& ids, QString* error) {
    QSqlQuery query(d_->db);
    query.prepare(QStringLiteral("UPDATE records SET shared = 'sent' WHERE id IN (%1)")
                      .arg(QStringList(ids.size(), QStringLiteral("?")).join(QLatin1String(", "))));
    for (const QString& id : ids)
        query.addBindValue(id);
    if (query.exec())
        return true;
    if (error)
        *error = cannotWrite(d_->path, sqlReason(query.lastError()));
    return false;
}

bool Journal::addFetched(const QList<JournalRecord>& records, const QList<QByteArray>& images,
                         QString* error) {
    QString reason;
    if (d_->beginWrite(&reason)) {
        bool written = true;
        QSqlQuery image(d_->db);
        image.prepare(QStringLiteral("INSERT INTO images (sha256, size, data) VALUES (?, ?, ?) "
                                     "ON CONFLICT (sha256) DO NOTHING"));
        for (qsizetype i = 0; written && i < images.size(); ++i) {
            image.addBindValue(sha256Hex(images[i]));
            image.addBindValue(qint64(images[i].size()));
            image.addBindValue(qCompress(images[i]));
            written = image.exec();
            if (!written)
                reason = sqlReason(image.lastError());
        }
        QSqlQuery known(d_->db);
        known.prepare(QStringLiteral("SELECT 1 FROM records WHERE id = ?"));
        for (qsizetype i = 0; written && i < records.size(); ++i) {
            known.addBindValue(records[i].id);
            written = known.exec() &&
                      (known.next() || d_->insert(records[i], &reason, QStringLiteral("fetched")));
            if (!written && reason.isEmpty())
                reason = sqlReason(known.lastError());
            known.finish();
        }
        image.finish();
        if (written && d_->commit(&reason))
            return true;
        if (!written)
            d_->db.rollback();
    }
    if (error)
        *error = cannotWrite(d_->path, reason);
    return false;
}

int Journal::schemaVersion() const {
    return d_->version;
}

JournalRecord newJournalRecord(const QString& kind) {
    JournalRecord record;
    record.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    record.kind = kind;
    record.started = QDateTime::currentDateTimeUtc();
    record.programVersion = QCoreApplication::applicationVersion();
    record.user = thisUser();
    record.host = QSysInfo::machineHostName();
    return record;
}

QString sha256Hex(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QStringList journalSchemaSteps(int from, const QString& blobType) {
    QStringList steps;
    for (int step = qMax(from, 0); step < Journal::CurrentSchemaVersion; ++step) {
        for (const QString& sql : Migrations[step])
            steps << QString(sql).replace(QLatin1String(" BLOB "),
                                          QLatin1Char(' ') + blobType + QLatin1Char(' '));
    }
    return steps;
}

const QStringList& journalRecordColumns() {
    return RecordColumns;
}

QVariantList journalRecordValues(const JournalRecord& record) {
    return values(record);
}

JournalRecord journalRecordFromRow(const QSqlQuery& row) {
    return fromRow(row);
}
