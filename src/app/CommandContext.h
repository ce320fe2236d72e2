// What the main window lends a command while it runs: the configuration
// session and every seam. The window builds one per command (see
// CQuillaryDlg::context()); each member outlives the command. A command class
// takes only the members it needs, so its tests need only those fakes.
#pragma once

#include "config/ConfigSession.h"
#include "config/Profile.h"
#include "seams/Clock.h"
#include "seams/Commands.h"
#include "seams/ProgressSink.h"
#include "seams/UserInteraction.h"
#include "unit/LinkApi.h"
#include "unit/SerialDevices.h"

#include <functional>

#include <cstdint>

struct CommandContext {
    ConfigSession& session; // the store and the current file; change them only through it
    UserInteraction& ui;    // every dialog, message and question
    LinkApi& link;          // the unit link library
    int32_t linkHandle;     // the window's link, created at start, valid until Close
    const Clock& clock;
    Profile& profile;
    ProgressSink& progress;                      // the window's progress bar, 0 to 100
    CommandButtons& buttons;                     // the ten command buttons, by EnableState
    std::function<PortChoice()> choosePort = {}; // which device "USB" means now
    SerialDeviceFinder* devices = nullptr;       // the serial devices attached; null: unknown
    // After a command that journaled: the records go to the team database.
    std::function<void()> journaled = {};
};
