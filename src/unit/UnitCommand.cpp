#include "unit/UnitCommand.h"

#include "unit/UnitTexts.h"

bool startUnitOperation(const UnitCommandContext& context) {
    context.buttons.apply(EnableState::AllDisabled);
    const int32_t result = context.link.LinkConnect(context.handle, "");
    if (result == 0)
        return true;
    context.ui.tell(result == LINK_ERR_PASSWORD ? UnitTexts::passwordProtected()
                                                : UnitTexts::communicationError());
    context.buttons.apply(EnableState::AllEnabled);
    return false;
}

void failCommunication(const UnitCommandContext& context) {
    context.ui.tell(UnitTexts::communicationError());
    context.buttons.apply(EnableState::AllEnabled);
}
