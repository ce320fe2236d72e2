// The journal: one record for every write, restore and read of a unit, in a
// SQLite database of the user's ($XDG_DATA_HOME/quillary/journal.sqlite,
// owner-only), opened through Qt SQL. A record is added when its operation
// starts and completed when it ends; one whose process went away before it
// ended reads as interrupted. Register images (87 x 256 bytes) are kept once
// each, by SHA-256, compressed, so ten thousand writes of one configuration
// cost one image. The window and quillary-cli may write at the same time
// (WAL, a busy timeout, one transaction per change). The SQL is kept
// portable (text ids, ISO 8601 times in UTC, no engine-only types) so that a
// team's server can hold the same tables. Callers never see SQL. A Journal
// is used on the thread that opened it (its Qt SQL connection belongs there).
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct JournalVoiceFile {
    QString name; // the unit's name, "H03.WAV"
    qint64 size = 0;
    QString sha256; // lower-case hex
    bool operator==(const JournalVoiceFile&) const = default;
};

struct JournalUnit {
    QString serial; // USB serial number; empty when unknown
    QString byId;   // /dev/serial/by-id/... name; empty when unknown
    QString device; // /dev/ttyACM0, COM1, a pty path
    int model = 0;  // as Query returns them; 0 when not queried
    int firmware = 0;
    bool operator==(const JournalUnit&) const = default;
};

struct JournalRecord {
    QString id;                  // a UUID without braces
    QString kind;                // "write", "restore", "read"
    QDateTime started, finished; // UTC; finished is invalid while running
    QString result;              // "ok", "verify-failed", "failed", "interrupted", "cancelled";
                                 // empty while the operation runs
    QString error;               // on failure: what happened, as the user was told
    QString step; // on failure: the step ("reading the backup", "writing register 40", ...)
    int reg = 0;  // on failure at a register: its number
    JournalUnit unit;
    QString configPath;            // the configuration file written (or saved after a read)
    QString configSha256;          // of the 87 registers written (for a read: read)
    QString backupSha256;          // of the unit's registers before; empty without a backup
    QString readBackSha256;        // of the unit's registers after; empty without a read-back
    QStringList differing;         // the fields that did not take, by their names for people
    QList<JournalVoiceFile> voice; // the voice files sent
    QString restoredFrom;          // for a restore: the id of the record whose backup was written
    QString programVersion, user, host;
    // On the team's server: sent from here or fetched from there. A record
    // not shared waits for the next chance to be sent.
    bool shared = false;
};

// What Journal::records() lists. Outside the class so that it is complete
// where records() gives it as a default argument (a nested struct with member
// initializers is not, and neither GCC nor Clang accepts `= {}` there).
struct JournalQuery {
    QString unit;  // a serial number, by-id name or device; empty: all
    int limit = 0; // 0: all
    QString kind;  // empty: all
    QString host;  // only the records made on this host; empty: all
};

class Journal {
public:
    // The default file: $XDG_DATA_HOME/quillary/journal.sqlite
    // (~/.local/share/quillary/journal.sqlite).
    static QString defaultPath();

    // Opens (creating when missing, with its folder, owner-only) or migrates
    // the journal at path. Nothing when it cannot be used, with *error naming
    // the file and the cause ("the journal /x/journal.sqlite cannot be
    // written: ..."). A damaged file is never overwritten, nor is a link,
    // FIFO or device under the name.
    static std::unique_ptr<Journal> open(const QString& path, QString* error);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    QString path() const;

    // Keeps a register image (22,272 bytes) once, by its SHA-256; returns
    // the hash, empty with *error on failure.
    QString addImage(const QByteArray& image, QString* error);
    // The image with that hash; empty when unknown.
    QByteArray image(const QString& sha256) const;

    // Adds the record as begun (id, kind, started, unit, config, ... as far
    // as known) with the running process's identity, so a crash leaves it
    // as interrupted. false with *error when it cannot be written. Fills in
    // an empty id, an invalid start (now) and an empty host (this one).
    bool begin(JournalRecord& record, QString* error);
    // Writes every field of the record (finished and result set by the
    // caller); adds it whole when its begin was never written. false with
    // *error when it cannot be written.
    bool complete(const JournalRecord& record, QString* error);

    using Query = JournalQuery;
    // Newest first. A record whose process has gone without completing it
    // reads with result "interrupted".
    QList<JournalRecord> records(const Query& query = {}) const;
    std::optional<JournalRecord> record(const QString& id) const;
    // The newest record about the unit (same serial number when it has one,
    // else the same device), of any kind, or of `kind` when given.
    std::optional<JournalRecord> lastFor(const JournalUnit& unit, const QString& kind = {}) const;
    // The newest completed write or restore into the unit whose result is ok
    // or verify-failed: what the unit should hold.
    std::optional<JournalRecord> lastWrite(const JournalUnit& unit) const;

    // For a team's server (TeamJournal): the records that have ended (or
    // whose process has gone) and are not yet on the server, oldest first;
    // the ids of all records; marking some as sent; adding records fetched
    // from the server with the images they name, in one transaction (a
    // record whose id is known already is left as it is), not to be sent back.
    QList<JournalRecord> waitingToShare() const;
    QStringList ids() const;
    bool markShared(const QStringList& ids, QString* error);
    bool addFetched(const QList<JournalRecord>& records, const QList<QByteArray>& images,
                    QString* error);

    int schemaVersion() const;
    static constexpr int CurrentSchemaVersion = 3;

private:
    struct Private;
    explicit Journal(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d_;
};

// A new record of `kind` for this program, user and host, started now.
JournalRecord newJournalRecord(const QString& kind);
QString sha256Hex(const QByteArray& bytes);
