#include "cli/CliUserInteraction.h"

QString CliUserInteraction::chooseFile(const FileDialogRequest& request) {
    return request.kind == FileDialogKind::Save ? savePath_ : QString();
}

Answer CliUserInteraction::showMessage(const MessageRequest& request) {
    if (request.buttons == MessageButtons::YesNo) {
        if (!quiet_)
            console_.err(request.text + (yes_ ? QStringLiteral(" yes (--voice)")
                                              : QStringLiteral(" no (no --voice)")));
        return yes_ ? Answer::Yes : Answer::No;
    }
    if (request.icon == MessageIcon::Information) {
        if (!quiet_)
            console_.out(request.text);
    } else {
        errors_.append(request.text);
        if (!quiet_)
            console_.fail(request.text);
    }
    return Answer::Ok;
}
