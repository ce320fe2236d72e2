// The main window's ten commands by their ids, and the named enable states
// that commands leave the buttons in. The window owns the buttons; core
// commands change them only through CommandButtons, so their order relative
// to messages, link calls and progress is part of what a test can check.
#pragma once

#include <QList>

enum CommandId {
    IdClose = 2,
    IdConfigure = 1000,
    IdTransferFromUnit = 1001,
    IdTransferToUnit = 1002,
    IdSend = 1003,
    IdPrint = 1004,
    IdLoad = 1005,
    IdSyncClock = 1007,
    IdSetup = 1008,
    IdNew = 1009,
};

enum class EnableState {
    AtStart,               // Load, New, Transfer from unit, Syncronize clock, Setup, Close
    ConfigOpened,          // after Load or New: also Transfer from/to unit, Print, Send, Configure
    Configured,            // after Configure with OK: also Transfer from/to unit, Print, Send
    AllDisabled,           // while a unit operation runs
    AllEnabled,            // at the end of a unit operation
    FromUnitPrepareFailed, // Transfer from unit refused at its preparation: six buttons
};

class CommandButtons {
public:
    virtual ~CommandButtons() = default;
    virtual void apply(EnableState state) = 0;
};
