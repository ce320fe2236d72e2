// The commands on configuration files: Load, New, and the save steps of
// Close. Each asks the user through UserInteraction, changes the store and the
// current file only through the session, and leaves the buttons in a named
// state. No widgets: the main window's command table runs them.
#pragma once

#include "config/ConfigSession.h"
#include "seams/Commands.h"
#include "seams/UserInteraction.h"

// The file dialog for configuration files, as every command shows it.
FileDialogRequest configFileDialog(FileDialogKind kind);

// Load and New: ask for a file, hand it to the session, and on success open
// the configuration's commands. A cancelled dialog or a failure changes
// nothing; a failure is shown.
class ConfigFileCommand {
public:
    // True when the chosen file became current.
    bool run();

protected:
    using Step = SessionOutcome (ConfigSession::*)(const QString& path);
    ConfigFileCommand(ConfigSession& session, UserInteraction& ui, CommandButtons& buttons,
                      FileDialogKind dialog, Step step)
        : session_(session), ui_(ui), buttons_(buttons), dialog_(dialog), step_(step) {}

    // Shows a failure; after a success, opens the configuration's commands.
    bool conclude(const SessionOutcome& outcome);

    ConfigSession& session_;
    UserInteraction& ui_;

private:
    CommandButtons& buttons_;
    FileDialogKind dialog_;
    Step step_;
};

// Load configuration: the chosen file becomes current and fills the store.
class LoadConfigCommand : public ConfigFileCommand {
public:
    LoadConfigCommand(ConfigSession& session, UserInteraction& ui, CommandButtons& buttons)
        : ConfigFileCommand(session, ui, buttons, FileDialogKind::Open, &ConfigSession::load) {}

    // Load without the dialog, of a file named on the command line or dropped
    // on the window: the same checks, messages and enable states, except
    // that a missing file is refused rather than made.
    bool open(const QString& path) { return conclude(session_.open(path)); }
};

// New configuration: the chosen file becomes current, empty, with the
// template recordings beside it.
class NewConfigCommand : public ConfigFileCommand {
public:
    NewConfigCommand(ConfigSession& session, UserInteraction& ui, CommandButtons& buttons)
        : ConfigFileCommand(session, ui, buttons, FileDialogKind::Save, &ConfigSession::create) {}
};

// What Close does with the configuration before the window ends. The store
// goes into the current file without asking. Registers read from the unit
// whose saving the user declined are never written over the current file:
// the save dialog is offered, and Cancel there closes without saving. When a
// save fails the configuration can be stored elsewhere, and closing without
// saving needs the user's Yes.
class CloseTimeSave {
public:
    CloseTimeSave(ConfigSession& session, UserInteraction& ui) : session_(session), ui_(ui) {}
    // True when the window may close; false keeps it open.
    bool run();

private:
    bool saveAs(const QString& path);

    ConfigSession& session_;
    UserInteraction& ui_;
};
