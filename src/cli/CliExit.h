// The command-line program's exit statuses.
#pragma once

enum CliExit {
    ExitOk = 0,
    ExitUnit = 1,  // the unit or the link failed (diff: the files differ)
    ExitUsage = 2, // wrong usage
    ExitFile = 3,  // a file cannot be read or written
};
