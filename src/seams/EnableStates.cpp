#include "seams/EnableStates.h"

namespace {

struct EnableRule {
    QList<CommandId> enable;
    QList<CommandId> disable;
};

EnableRule ruleFor(EnableState state) {
    const QList<CommandId> all(CommandOrder.begin(), CommandOrder.end());
    switch (state) {
    case EnableState::AtStart:
        return {{IdLoad, IdNew, IdTransferFromUnit, IdSyncClock, IdSetup, IdClose},
                {IdConfigure, IdTransferToUnit, IdSend, IdPrint}};
    case EnableState::ConfigOpened:
        return {{IdTransferFromUnit, IdPrint, IdSend, IdTransferToUnit, IdConfigure}, {}};
    case EnableState::Configured:
        return {{IdTransferFromUnit, IdPrint, IdSend, IdTransferToUnit}, {}};
    case EnableState::AllDisabled:
        return {{}, all};
    case EnableState::AllEnabled:
        return {all, {}};
    case EnableState::FromUnitPrepareFailed:
        return {{IdTransferFromUnit, IdClose, IdSetup, IdLoad, IdConfigure, IdNew},
                {IdPrint, IdSend, IdTransferToUnit, IdSyncClock}};
    }
    return {};
}

} // namespace

QList<CommandId> enabledAfter(EnableState state, const QList<CommandId>& enabledBefore) {
    const EnableRule rule = ruleFor(state);
    QList<CommandId> enabled;
    for (CommandId id : CommandOrder) {
        const bool on =
            rule.enable.contains(id) || (enabledBefore.contains(id) && !rule.disable.contains(id));
        if (on)
            enabled << id;
    }
    return enabled;
}
