// The subcommands that reach the unit: write, read, set-clock (restore and
// audit are with the journal's commands). They run the
// window's own command classes with the command line's answers, and return
// the program's exit status.
#pragma once

#include "cli/CliConsole.h"
#include "cli/CliPort.h"
#include "journal/Journal.h"

#include <QString>
#include <memory>
#include <optional>

struct WriteOptions {
    QString path;
    bool voice = false;
    bool verify = false;
    bool check = false;          // refuse to write when the pre-flight check finds an error
    QString region;              // for the check; empty: the desktop locale's country
    QString backupDir;           // read the unit into a backup here first; empty: none
    bool backupAndVerify = true; // read the unit before and after, as the journal keeps them
    bool journal = true;         // false: the write is kept in no journal
};

int writeToUnit(CliConsole& console, const CliPort& port, const WriteOptions& options);
int readFromUnit(CliConsole& console, const CliPort& port, const QString& outPath, bool force,
                 bool journal);
int setUnitClock(CliConsole& console, const CliPort& port);

class ConfigSession;
class UnitLink;
struct SafeWriteOptions;
// Writes the session's registers through SafeWrite and says how it went;
// returns the exit status. After a failed write whose backup the journal
// keeps, names the restore command that puts it back.
int writeRegistersSafely(CliConsole& console, UnitLink& unit, ConfigSession& session,
                         SafeWriteOptions safe, bool voice, bool verify);
// The unit on the port, as far as the device list knows it.
JournalUnit unitOnPort(const CliPort& port);
// The journal for a subcommand; nothing, with the reason told, when it
// cannot be used; `wanted` false (--no-journal): null, and nothing told.
std::optional<std::unique_ptr<Journal>> openJournal(CliConsole& console, bool wanted);
