// Reading configuration files for the subcommands, and show's listing.
// Each subcommand returns the program's exit status and has said what went
// wrong.
#pragma once

#include "cli/CliConsole.h"

#include <QByteArray>
#include <QString>

class RegisterStore;

// False, with the reason said, unless `path` names an existing file
// (loading would create a missing one).
bool configFileExists(CliConsole& console, const QString& path);

// Reads a configuration file that must exist (loading never creates it here).
// False, with the reason said, when it cannot be read.
bool readConfigFile(CliConsole& console, const QString& path, RegisterStore& store);

// False, with the reason said, when `path` exists and `force` was not given.
bool mayReplace(CliConsole& console, const QString& path, bool force);

// Writes bytes to standard output; false, with the reason said, when it cannot.
bool writeStandardOutput(CliConsole& console, const QByteArray& bytes);

// show FILE: the printed report's listing.
int showListing(CliConsole& console, const QString& path);
