// A unit's link waits up to seconds for an answer that may never come, and a
// window whose thread waits with it stops painting, its clock stops and it
// takes no notice of the user. The unit commands therefore run on a thread of
// their own, still written straight through: whatever they ask of the user,
// the progress bar or the buttons is done on the window's thread, in order,
// while the command waits for it.
#pragma once

#include "seams/Commands.h"
#include "seams/ProgressSink.h"
#include "seams/UserInteraction.h"

#include <QEventLoop>

#include <functional>

struct CommandSeams {
    UserInteraction& ui;
    ProgressSink& progress;
    CommandButtons& buttons;
};

// Runs work on a new thread and returns when it has ended. Meanwhile this
// thread runs its event loop (painting, timers) with the user's input held
// back, as a busy window ignores it, except in the dialogs work opens. work
// is given seams that reach `seams` on this thread. Without an application
// object work runs here, on the seams themselves.
void runOffUiThread(const CommandSeams& seams,
                    const std::function<void(const CommandSeams&)>& work);

// Runs job on a thread of its own and returns when it has ended; this thread
// runs its event loop with `flags` meanwhile (without an application object,
// job runs here).
void waitForThread(const std::function<void()>& job,
                   QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
