// The subcommands that reach the unit: write, read, set-clock. They run the
// window's own command classes with the command line's answers, and return
// the program's exit status.
#pragma once

#include "cli/CliConsole.h"
#include "cli/CliPort.h"

#include <QString>

struct WriteOptions {
    QString path;
    bool voice = false;
    bool verify = false;
    bool check = false; // refuse to write when the pre-flight check finds an error
    QString region;     // for the check; empty: the desktop locale's country
    QString backupDir;  // read the unit into a backup here first; empty: none
};

int writeToUnit(CliConsole& console, const CliPort& port, const WriteOptions& options);
int readFromUnit(CliConsole& console, const CliPort& port, const QString& outPath, bool force);
int setUnitClock(CliConsole& console, const CliPort& port);
