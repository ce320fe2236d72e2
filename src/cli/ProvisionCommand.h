// quillary-cli provision: prepares many units in a row. It waits for a USB
// serial device to appear, writes the configuration (and its voice messages)
// into the unit behind it, reads the 87 registers back and compares them,
// logs the result as one JSON line, and waits for the unit to be unplugged
// and the next one to appear.
#pragma once

#include "cli/CliConsole.h"

#include <QString>

class SerialDeviceFinder;

struct ProvisionOptions {
    QString templatePath;
    bool voice = false;
    QString logPath;     // JSON lines appended per unit; empty: no log
    QString backupDir;   // each unit's registers kept here before writing; empty: none
    int count = 0;       // stop after this many units; 0: until Ctrl-C
    bool journal = true; // false: the writes are kept in no journal
};

// 0 when every unit provisioned succeeded, 1 when one failed, 3 when a file
// (the configuration, the log, the backup folder) cannot be used.
int provisionUnits(CliConsole& console, SerialDeviceFinder& finder,
                   const ProvisionOptions& options);
