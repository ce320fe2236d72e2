// check FILE: the pre-flight check of a configuration, one line a finding or
// JSON; and the same check before write.
#pragma once

#include "cli/CliConsole.h"

#include <QString>

class RegisterStore;

struct CheckCommandOptions {
    QString path;
    QString region; // empty: the desktop locale's country
    bool json = false;
};

// 0 without findings, 1 with findings, 2 for an unknown region, 3 for a file
// that cannot be read.
int checkCommand(CliConsole& console, const CheckCommandOptions& options);

// Before write --check: says every finding on standard error; false when one
// is an error, so nothing is to be written.
bool checkBeforeWrite(CliConsole& console, const RegisterStore& store, const QString& path,
                      const QString& region);
