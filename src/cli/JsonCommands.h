// The subcommands that treat a configuration as named fields: show --json,
// import, diff. Each returns the program's exit status and has said what went
// wrong.
#pragma once

#include "cli/CliConsole.h"

#include <QString>

int showJson(CliConsole& console, const QString& path);
// Values the editor would refuse are imported with a warning, or with
// `strict` refused.
int importConfig(CliConsole& console, const QString& jsonPath, const QString& outPath, bool force,
                 bool strict);
int diffConfigs(CliConsole& console, const QString& pathA, const QString& pathB);
