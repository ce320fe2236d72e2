#include "cli/HistoryCommands.h"

#include "cli/CliExit.h"
#include "cli/FileCommands.h"
#include "cli/UnitCommands.h"
#include "cli/UnitLink.h"
#include "config/ConfigFields.h"
#include "config/ConfigFile.h"
#include "config/VoiceFiles.h"
#include "journal/TeamJournal.h"
#include "unit/SafeWrite.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>

namespace {

struct HistoryText {
    Q_DECLARE_TR_FUNCTIONS(HistoryText)
};

std::unique_ptr<TeamJournal>& teamJournal() {
    static std::unique_ptr<TeamJournal> team;
    return team;
}

QString isoTime(const QDateTime& time) {
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QJsonObject recordJson(const JournalRecord& r) {
    QJsonArray voice;
    for (const JournalVoiceFile& file : r.voice)
        voice.append(
            QJsonObject{{"name", file.name}, {"size", file.size}, {"sha256", file.sha256}});
    return QJsonObject{
        {"id", r.id},
        {"kind", r.kind},
        {"started", isoTime(r.started)},
        {"finished", r.finished.isValid() ? QJsonValue(isoTime(r.finished)) : QJsonValue()},
        {"result", r.result.isEmpty() ? QJsonValue() : QJsonValue(r.result)},
        {"error", r.error},
        {"step", r.step},
        {"register", r.reg},
        {"unit", QJsonObject{{"serial", r.unit.serial},
                             {"byId", r.unit.byId},
                             {"device", r.unit.device},
                             {"model", r.unit.model},
                             {"firmware", r.unit.firmware}}},
        {"config", QJsonObject{{"path", r.configPath}, {"sha256", r.configSha256}}},
        {"backupSha256", r.backupSha256},
        {"readBackSha256", r.readBackSha256},
        {"differing", QJsonArray::fromStringList(r.differing)},
        {"voice", voice},
        {"restoredFrom", r.restoredFrom},
        {"programVersion", r.programVersion},
        {"user", r.user},
        {"host", r.host},
        {"shared", r.shared},
    };
}

QString unitText(const JournalUnit& unit) {
    return unit.serial.isEmpty() ? unit.device
                                 : QStringLiteral("%1 (%2)").arg(unit.serial, unit.device);
}

QString recordLine(const JournalRecord& r) {
    QString line =
        QStringLiteral("%1  %2  %3  %4  %5  %6@%7  %8")
            .arg(r.started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), r.kind,
                 r.result.isEmpty() ? HistoryText::tr("running") : r.result, unitText(r.unit),
                 r.configPath.isEmpty() ? QStringLiteral("-") : r.configPath, r.user, r.host, r.id);
    // Only a team shares records: without a team database none waits.
    if (teamJournal() && !r.shared)
        line += QStringLiteral("  ") + HistoryText::tr("(not yet shared)");
    return line;
}

// The journal and its record `id`; nothing, with the reason told, when either is missing.
std::optional<JournalRecord> openRecord(CliConsole& console, const QString& id,
                                        std::unique_ptr<Journal>& journal) {
    auto opened = openJournal(console, true);
    if (!opened)
        return std::nullopt;
    journal = std::move(*opened);
    std::optional<JournalRecord> record = journal->record(id);
    if (!record)
        console.fail(HistoryText::tr("the journal %1 holds no record %2").arg(journal->path(), id));
    return record;
}

// The fields that differ between the record's backup and what it wrote.
QStringList changedFields(Journal& journal, const JournalRecord& record) {
    const QByteArray before = journal.image(record.backupSha256);
    const QByteArray after = journal.image(record.configSha256);
    if (before.isEmpty() || after.isEmpty())
        return {};
    return differingFieldNames(storeFromImage(before), storeFromImage(after));
}

} // namespace

int listHistory(CliConsole& console, const HistoryOptions& options) {
    auto journal = openJournal(console, true);
    if (!journal)
        return ExitFile;
    const QList<JournalRecord> records = (*journal)->records(
        {options.unit, options.limit, {}, options.mine ? QSysInfo::machineHostName() : QString()});
    if (options.json) {
        QJsonArray array;
        for (const JournalRecord& record : records)
            array.append(recordJson(record));
        return writeStandardOutput(console, QJsonDocument(array).toJson()) ? ExitOk : ExitFile;
    }
    for (const JournalRecord& record : records)
        console.out(recordLine(record));
    return ExitOk;
}

int showHistoryRecord(CliConsole& console, const HistoryOptions& options) {
    std::unique_ptr<Journal> journal;
    const std::optional<JournalRecord> record = openRecord(console, options.id, journal);
    if (!record)
        return ExitFile;
    const QStringList changed = changedFields(*journal, *record);
    if (options.json) {
        QJsonObject json = recordJson(*record);
        json["changed"] = QJsonArray::fromStringList(changed);
        return writeStandardOutput(console, QJsonDocument(json).toJson()) ? ExitOk : ExitFile;
    }
    console.out(recordLine(*record));
    if (!record->error.isEmpty())
        console.out(record->error);
    if (!record->differing.isEmpty())
        console.out(HistoryText::tr("Did not take: %1").arg(record->differing.join(", ")));
    console.out(HistoryText::tr("Written by %1 on %2 with Quillary %3")
                    .arg(record->user, record->host, record->programVersion));
    if (!record->backupSha256.isEmpty())
        console.out(
            changed.isEmpty()
                ? HistoryText::tr("What was written equals the backup.")
                : HistoryText::tr("Changed against the backup: %1").arg(changed.join(", ")));
    return ExitOk;
}

