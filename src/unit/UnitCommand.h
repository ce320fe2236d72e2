// What the unit commands work with: the link and its handle, the user, the
// main window's buttons and progress bar, and the configuration session. The
// window owns all of them; a command borrows them for one run.
#pragma once

#include "config/ConfigSession.h"
#include "core/Commands.h"
#include "core/ProgressSink.h"
#include "core/UserInteraction.h"
#include "unit/LinkApi.h"

struct UnitCommandContext {
    LinkApi& link;
    int32_t handle;
    UserInteraction& ui;
    CommandButtons& buttons;
    ProgressSink& progress;
    ConfigSession& session;
};

// Every unit operation disables the buttons and starts with its own connect.
// On failure the user is told why (a password-protected unit, or any other
// error), the buttons are enabled again, and false is returned.
bool startUnitOperation(const UnitCommandContext& context);

// An error with OK and no icon, then all buttons enabled again.
void failCommunication(const UnitCommandContext& context);
