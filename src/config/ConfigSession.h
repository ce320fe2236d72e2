// The configuration being worked on: the register store, which file is
// current (path, title, the voice-flag copies), and the Load, New and Save
// steps. Owns no window; every outcome is returned for the caller to show.
// The main window owns the one session; commands change the store and the
// current file only through it.
#pragma once

#include "config/ConfigFile.h"
#include "config/CurrentConfig.h"
#include "config/RegisterStore.h"

#include <QString>
#include <functional>

struct SessionOutcome {
    bool ok = true;
    QString error;        // a full sentence for the user when !ok
    bool missing = false; // open() only: the file is not there
    explicit operator bool() const { return ok; }
};

class ConfigSession {
public:
    explicit ConfigSession(QString templateFolder);

    RegisterStore& store() { return store_; }
    const RegisterStore& store() const { return store_; }
    const CurrentConfig& current() const { return current_; }
    bool hasFile() const { return !current_.g_configPath.isEmpty(); }
    // The current file's folder, where its voice files lie; empty without one.
    QString configFolder() const;

    // Makes `path` current and reads it; a missing file is made empty. A
    // failure changes nothing.
    SessionOutcome load(const QString& path);
    // As load(), but a missing file is refused (`missing` says so): the name
    // came from the command line, a drop or the Recent menu, not the dialog.
    SessionOutcome open(const QString& path);
    // Makes `path` current with an empty store and seeded voice files.
    SessionOutcome create(const QString& path);
    // Writes the store into the current file; fails without one.
    SessionOutcome save();
    // Writes the store into `path` and makes it the current file; the title,
    // which names the voice files, stays as it was.
    SessionOutcome saveAs(const QString& path);

    // The unit's registers, read in full, replace the store. Until they are
    // saved, closing must not write them over the current file.
    void adoptUnitRegisters(const RegisterStore& registers);
    bool unitRegistersUnsaved() const { return unitRegistersUnsaved_; }

    // Called after every load or save that succeeded (the current file may
    // have changed); the window refreshes its caption from it.
    void setOnFileChanged(std::function<void()> onFileChanged) {
        onFileChanged_ = std::move(onFileChanged);
    }

private:
    SessionOutcome read(const QString& path, MissingFile missing);
    SessionOutcome finish(const ConfigFileResult& result);

    QString templateFolder_;
    RegisterStore store_;
    CurrentConfig current_;
    bool unitRegistersUnsaved_ = false;
    std::function<void()> onFileChanged_;
};