int exportHistoryRecord(CliConsole& console, const HistoryOptions& options) {
    std::unique_ptr<Journal> journal;
    const std::optional<JournalRecord> record = openRecord(console, options.id, journal);
    if (!record)
        return ExitFile;
    const bool written = options.written || record->kind == QLatin1String("read");
    const QByteArray image = journal->image(written ? record->configSha256 : record->backupSha256);
    if (image.isEmpty()) {
        console.fail(written ? HistoryText::tr("the record %1 keeps no image of what was written")
                                   .arg(record->id)
                             : HistoryText::tr("the record %1 keeps no backup; --written exports "
                                               "what was written")
                                   .arg(record->id));
        return ExitFile;
    }
    if (!mayReplace(console, options.outPath, options.force))
        return ExitFile;
    if (const ConfigFileResult saved = saveConfigFile(options.outPath, storeFromImage(image));
        !saved) {
        console.fail(saved.error);
        return ExitFile;
    }
    return ExitOk;
}

int restoreUnit(CliConsole& console, const CliPort& port, const HistoryOptions& options) {
    std::unique_ptr<Journal> journal;
    const std::optional<JournalRecord> record = openRecord(console, options.id, journal);
    if (!record)
        return ExitFile;
    const QByteArray backup = journal->image(record->backupSha256);
    if (backup.isEmpty()) {
        console.fail(HistoryText::tr("the record %1 keeps no backup to restore").arg(record->id));
        return ExitFile;
    }
    ConfigSession session(templateFolder());
    session.store() = storeFromImage(backup);
    UnitLink unit(console, port);
    SafeWriteOptions safe;
    safe.kind = QStringLiteral("restore");
    safe.backupAndVerify = options.backupAndVerify;
    safe.journal = journal.get();
    safe.unit = unitOnPort(port);
    safe.restoredFrom = record->id;
    return writeRegistersSafely(console, unit, session, safe, false, false);
}

int auditUnit(CliConsole& console, const CliPort& port) {
    auto journal = openJournal(console, true);
    if (!journal)
        return ExitFile;
    const JournalUnit who = unitOnPort(port);
    const std::optional<JournalRecord> last = (*journal)->lastWrite(who);
    const QByteArray expected = last ? (*journal)->image(last->configSha256) : QByteArray();
    if (expected.isEmpty()) {
        console.fail(HistoryText::tr("the journal knows of no write into the unit on %1")
                         .arg(unitText(who)));
        return ExitUnit;
    }
    UnitLink unit(console, port);
    QByteArray image;
    unit.link().resetFailure();
    if (!readAllRegisters(unit, image)) {
        console.endProgress();
        console.fail(unit.link().failure());
        return ExitUnit;
    }
    const UnitComparison comparison =
        compareWithUnit(storeFromImage(expected), storeFromImage(image));
    const QString when = last->started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (comparison.same()) {
        console.out(HistoryText::tr("The unit holds what was written into it on %1 (%2).")
                        .arg(when, last->id));
        return ExitOk;
    }
    console.out(HistoryText::tr("The unit differs from what was written into it on %1 (%2):")
                    .arg(when, last->id));
    for (const QString& field : comparison.fields)
        console.out(QStringLiteral("  ") + field);
    if (comparison.fields.isEmpty())
        console.out(QStringLiteral("  ") +
                    HistoryText::tr("registers %1").arg(comparison.registers.join(", ")));
    return ExitUnit;
}

void setTeamJournal(std::unique_ptr<TeamJournal> team) {
    teamJournal() = std::move(team);
}

namespace {

std::optional<TeamSyncResult> syncWithTeam(CliConsole& console) {
    if (!teamJournal())
        return std::nullopt;
    QString error;
    const std::unique_ptr<Journal> journal = Journal::open(Journal::defaultPath(), &error);
    if (!journal) {
        console.fail(error);
        return std::nullopt;
    }
    return teamJournal()->sync(*journal);
}

} // namespace

void shareJournal(CliConsole& console) {
    const std::optional<TeamSyncResult> result = syncWithTeam(console);
    if (!result || result->error.isEmpty())
        return;
    console.err(result->error);
    // English names one record apart; a translation has its language's forms.
    console.err(result->waiting == 1
                    ? HistoryText::tr("1 record not yet shared; it goes out at the next chance "
                                      "(quillary-cli history sync).")
                    : HistoryText::tr("%n records not yet shared; they go out at the next "
                                      "chance (quillary-cli history sync).",
                                      nullptr, result->waiting));
}

int syncHistory(CliConsole& console) {
    if (!teamJournal()) {
        console.fail(HistoryText::tr("no team database is set: give --journal URL or set "
                                     "History/Database in ~/.config/quillary.ini"));
        return ExitUsage;
    }
    const std::optional<TeamSyncResult> result = syncWithTeam(console);
    if (!result)
        return ExitFile;
    console.out((result->sent == 1
                     ? HistoryText::tr("Sent 1 record, received %1.")
                     : HistoryText::tr("Sent %n records, received %1.", nullptr, result->sent))
                    .arg(result->received));
    if (!result->error.isEmpty())
        console.fail(result->error);
    if (result->waiting > 0)
        console.err(result->waiting == 1
                        ? HistoryText::tr("1 record not yet shared.")
                        : HistoryText::tr("%n records not yet shared.", nullptr, result->waiting));
    return result->error.isEmpty() && result->waiting == 0 ? ExitOk : ExitUnit;
}
