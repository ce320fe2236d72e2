// The main window's commands, one row each: the button (id, text, object
// name, place, group) and what a click runs. The window builds and connects
// its buttons from this table alone.
//
// A new command is its core class in its subsystem's folder (no widgets; it
// takes the pieces of CommandContext it needs and leaves the buttons in an
// EnableState) plus its handler in the row, e.g.
//   {IdSyncClock, "Syncronize clock", "syncClockButton", {114, 82, 77, 14}, CommandGroup::Unit,
//    [](Window&, Context& c) {
//        SyncClockCommand(c.link, c.linkHandle, c.ui, c.clock, c.buttons).run();
//    }},
// A command with a dialog of its own builds it in the handler (the window, the
// handler's first argument, is its parent) and hands it to the core class.
#pragma once

#include "app/CommandContext.h"
#include "journal/Journal.h"
#include "seams/Commands.h"
#include "unit/UnitCommand.h"

#include <QRect>
#include <functional>
#include <span>

class CQuillaryDlg;

enum class CommandGroup { Configuration, Unit, Window };

struct CommandRow {
    CommandId id;
    const char* text;
    const char* objectName;
    QRect geometry; // dialog units in the client area
    CommandGroup group;
    void (*handler)(CQuillaryDlg& window, const CommandContext& context);
};

// Rows in the window's template order, which is also the tab order.
std::span<const CommandRow> commandTable();

// Runs work with the window's link on a thread of its own (the window keeps
// answering), then shares what was journaled with the team.
void runOnUnit(const CommandContext& context,
               const std::function<void(const UnitCommandContext&)>& work);

// The unit the window's link reaches, as far as the device list knows it.
JournalUnit attachedUnit(const CommandContext& context);
