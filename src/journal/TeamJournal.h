// A team's journal on a PostgreSQL server, reached through Qt's QPSQL
// driver. Every record is kept in the local journal first; a sync sends the
// records that have ended to the server and fetches the team's records into
// the local journal. The server only ever gains records (INSERT ... ON
// CONFLICT DO NOTHING, by the record's UUID and the image's SHA-256), so a
// record sent twice is there once. A server that cannot be reached costs at
// most about 5 seconds for the connection and 5 for each statement; the
// caller goes on with the local journal and the records wait for the next
// sync. The password comes from ~/.pgpass, which libpq reads itself.
//
// A sync opens its own connection on the calling thread and closes it at
// the end, so a worker thread may sync with a Journal it opened itself.
#pragma once

#include "journal/Journal.h"

#include <QObject>
#include <QString>

#include <memory>

class QThread;

struct TeamSyncResult {
    int sent = 0;     // records sent to the server
    int received = 0; // records fetched into the local journal
    int waiting = 0;  // records that have ended and are not yet on the server
    QString error;    // why the server could not be used; empty when it was
};

class TeamJournal {
public:
    // The system's certificate authorities, trusted when no CA file is set.
    static QString systemCaFile();

    // The team database at url ("postgresql://USER@HOST[:PORT]/DATABASE"),
    // checked without touching the network: nothing, with *error, when the
    // address is no such URL or holds a password. TLS with the server's
    // certificate checked against caFile (empty: the system's authorities)
    // unless the host is a literal loopback address.
    static std::unique_ptr<TeamJournal> create(const QString& url, const QString& caFile,
                                               QString* error);
    ~TeamJournal();
    TeamJournal(const TeamJournal&) = delete;
    TeamJournal& operator=(const TeamJournal&) = delete;

    // The address as people see it, without a password.
    QString server() const;
    // libpq's connection options: the timeouts and TLS.
    QString connectOptions() const;

    // Sends the local journal's waiting records (with their images), then
    // fetches the records of the team that the local journal does not have;
    // `send` false only fetches. Creates the tables on first contact when the
    // role may.
    TeamSyncResult sync(Journal& local, bool send = true);

private:
    struct Private;
    explicit TeamJournal(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d_;
};

// Syncs on a worker thread, so that a window never waits for the server: a
// request while a sync runs makes one more after it (records that ended
// meanwhile go out too). finished() arrives on the thread that made it.
class TeamSyncRunner final : public QObject {
    Q_OBJECT
public:
    TeamSyncRunner(std::unique_ptr<TeamJournal> team, const QString& journalPath,
                   QObject* parent = nullptr);
    // Waits for a sync that runs (at most its timeouts).
    ~TeamSyncRunner() override;
    void request();
    bool running() const { return worker_ != nullptr; }

signals:
    void finished(const TeamSyncResult& result);

private:
    void startWorker();
    std::unique_ptr<TeamJournal> team_;
    QString journalPath_;
    QThread* worker_ = nullptr;
    bool again_ = false;
};
