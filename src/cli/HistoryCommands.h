// The journal on the command line: history (and its show and export),
// restore and audit. Each returns the program's exit status.
#pragma once

#include "cli/CliConsole.h"
#include "cli/CliPort.h"

#include <QString>

struct HistoryOptions {
    QString unit;  // narrow to a unit (serial number, by-id name or device)
    int limit = 0; // 0: all
    bool json = false;
    QString id;                  // show, export, restore
    QString outPath;             // export
    bool written = false;        // export what was written instead of the backup
    bool force = false;          // export over an existing file
    bool backupAndVerify = true; // restore
};

int listHistory(CliConsole& console, const HistoryOptions& options);
int showHistoryRecord(CliConsole& console, const HistoryOptions& options);
int exportHistoryRecord(CliConsole& console, const HistoryOptions& options);
int restoreUnit(CliConsole& console, const CliPort& port, const HistoryOptions& options);
int auditUnit(CliConsole& console, const CliPort& port);
