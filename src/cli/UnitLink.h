// One link to the unit for one subcommand, set up on the chosen port and
// taken down at the end, with the steps named on the console.
#pragma once

#include "cli/CliConsole.h"
#include "cli/CliExit.h"
#include "cli/CliPort.h"
#include "cli/CliUserInteraction.h"
#include "config/RegisterStore.h"
#include "unit/StepNamingLinkApi.h"
#include "unit/UnitCommand.h"

#include <QByteArray>
#include <QFile>

// The command line has no buttons to enable.
class NoButtons final : public CommandButtons {
public:
    void apply(EnableState) override {}
};

// One link for one subcommand, set up on the chosen port and taken down at the end.
class UnitLink {
public:
    UnitLink(CliConsole& console, const CliPort& port)
        : console_(console), link_(library_, &console) {
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
            // The shared commands' message may carry the step already.
            if (!ui.errors().join('\n').contains(link_.failure()))
                console_.fail(link_.failure());
            return ExitUnit;
        }
        return ExitFile;
    }

    StepNamingLinkApi& link() { return link_; }
    int32_t handle() const { return handle_; }
    CliConsole& console() { return console_; }

private:
    CliConsole& console_;
    LibraryLinkApi library_;
    StepNamingLinkApi link_;
    int32_t handle_ = 0;
    NoButtons buttons_;
};

// Connects and reads all 87 registers into image; any failure stops the read
// and returns false (the link's failure() says which step). Unlike Transfer
// from unit, a register that cannot be read is never taken as empty.
bool readAllRegisters(UnitLink& unit, QByteArray& image);

// Reads the unit's 87 registers and keeps them as a backup in folder. 0 when
// kept; otherwise the exit status, with the reason told.
int backUpUnit(UnitLink& unit, const QString& folder, const QString& unitName);
