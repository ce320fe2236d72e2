// The Configure command as the main window runs it: the real sheet, and the
// voice recorder behind the input editor's Record buttons.
#pragma once

#include "config/ConfigSession.h"
#include "config/Profile.h"
#include "seams/Commands.h"
#include "seams/UserInteraction.h"

class QWidget;

void runConfigureCommand(QWidget* window, ConfigSession& session, UserInteraction& ui,
                         CommandButtons& buttons, Profile& profile);
