#include "cli/UnitCommands.h"

#include "cli/CheckCommand.h"
#include "cli/CliExit.h"
#include "cli/CliUserInteraction.h"
#include "cli/FileCommands.h"
#include "cli/UnitLink.h"
#include "config/ConfigJson.h"
#include "config/ConfigSession.h"
#include "config/VoiceFiles.h"
#include "seams/Clock.h"
#include "unit/SafeWrite.h"
#include "unit/SyncClockCommand.h"
#include "unit/TransferFromUnitCommand.h"
#include "unit/TransferToUnitCommand.h"
#include "unit/UdevSerialDeviceFinder.h"
#include "unit/UnitImage.h"
#include "unit/UnitRecords.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace {
// This file's texts, in the program's language.
struct UnitCommandsText {
    Q_DECLARE_TR_FUNCTIONS(UnitCommandsText)
};
} // namespace

namespace {

// Reads the unit's 87 registers back and names each one that differs from
// what was written.
int verifyUnit(CliConsole& console, UnitLink& unit, const RegisterStore& written,
               const QString& path) {
    CliUserInteraction ui(console);
    ui.setQuiet(true); // the read's own notices would only confuse; its failure is told below
    ConfigSession readBack(templateFolder());
    unit.link().resetFailure();
    TransferFromUnitCommand(unit.context(ui, readBack)).run();
    if (const int status = unit.outcome(ui); status != ExitOk) {
        console.fail(UnitCommandsText::tr("the unit could not be read back to verify"));
        return status;
    }
    const QStringList differing = compareWithUnit(written, readBack.store()).registers;
    if (!differing.isEmpty()) {
        console.fail(differing.size() == 1
                         ? UnitCommandsText::tr("verify: the unit's register %1 differs from %2")
                               .arg(differing.first(), path)
                         : UnitCommandsText::tr("verify: the unit's registers %1 differ from %2")
                               .arg(differing.join(QStringLiteral(", ")), path));
        return ExitUnit;
    }
    console.out(UnitCommandsText::tr("Verified: the unit holds the 87 registers of %1").arg(path));
    return ExitOk;
}

} // namespace

int backUpUnit(UnitLink& unit, const QString& folder, const QString& unitName) {
    QByteArray image;
    unit.link().resetFailure();
    if (!readAllRegisters(unit, image)) {
        unit.console().endProgress();
        unit.console().fail(unit.link().failure());
        unit.console().fail(
            UnitCommandsText::tr("the unit could not be read for its backup; nothing "
                                 "was written to it"));
        return ExitUnit;
    }
    QString error;
    const QString path = writeBackup(folder, unitName, QDateTime::currentDateTime(), image, &error);
    if (path.isEmpty()) {
        unit.console().fail(error + UnitCommandsText::tr("; nothing was written to the unit"));
        return ExitFile;
    }
    unit.console().out(UnitCommandsText::tr("Backup of the unit: %1").arg(path));
    return ExitOk;
}

std::optional<std::unique_ptr<Journal>> openJournal(CliConsole& console, bool wanted) {
    if (!wanted)
        return std::unique_ptr<Journal>();
    QString error;
    std::unique_ptr<Journal> journal = Journal::open(Journal::defaultPath(), &error);
    if (!journal) {
        console.fail(error);
        console.fail(UnitCommandsText::tr("nothing was sent to the unit; --no-journal goes on "
                                          "without the journal"));
        return std::nullopt;
    }
    return journal;
}

JournalUnit unitOnPort(const CliPort& port) {
    const QString forced = qEnvironmentVariable("QUILLARY_LINK_DEVICE");
    const QString device = !port.device.isEmpty() ? port.device
                           : !forced.isEmpty()    ? forced
                                                  : port.portText;
    UdevSerialDeviceFinder finder;
    return identifyUnit(device, &finder);
}

