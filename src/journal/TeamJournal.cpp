#include "journal/TeamJournal.h"

#include "journal/JournalSchema.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>
#include <QVariant>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <netdb.h>
#include <sys/socket.h>

namespace {

struct TeamJournalText {
    Q_DECLARE_TR_FUNCTIONS(TeamJournalText)
};

// Seconds libpq waits for a connection, and the server for a statement: a
// host that takes the connection and never answers costs no more.
constexpr int TimeoutSeconds = 5;
// Records sent to or fetched from the server in one round of statements.
constexpr qsizetype Batch = 200;

QString sqlReason(const QSqlError& error) {
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.trimmed();
}

// Only a literal loopback address (127.0.0.0/8 written out in full, ::1):
// a name, "localhost" included, is whatever a resolver makes of it.
bool isLoopbackLiteral(const QString& host) {
    static const QRegularExpression ipv4(
        QStringLiteral("^127(\\.(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])){3}$"));
    return host == QLatin1String("::1") || ipv4.match(host).hasMatch();
}

// libpq's connect_timeout does not cover looking up the host's name, which
// waits half a minute or more on a name server that does not answer. The
// lookup runs on a thread of its own, waited for TimeoutSeconds at most (the
// thread ends by itself when the resolver gives up); libpq is then given the
// addresses. False with *reason when the name is unknown or took too long.
bool lookUp(const QString& host, QStringList* addresses, QString* reason) {
    struct Lookup {
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        int status = 0;
        QStringList addresses;
    };
    const auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, name = host.toUtf8()] {
        addrinfo hints{};
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_ADDRCONFIG;
        addrinfo* found = nullptr;
        const int status = ::getaddrinfo(name.constData(), nullptr, &hints, &found);
        QStringList numeric;
        for (const addrinfo* entry = found; status == 0 && entry; entry = entry->ai_next) {
            char text[NI_MAXHOST];
            if (::getnameinfo(entry->ai_addr, entry->ai_addrlen, text, sizeof text, nullptr, 0,
                              NI_NUMERICHOST) == 0 &&
                !numeric.contains(QLatin1String(text)))
                numeric << QLatin1String(text);
        }
        if (found)
            ::freeaddrinfo(found);
        const std::lock_guard lock(lookup->mutex);
        lookup->status = status;
        lookup->addresses = numeric;
        lookup->done = true;
        lookup->ended.notify_all();
    }).detach();
    std::unique_lock lock(lookup->mutex);
    if (!lookup->ended.wait_for(lock, std::chrono::seconds(TimeoutSeconds),
                                [&] { return lookup->done; })) {
        *reason = TeamJournalText::tr("the name %1 was not looked up within %2 s (the name "
                                      "server does not answer)")
                      .arg(host)
                      .arg(TimeoutSeconds);
        return false;
    }
    if (lookup->addresses.isEmpty()) {
        *reason = TeamJournalText::tr("the name %1 is not known (%2)")
                      .arg(host, QString::fromLocal8Bit(::gai_strerror(lookup->status)));
        return false;
    }
    *addresses = lookup->addresses;
    return true;
}

// A value in libpq's connection string. Qt turns every ';' of the options
// into a space, so a value cannot hold one.
QString quotedOption(QString value) {
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

} // namespace

struct TeamJournal::Private {
    QUrl url;
    QString host, user, database, options;
    int port = 5432;

    QString server() const { return url.toDisplayString(QUrl::RemovePassword); }

    QString unusable(const QString& reason) const {
        return TeamJournalText::tr("The team database %1 cannot be used: %2").arg(server(), reason);
    }

