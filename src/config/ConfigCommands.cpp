#include "config/ConfigCommands.h"
#include <QCoreApplication>

namespace {
// This file's texts, in the program's language.
struct ConfigCommandText {
    Q_DECLARE_TR_FUNCTIONS(ConfigCommandText)
};
} // namespace

FileDialogRequest configFileDialog(FileDialogKind kind) {
    FileDialogRequest request;
    request.kind = kind;
    request.filter = ConfigCommandText::tr("Configuration files (*.QRB)");
    request.defaultSuffix = QStringLiteral("QRB");
    return request;
}

bool ConfigFileCommand::run() {
    const QString path = ui_.chooseFile(configFileDialog(dialog_));
    if (path.isEmpty())
        return false;
    return conclude((session_.*step_)(path));
}

bool ConfigFileCommand::conclude(const SessionOutcome& outcome) {
    if (!outcome) {
        ui_.tell(outcome.error);
        return false;
    }
    buttons_.apply(EnableState::ConfigOpened);
    return true;
}

bool CloseTimeSave::run() {
    if (!session_.hasFile())
        return true;
    if (session_.unitRegistersUnsaved()) {
        // The user declined to save the unit's registers; the current file
        // still holds the configuration they were read in place of.
        const QString path = ui_.chooseFile(configFileDialog(FileDialogKind::Save));
        if (path.isEmpty())
            return true;
        if (saveAs(path))
            return true;
    } else {
        const SessionOutcome outcome = session_.save();
        if (outcome)
            return true;
        ui_.tell(outcome.error);
        const QString path = ui_.chooseFile(configFileDialog(FileDialogKind::Save));
        if (!path.isEmpty() && saveAs(path))
            return true;
    }
    return ui_.askYesNo(
        ConfigCommandText::tr("The configuration has not been saved. Close without saving it?"));
}

bool CloseTimeSave::saveAs(const QString& path) {
    const SessionOutcome outcome = session_.saveAs(path);
    if (!outcome)
        ui_.tell(outcome.error);
    return bool(outcome);
}
