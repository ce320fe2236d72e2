// The journal on the command line: history (and its show and export),
// restore and audit. Each returns the program's exit status.
#pragma once

#include "cli/CliConsole.h"
#include "cli/CliPort.h"

#include <QString>

#include <memory>

class TeamJournal;

struct HistoryOptions {
    QString unit;  // narrow to a unit (serial number, by-id name or device)
    int limit = 0; // 0: all
    bool json = false;
    QString id;                  // show, export, restore
    QString outPath;             // export
    bool written = false;        // export what was written instead of the backup
    bool force = false;          // export over an existing file
    bool backupAndVerify = true; // restore
    bool mine = false;           // only this computer's records
};

// The team database the journal is shared with (--journal, else the setting
// History/Database); none by default, and then no network is touched.
void setTeamJournal(std::unique_ptr<TeamJournal> team);
// Sends the waiting records to the team database and fetches the team's; a
// server that cannot be used is a notice on standard error (the command goes
// on with the local journal), never a failure. Nothing without a team.
void shareJournal(CliConsole& console);
// history sync: shares now; 0 when nothing is left waiting.
int syncHistory(CliConsole& console);

int listHistory(CliConsole& console, const HistoryOptions& options);
int showHistoryRecord(CliConsole& console, const HistoryOptions& options);
int exportHistoryRecord(CliConsole& console, const HistoryOptions& options);
int restoreUnit(CliConsole& console, const CliPort& port, const HistoryOptions& options);
int auditUnit(CliConsole& console, const CliPort& port);
