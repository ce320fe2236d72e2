// Writes into a unit so that nothing it held is lost: the unit's 87 registers
// are read first as a backup (the reading sequence of Transfer from unit),
// then Transfer to unit runs exactly as it does on its own, then the
// registers are read back and compared with what was written. Each run is a
// record in the journal, begun before anything reaches the unit and
// completed at the end. The window and quillary-cli both write through it;
// what they differ in (whether to offer the way back at once, where notices
// go) is in the options.
#pragma once

#include "journal/Journal.h"
#include "unit/UnitCommand.h"
#include "unit/UnitImage.h"

#include <QByteArray>
#include <QString>
#include <functional>

struct SafeWriteOptions {
    QString kind = QStringLiteral("write"); // or "restore"
    bool backupAndVerify = true;            // false: Transfer to unit alone, still journaled
    Journal* journal = nullptr;             // null: not journaled
    JournalUnit unit;                       // what is known of the unit before it is reached
    QString configPath;                     // the file written; empty for a restore
    QString restoredFrom;                   // for a restore: the record whose backup is written
    // After a failed write: ask whether to write the backup back at once.
    bool offerRestore = false;
    // Where a notice goes that is no failure (an earlier write into this unit
    // that did not finish); null: told through the user interaction.
    std::function<void(const QString&)> notice = {};
    // Called with the backup before anything is written (a copy kept as a
    // file); false stops the write, the hook having said why.
    std::function<bool(const QByteArray&)> keepBackup = {};
};

struct SafeWriteResult {
    JournalRecord record; // as journaled; result empty when nothing started
    QByteArray backup;    // the unit's registers before the write
    UnitComparison comparison;
    bool restoreAccepted = false; // the user asked for the backup back
    // Where a failed run stopped.
    enum class Phase { None, Backup, KeepingBackup, Write, ReadBack } failedIn = Phase::None;
};

class SafeWrite {
public:
    // Writes context.session's registers.
    SafeWrite(const UnitCommandContext& context, SafeWriteOptions options);
    SafeWriteResult run();

private:
    bool readPhase(const QString& step, int from, int to, QByteArray& image, QString& failure);
    void writeSafely(SafeWriteResult& result);
    void writePlainly(SafeWriteResult& result);
    void noteUnit(JournalRecord& record) const;
    void complete(JournalRecord& record);
    void finish(SafeWriteResult& result, const QString& message, MessageIcon icon);
    void warnAboutUnfinished(const std::optional<JournalRecord>& previous);

    UnitCommandContext context_;
    SafeWriteOptions options_;
};

// Transfer from unit, journaled as a read: a snapshot of the unit. A notice
// of an earlier write that did not finish goes to `notice` when given, else
// it is told.
void runJournaledRead(const UnitCommandContext& context, Journal* journal, const JournalUnit& unit,
                      const std::function<void(const QString&)>& notice = {});

// "The last write into this unit, on ..., did not finish ...": empty when the
// record is none of that.
QString unfinishedWriteNotice(const JournalRecord& record);

// Transfer to unit and Transfer from unit as the window runs them: journaled
// in the journal at `journalPath`, the write with a backup and a read-back
// unless switched off, and the way back offered when a write fails. A
// journal that cannot be written stops them before the unit is reached.
struct UnitSafety {
    bool backupAndVerify = true;
    QString journalPath;
    JournalUnit unit;
};
void runSafeTransferToUnit(const UnitCommandContext& context, const UnitSafety& safety);
void runSafeTransferFromUnit(const UnitCommandContext& context, const UnitSafety& safety);
// Writes the backup of the record back into the unit, journaled as a restore.
void runSafeRestore(const UnitCommandContext& context, const UnitSafety& safety,
                    const QString& recordId);