    // Brings the server to the journal's tables, making them when the role
    // may; else says which script makes them.
    bool prepare(QSqlDatabase& db, QString* error) const {
        auto version = [&](QString* reason) {
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("SELECT version FROM schema_version"))) {
                *reason = sqlReason(query.lastError());
                return -1;
            }
            return query.next() ? query.value(0).toInt() : 0;
        };
        QString reason;
        int found = db.tables().contains(QStringLiteral("schema_version")) ? version(&reason) : 0;
        if (found < 0) {
            *error = unusable(reason);
            return false;
        }
        if (found > Journal::CurrentSchemaVersion) {
            *error = unusable(TeamJournalText::tr("its journal was made by a newer version of "
                                                  "Quillary (version %1; this one knows up to %2)")
                                  .arg(found)
                                  .arg(Journal::CurrentSchemaVersion));
            return false;
        }
        if (found == Journal::CurrentSchemaVersion)
            return true;
        QStringList steps = journalSchemaSteps(found, QStringLiteral("BYTEA"));
        if (found == 0)
            steps << QStringLiteral("INSERT INTO schema_version (version) VALUES (%1)")
                         .arg(Journal::CurrentSchemaVersion);
        else
            steps << QStringLiteral("UPDATE schema_version SET version = %1")
                         .arg(Journal::CurrentSchemaVersion);
        bool made = db.transaction();
        for (const QString& sql : std::as_const(steps)) {
            QSqlQuery query(db);
            if (made && !query.exec(sql)) {
                reason = sqlReason(query.lastError());
                made = false;
            }
        }
        if (made && db.commit())
            return true;
        if (reason.isEmpty())
            reason = sqlReason(db.lastError());
        db.rollback();
        // Another installer may have made them meanwhile.
        if (db.tables().contains(QStringLiteral("schema_version")) &&
            version(&reason) == Journal::CurrentSchemaVersion)
            return true;
        *error = unusable(
            TeamJournalText::tr("its journal tables are missing or old, and the role %1 may not "
                                "make them (%2). The database's owner makes them with the script "
                                "journal-postgresql.sql (in /usr/share/doc/quillary).")
                .arg(user.isEmpty() ? QStringLiteral("-") : user, reason));
        return false;
    }

    // Sends the record and the images it names, in one transaction.
    // Sends records with the images they name in one transaction: one
    // statement for the images and one for the records, so that what waited
    // while a site was offline goes out in few round trips.
    bool send(QSqlDatabase& db, Journal& local, const QList<JournalRecord>& records,
              QString* reason) const {
        QStringList sha256s;
        QList<QByteArray> images;
        for (const JournalRecord& record : records) {
            for (const QString& sha256 :
                 {record.configSha256, record.backupSha256, record.readBackSha256}) {
                if (sha256.isEmpty() || sha256s.contains(sha256))
                    continue;
                const QByteArray image = local.image(sha256);
                if (image.isEmpty())
                    continue;
                sha256s << sha256;
                images << image;
            }
        }
        const auto rows = [](qsizetype count, qsizetype width) {
            const QString row = QLatin1Char('(') +
                                QStringList(width, QStringLiteral("?")).join(QLatin1String(", ")) +
                                QLatin1Char(')');
            return QStringList(count, row).join(QLatin1String(", "));
        };
        if (!db.transaction()) {
            *reason = sqlReason(db.lastError());
            return false;
        }
        QSqlQuery query(db);
        bool sent = true;
        if (!images.isEmpty()) {
            query.prepare(QStringLiteral("INSERT INTO images (sha256, size, data) VALUES %1 "
                                         "ON CONFLICT (sha256) DO NOTHING")
                              .arg(rows(images.size(), 3)));
            for (qsizetype i = 0; i < images.size(); ++i) {
                query.addBindValue(sha256s[i]);
                query.addBindValue(qint64(images[i].size()));
                query.addBindValue(qCompress(images[i]));
            }
            sent = query.exec();
        }
        if (sent) {
            const QStringList& columns = journalRecordColumns();
            query.prepare(
                QStringLiteral("INSERT INTO records (%1) VALUES %2 "
                               "ON CONFLICT (id) DO NOTHING")
                    .arg(columns.join(QLatin1String(", ")), rows(records.size(), columns.size())));
            for (const JournalRecord& record : records) {
                for (const QVariant& value : journalRecordValues(record))
                    query.addBindValue(value);
            }
            sent = query.exec();
        }
        if (!sent)
            *reason = sqlReason(query.lastError());
        query.finish();
        if (sent && db.commit())
            return true;
        if (sent)
            *reason = sqlReason(db.lastError());
        db.rollback();
        return false;
    }

    // Fetches the records with these ids and the images they name that the
    // local journal lacks: one query for the records, one for the images, one
    // transaction here, so that a team's long history arrives in few round
    // trips. The number of records fetched, or -1 with *error saying whether
    // the server or the local journal failed.
    qsizetype fetch(QSqlDatabase& db, Journal& local, const QStringList& ids,
                    QString* error) const {
        const auto anyOf = [](qsizetype count) {
            return QStringList(count, QStringLiteral("?")).join(QLatin1String(", "));
        };
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(
            QStringLiteral("SELECT %1 FROM records WHERE id IN (%2)")
                .arg(journalRecordColumns().join(QLatin1String(", ")), anyOf(ids.size())));
        for (const QString& id : ids)
            query.addBindValue(id);
        if (!query.exec()) {
            *error = unusable(sqlReason(query.lastError()));
            return -1;
        }
        QList<JournalRecord> records;
        QStringList wanted;
        while (query.next()) {
            records << journalRecordFromRow(query);
            const JournalRecord& record = records.last();
            for (const QString& sha256 :
                 {record.configSha256, record.backupSha256, record.readBackSha256}) {
                if (!sha256.isEmpty() && !wanted.contains(sha256) && local.image(sha256).isEmpty())
                    wanted << sha256;
            }
        }
        QList<QByteArray> images;
        if (!wanted.isEmpty()) {
            QSqlQuery image(db);
            image.setForwardOnly(true);
            image.prepare(QStringLiteral("SELECT sha256, data FROM images WHERE sha256 IN (%1)")
                              .arg(anyOf(wanted.size())));
            for (const QString& sha256 : std::as_const(wanted))
                image.addBindValue(sha256);
            if (!image.exec()) {
                *error = unusable(sqlReason(image.lastError()));
                return -1;
            }
            // A damaged image stays behind; its record still comes.
            while (image.next()) {
                const QByteArray data = qUncompress(image.value(1).toByteArray());
                if (!data.isEmpty() && sha256Hex(data) == image.value(0).toString())
                    images << data;
            }
        }
        return local.addFetched(records, images, error) ? records.size() : -1;
    }
};

