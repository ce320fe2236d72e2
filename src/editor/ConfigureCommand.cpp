#include "editor/ConfigureCommand.h"

#include "config/ConfigCommands.h"
#include "config/ConfigSession.h"
#include "seams/Commands.h"
#include "seams/UserInteraction.h"

ConfigureCommand::ConfigureCommand(ConfigSession& session, UserInteraction& ui,
                                   CommandButtons& buttons, ConfigSheet& sheet)
    : session_(session), ui_(ui), buttons_(buttons), sheet_(sheet) {}

void ConfigureCommand::run() {
    // Filling removes final dots from the store; that stays after Cancel too.
    ConfigValues values = ConfigMapping::read(session_.store());
    if (!sheet_.run(values))
        return;
    ConfigMapping::write(values, session_.store());
    save();
    buttons_.apply(EnableState::Configured);
}

void ConfigureCommand::save() {
    SessionOutcome outcome;
    // Registers read from a unit whose save was declined belong to no file
    // yet: writing them over the current one would lose that configuration.
    if (session_.hasFile() && !session_.unitRegistersUnsaved()) {
        outcome = session_.save();
    } else {
        const QString path = ui_.chooseFile(configFileDialog(FileDialogKind::Save));
        // A cancelled dialog keeps the edits in the store only.
        if (path.isEmpty())
            return;
        outcome = session_.saveAs(path);
    }
    // The edits stay in the store; closing tries the save again.
    if (!outcome)
        ui_.tell(outcome.error);
}