int writeRegistersSafely(CliConsole& console, UnitLink& unit, ConfigSession& session,
                         SafeWriteOptions safe, bool voice, bool verify) {
    CliUserInteraction ui(console);
    ui.setYesNoAnswer(voice);
    safe.notice = [&console](const QString& notice) { console.err(notice); };
    unit.link().resetFailure();
    const SafeWriteResult result = SafeWrite(unit.context(ui, session), safe).run();
    console.endProgress();
    const JournalRecord& record = result.record;
    if (record.result == QLatin1String("ok")) {
        if (verify && safe.backupAndVerify)
            console.out(UnitCommandsText::tr("Verified: the unit holds the 87 registers of %1")
                            .arg(safe.configPath));
        return ExitOk;
    }
    if (record.result.isEmpty())
        return ExitFile;
    if (record.result == QLatin1String("verify-failed")) {
        const QStringList& differing = result.comparison.registers;
        if (verify)
            console.fail(
                differing.size() == 1
                    ? UnitCommandsText::tr("verify: the unit's register %1 differs from %2")
                          .arg(differing.first(), safe.configPath)
                    : UnitCommandsText::tr("verify: the unit's registers %1 differ from %2")
                          .arg(differing.join(QStringLiteral(", ")), safe.configPath));
        return ExitUnit;
    }
    if (safe.journal && !record.backupSha256.isEmpty() && !record.step.isEmpty() &&
        record.step != record.error)
        console.err(UnitCommandsText::tr("To write back what the unit held before: quillary-cli "
                                         "restore %1")
                        .arg(record.id));
    return unit.link().failure().isEmpty() && record.step.isEmpty() ? ExitFile : ExitUnit;
}

int writeToUnit(CliConsole& console, const CliPort& port, const WriteOptions& options) {
    if (!configFileExists(console, options.path))
        return ExitFile;
    ConfigSession session(templateFolder());
    if (const SessionOutcome loaded = session.load(QFileInfo(options.path).absoluteFilePath());
        !loaded) {
        console.fail(loaded.error);
        return ExitFile;
    }
    // Before the first byte goes to the unit, so a refusal leaves it untouched.
    if (options.check && !checkBeforeWrite(console, session.store(), options.path, options.region))
        return ExitUnit;
    if (QString error;
        !options.backupDir.isEmpty() && !checkBackupFolder(options.backupDir, &error)) {
        console.fail(error);
        return ExitFile;
    }
    auto journal = openJournal(console, options.journal);
    if (!journal)
        return ExitFile;
    UnitLink unit(console, port);
    SafeWriteOptions safe;
    safe.backupAndVerify = options.backupAndVerify;
    safe.journal = journal->get();
    safe.unit = unitOnPort(port);
    safe.configPath = QFileInfo(options.path).absoluteFilePath();
    const QString backupName =
        safe.unit.serial.isEmpty() ? QFileInfo(safe.unit.device).fileName() : safe.unit.serial;
    if (!options.backupDir.isEmpty() && !options.backupAndVerify) {
        if (const int status = backUpUnit(unit, options.backupDir, backupName); status != ExitOk)
            return status;
    } else if (!options.backupDir.isEmpty()) {
        safe.keepBackup = [&](const QByteArray& image) {
            QString error;
            const QString path = writeBackup(options.backupDir, backupName,
                                             QDateTime::currentDateTime(), image, &error);
            console.endProgress();
            if (path.isEmpty()) {
                console.fail(error + UnitCommandsText::tr("; nothing was written to the unit"));
                return false;
            }
            console.out(UnitCommandsText::tr("Backup of the unit: %1").arg(path));
            return true;
        };
    }
    const int status =
        writeRegistersSafely(console, unit, session, safe, options.voice, options.verify);
    if (safe.keepBackup && status != ExitOk && unit.link().failure().isEmpty())
        return ExitFile;
    if (status != ExitOk || !options.verify || options.backupAndVerify)
        return status;
    return verifyUnit(console, unit, session.store(), options.path);
}

int readFromUnit(CliConsole& console, const CliPort& port, const QString& outPath, bool force,
                 bool journaled) {
    if (!mayReplace(console, outPath, force))
        return ExitFile;
    auto journal = openJournal(console, journaled);
    if (!journal)
        return ExitFile;
    ConfigSession session(templateFolder());
    UnitLink unit(console, port);
    CliUserInteraction ui(console);
    ui.setSavePath(QFileInfo(outPath).absoluteFilePath());
    runJournaledRead(unit.context(ui, session), journal->get(), unitOnPort(port),
                     [&console](const QString& notice) { console.err(notice); });
    return unit.outcome(ui);
}

int setUnitClock(CliConsole& console, const CliPort& port) {
    ConfigSession session(templateFolder());
    UnitLink unit(console, port);
    CliUserInteraction ui(console);
    SystemClock clock;
    SyncClockCommand(unit.context(ui, session), clock).run();
    return unit.outcome(ui);
}
