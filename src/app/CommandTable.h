// The main window's commands, one row each: the button (id, text, object
// name, place, group) and what a click runs. The window builds and connects
// its buttons from this table alone. A new command is one row here plus its
// core class in its subsystem's folder: the handler builds that class from
// the context's session and seams and runs it.
#pragma once

#include "core/CommandContext.h"
#include "core/Commands.h"

#include <QRect>
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
