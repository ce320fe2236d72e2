// What the unit commands work with: the link and its handle, the user, the
// main window's buttons and progress bar, and the configuration session. The
// window owns all of them; a command borrows them for one run.
#pragma once

#include "config/ConfigSession.h"
#include "seams/Commands.h"
#include "seams/ProgressSink.h"
#include "seams/UserInteraction.h"
#include "unit/LinkApi.h"
#include "unit/SerialDevices.h"

#include <functional>

struct UnitCommandContext {
    LinkApi& link;
    int32_t handle;
    UserInteraction& ui;
    CommandButtons& buttons;
    ProgressSink& progress;
    ConfigSession& session;
    // Which device "USB" means, asked before every connect so a unit plugged
    // in after the start is found; empty where the port never changes.
    std::function<PortChoice()> choosePort = {};
    // Asked by Transfer to unit after the voice question, before the first
    // register is written; false stops it with nothing written.
    std::function<bool()> confirmWrite = {};
};

// Every unit operation disables the buttons and starts with its own connect.
// On failure the user is told why (a password-protected unit, or any other
// error), the buttons are enabled again, and false is returned.
bool startUnitOperation(const UnitCommandContext& context);

// "Error communicating with unit !" and, from a link that names its steps, a
// second line saying where and why.
QString communicationFailure(const UnitCommandContext& context);

// An error with OK and no icon, then all buttons enabled again.
void failCommunication(const UnitCommandContext& context);

// The end of an operation that moved the progress bar: the message, all
// buttons enabled again, and the bar back at its start.
void finishUnitOperation(const UnitCommandContext& context, const QString& message,
                         MessageIcon icon);
