// Reading and writing the configuration file (*.QRB): the plain 22,272-byte
// image of the register store, no header.
#pragma once

#include "config/RegisterStore.h"

#include <QString>

struct ConfigFileResult {
    bool ok = true;
    bool created = false; // load only: the file was missing and was made empty
    bool missing = false; // load only: the file was missing and was refused
    QString error;        // a full sentence for the user, naming the file and the reason
    explicit operator bool() const { return ok; }
};

// What a load does with a name that leads to no file.
enum class MissingFile {
    Create, // made as an all-zero image: Load's way with a name typed in its dialog
    Refuse, // refused: a name from the command line, a drop or Recent may be stale
};

// Fills the store from the file. A short file leaves the missing registers
// empty; bytes past the image are ignored. A missing file is created as an
// all-zero image and the store is left as it was, or refused as `missing`
// says. An existing file that cannot be read is never overwritten; a pipe,
// device or socket is refused without being opened. On failure the store is
// unchanged.
ConfigFileResult loadConfigFile(const QString& path, RegisterStore& store,
                                MissingFile missing = MissingFile::Create);

// Writes the store through a temporary file renamed over the target, or in
// place where the folder takes no new file or the file has other hard links.
// The file keeps its mode and owner, and a longer file its bytes past the
// image. A read-only file or a special file is refused. A failure leaves the
// previous file intact wherever the temporary file was used.
ConfigFileResult saveConfigFile(const QString& path, const RegisterStore& store);
