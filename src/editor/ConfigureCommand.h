// The Configure command: fills the configuration sheet from the registers,
// runs it, and after OK writes it back, saves and enables the commands that
// need a configuration. The sheet itself is behind ConfigSheet so that the
// command runs without a window.
#pragma once

#include "config/ConfigFields.h"

class CommandButtons;
class ConfigSession;
class UserInteraction;

class ConfigSheet {
public:
    virtual ~ConfigSheet() = default;
    // Shows the sheet on `values`; true when it ended with OK, with the
    // edited values in `values`.
    virtual bool run(ConfigValues& values) = 0;
};

class ConfigureCommand {
public:
    ConfigureCommand(ConfigSession& session, UserInteraction& ui, CommandButtons& buttons,
                     ConfigSheet& sheet);

    void run();

private:
    void save();

    ConfigSession& session_;
    UserInteraction& ui_;
    CommandButtons& buttons_;
    ConfigSheet& sheet_;
};
