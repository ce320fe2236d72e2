#include "unit/UnitCommand.h"

#include "unit/UnitTexts.h"

#include <QFile>

QString communicationFailure(const UnitCommandContext& context) {
    const QString where = context.link.stepFailure();
    return where.isEmpty() ? UnitTexts::communicationError()
                           : UnitTexts::communicationError() + '\n' + where;
}

bool startUnitOperation(const UnitCommandContext& context) {
    context.buttons.apply(EnableState::AllDisabled);
    context.link.resetFailure();
    if (context.choosePort) {
        const PortChoice choice = context.choosePort();
        if (!choice.error.isEmpty()) {
            context.ui.tell(UnitTexts::communicationError() + '\n' + choice.error);
            context.buttons.apply(EnableState::AllEnabled);
            return false;
        }
        if (!choice.linkPort.isEmpty())
            context.link.LinkSetPort(context.handle, QFile::encodeName(choice.linkPort).constData(),
                                     "COM0");
    }
    const int32_t result = context.link.LinkConnect(context.handle, "");
    if (result == 0)
        return true;
    QString message = result == LINK_ERR_PASSWORD ? UnitTexts::passwordProtected()
                                                  : communicationFailure(context);
    if (result == LINK_ERR_NO_DEVICE) {
        const QString why = openErrorText(context.link, context.handle);
        if (!why.isEmpty())
            message = UnitTexts::communicationError() + '\n' + why;
    }
    context.ui.tell(message);
    context.buttons.apply(EnableState::AllEnabled);
    return false;
}

void failCommunication(const UnitCommandContext& context) {
    context.ui.tell(communicationFailure(context));
    context.buttons.apply(EnableState::AllEnabled);
}

void finishUnitOperation(const UnitCommandContext& context, const QString& message,
                         MessageIcon icon) {
    context.ui.tell(message, icon);
    context.buttons.apply(EnableState::AllEnabled);
    context.progress.setProgress(0);
}
