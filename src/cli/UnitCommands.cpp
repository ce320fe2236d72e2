#include "cli/UnitCommands.h"

#include "cli/CheckCommand.h"
#include "cli/CliExit.h"
#include "cli/CliUserInteraction.h"
#include "cli/ConfigJson.h"
#include "cli/FileCommands.h"
#include "cli/StepNamingLinkApi.h"
#include "config/ConfigSession.h"
#include "config/VoiceFiles.h"
#include "core/Clock.h"
#include "unit/SyncClockCommand.h"
#include "unit/TransferFromUnitCommand.h"
#include "unit/TransferToUnitCommand.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The command line has no buttons to enable.
class NoButtons final : public CommandButtons {
public:
    void apply(EnableState) override {}
};

// One link for one subcommand, set up on the chosen port and taken down at the end.
class UnitLink {
public:
    UnitLink(CliConsole& console, const CliPort& port)
        : console_(console), link_(library_, console) {
        link_.LinkStartup();
        handle_ = link_.LinkCreate();
        link_.LinkSetPort(handle_, port.portText.toLatin1().constData(), "COM0");
        link_.LinkConfigure(handle_, "");
        // The library itself gives the variable precedence over any port text.
        const QByteArray forced = qgetenv("QUILLARY_LINK_DEVICE");
        link_.setPortName(forced.isEmpty() ? port.portText : QFile::decodeName(forced));
    }
    ~UnitLink() {
        link_.LinkClose(handle_);
        link_.LinkDestroy(handle_);
        link_.LinkCleanup();
    }
    UnitLink(const UnitLink&) = delete;
    UnitLink& operator=(const UnitLink&) = delete;

    UnitCommandContext context(UserInteraction& ui, ConfigSession& session) {
        return UnitCommandContext{link_, handle_, ui, buttons_, console_, session};
    }

    // After a command: 0 when it told of no error; 1 when the link failed,
    // saying which step and why; 3 when a file was the trouble.
    int outcome(const CliUserInteraction& ui) {
        console_.endProgress();
        if (ui.errors().isEmpty())
            return ExitOk;
        if (!link_.failure().isEmpty()) {
            console_.fail(link_.failure());
            return ExitUnit;
        }
        return ExitFile;
    }

    StepNamingLinkApi& link() { return link_; }

private:
    CliConsole& console_;
    LibraryLinkApi library_;
    StepNamingLinkApi link_;
    int32_t handle_ = 0;
    NoButtons buttons_;
};

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
        console.fail(QStringLiteral("the unit could not be read back to verify"));
        return status;
    }
    const QStringList differing = differingRegisters(written, readBack.store());
    if (!differing.isEmpty()) {
        console.fail(differing.size() == 1
                         ? QStringLiteral("verify: the unit's register %1 differs from %2")
                               .arg(differing.first(), path)
                         : QStringLiteral("verify: the unit's registers %1 differ from %2")
                               .arg(differing.join(QStringLiteral(", ")), path));
        return ExitUnit;
    }
    console.out(QStringLiteral("Verified: the unit holds the 87 registers of %1").arg(path));
    return ExitOk;
}

} // namespace

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
    UnitLink unit(console, port);
    CliUserInteraction ui(console);
    ui.setYesNoAnswer(options.voice);
    TransferToUnitCommand(unit.context(ui, session)).run();
    const int status = unit.outcome(ui);
    if (status != ExitOk || !options.verify)
        return status;
    return verifyUnit(console, unit, session.store(), options.path);
}

int readFromUnit(CliConsole& console, const CliPort& port, const QString& outPath, bool force) {
    if (!mayReplace(console, outPath, force))
        return ExitFile;
    ConfigSession session(templateFolder());
    UnitLink unit(console, port);
    CliUserInteraction ui(console);
    ui.setSavePath(QFileInfo(outPath).absoluteFilePath());
    TransferFromUnitCommand(unit.context(ui, session)).run();
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
