// The Configure command as the main window runs it: the real sheet, and the
// voice recorder behind the input editor's Record buttons.
#pragma once

#include "core/CommandContext.h"

class QWidget;

void runConfigureCommand(QWidget* window, const CommandContext& context);
