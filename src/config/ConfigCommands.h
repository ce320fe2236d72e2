// The commands on configuration files: Load, New, and the save steps of
// Close. Each asks the user through UserInteraction, changes the store and the
// current file only through the session, and leaves the buttons in a named
// state. No widgets: the main window's command table runs them.
#pragma once

#include "config/ConfigSession.h"
#include "core/Commands.h"
#include "core/UserInteraction.h"

// The file dialog for configuration files, as every command shows it.
FileDialogRequest configFileDialog(FileDialogKind kind);

// Load configuration: the chosen file becomes current and fills the store.
// A cancelled dialog or a failed load changes nothing.
class LoadConfigCommand {
public:
    LoadConfigCommand(ConfigSession& session, UserInteraction& ui, CommandButtons& buttons)
        : session_(session), ui_(ui), buttons_(buttons) {}
    // True when a configuration was loaded.
    bool run();

private:
    ConfigSession& session_;
    UserInteraction& ui_;
    CommandButtons& buttons_;
};

// New configuration: the chosen file becomes current, empty, with the
// template recordings beside it. A cancelled dialog or a failure changes
// nothing.
class NewConfigCommand {
public:
    NewConfigCommand(ConfigSession& session, UserInteraction& ui, CommandButtons& buttons)
        : session_(session), ui_(ui), buttons_(buttons) {}
    // True when a configuration was created.
    bool run();

private:
    ConfigSession& session_;
    UserInteraction& ui_;
    CommandButtons& buttons_;
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