QString TeamJournal::systemCaFile() {
    return QStringLiteral("/etc/ssl/certs/ca-certificates.crt");
}

TeamJournal::TeamJournal(std::unique_ptr<Private> d) : d_(std::move(d)) {}

TeamJournal::~TeamJournal() = default;

std::unique_ptr<TeamJournal> TeamJournal::create(const QString& url, const QString& caFile,
                                                 QString* error) {
    auto d = std::make_unique<Private>();
    d->url = QUrl(url.trimmed(), QUrl::StrictMode);
    auto refuse = [&](const QString& text) {
        if (error)
            *error = text;
        return std::unique_ptr<TeamJournal>();
    };
    const QString scheme = d->url.scheme();
    if (!d->url.isValid() || d->url.host().isEmpty() ||
        (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres")))
        return refuse(TeamJournalText::tr("The team database \"%1\" is not an address such as "
                                          "postgresql://installer@db.example.com/quillary.")
                          .arg(d->url.toDisplayString(QUrl::RemovePassword)));
    if (!d->url.password().isEmpty())
        return refuse(
            TeamJournalText::tr("The team database address \"%1\" holds a password. Quillary "
                                "keeps no password: remove it from the address and put it in "
                                "~/.pgpass (a line \"HOST:PORT:DATABASE:USER:SECRET\", the file "
                                "readable by you only).")
                .arg(d->url.toDisplayString(QUrl::RemovePassword)));
    d->host = d->url.host();
    d->port = d->url.port(5432);
    d->user = d->url.userName();
    d->database = d->url.path().mid(1);
    QStringList options = {
        QStringLiteral("connect_timeout=%1").arg(TimeoutSeconds),
        QStringLiteral("options='-c statement_timeout=%1'").arg(TimeoutSeconds * 1000),
        QStringLiteral("application_name=quillary"),
        // One attempt per connection: GSSAPI encryption first would be a
        // second wait on a host that never answers.
        QStringLiteral("gssencmode=disable"),
    };
    // On the machine itself nothing leaves it; anywhere else the server
    // proves who it is.
    if (isLoopbackLiteral(d->host)) {
        options << QStringLiteral("sslmode=disable");
    } else {
        const QString authorities = caFile.isEmpty() ? systemCaFile() : caFile;
        if (authorities.contains(QLatin1Char(';')))
            return refuse(TeamJournalText::tr("The CA file \"%1\" for the team database has a "
                                              "';' in its name; move it to a name without one.")
                              .arg(authorities));
        options << QStringLiteral("sslmode=verify-full")
                << QStringLiteral("sslrootcert=") + quotedOption(authorities);
    }
    d->options = options.join(QLatin1Char(';'));
    return std::unique_ptr<TeamJournal>(new TeamJournal(std::move(d)));
}

QString TeamJournal::server() const {
    return d_->server();
}

QString TeamJournal::connectOptions() const {
    return d_->options;
}

TeamSyncResult TeamJournal::sync(Journal& local, bool send) {
    TeamSyncResult result;
    static std::atomic<quint64> connections{0};
    const QString name = QStringLiteral("quillary-team-%1").arg(++connections);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        auto work = [&]() -> QString {
            if (!db.isValid())
                return d_->unusable(TeamJournalText::tr("Qt's PostgreSQL driver is missing "
                                                        "(install the package libqt6sql6-psql)."));
            QStringList addresses;
            QString reason;
            if (!lookUp(d_->host, &addresses, &reason))
                return d_->unusable(reason);
            // The name once for each address: libpq checks the server's
            // certificate and ~/.pgpass against it.
            db.setHostName(QStringList(addresses.size(), d_->host).join(QLatin1Char(',')));
            db.setPort(d_->port);
            db.setUserName(d_->user);
            db.setDatabaseName(d_->database);
            db.setConnectOptions(d_->options + QStringLiteral(";hostaddr=") +
                                 addresses.join(QLatin1Char(',')));
            if (!db.open())
                return d_->unusable(sqlReason(db.lastError()));
            QString error;
            if (!d_->prepare(db, &error))
                return error;
            if (send) {
                const QList<JournalRecord> waiting = local.waitingToShare();
                for (qsizetype at = 0; at < waiting.size(); at += Batch) {
                    const QList<JournalRecord> batch = waiting.mid(at, Batch);
                    QStringList ids;
                    for (const JournalRecord& record : batch)
                        ids << record.id;
                    if (!d_->send(db, local, batch, &reason))
                        return d_->unusable(reason);
                    if (!local.markShared(ids, &error))
                        return error;
                    result.sent += int(batch.size());
                }
            }
            QSqlQuery ids(db);
            ids.setForwardOnly(true);
            if (!ids.exec(QStringLiteral("SELECT id FROM records")))
                return d_->unusable(sqlReason(ids.lastError()));
            const QStringList known = local.ids();
            const QSet<QString> here(known.begin(), known.end());
            QStringList missing;
            while (ids.next()) {
                if (!here.contains(ids.value(0).toString()))
                    missing << ids.value(0).toString();
            }
            ids.finish();
            for (qsizetype at = 0; at < missing.size(); at += Batch) {
                const qsizetype fetched = d_->fetch(db, local, missing.mid(at, Batch), &error);
                if (fetched < 0)
                    return error;
                result.received += int(fetched);
            }
            return {};
        };
        result.error = work();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    result.waiting = int(local.waitingToShare().size());
    return result;
}

TeamSyncRunner::TeamSyncRunner(std::unique_ptr<TeamJournal> team, const QString& journalPath,
                               QObject* parent)
    : QObject(parent), team_(std::move(team)), journalPath_(journalPath) {}

TeamSyncRunner::~TeamSyncRunner() {
    if (worker_) {
        worker_->wait();
        delete worker_;
    }
}

void TeamSyncRunner::request() {
    if (worker_)
        again_ = true;
    else
        startWorker();
}

void TeamSyncRunner::startWorker() {
    again_ = false;
    worker_ = QThread::create([this] {
        TeamSyncResult result;
        // The journal's connection belongs to this thread: opened here.
        const std::unique_ptr<Journal> local = Journal::open(journalPath_, &result.error);
        if (local)
            result = team_->sync(*local);
        QMetaObject::invokeMethod(
            this,
            [this, result] {
                worker_->wait();
                delete worker_;
                worker_ = nullptr;
                emit finished(result);
                if (again_)
                    startWorker();
            },
            Qt::QueuedConnection);
    });
    worker_->start();
}
