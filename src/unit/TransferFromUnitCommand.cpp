#include "unit/TransferFromUnitCommand.h"

#include "config/ConfigCommands.h"
#include "unit/UnitTexts.h"

void TransferFromUnitCommand::run() {
    LinkApi& link = context_.link;
    const int32_t handle = context_.handle;
    if (!startUnitOperation(context_))
        return;
    if (link.LinkPrepareTransfer(handle) != 0) {
        context_.ui.tell(communicationFailure(context_));
        context_.buttons.apply(EnableState::FromUnitPrepareFailed);
        return;
    }

    // Into a scratch copy: half a unit must never pass for a configuration.
    RegisterStore unit;
    for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg) {
        int32_t length = 0;
        if (link.LinkReadRegister(handle, reg, unit.slot(reg), &length, 0) != 0) {
            finishUnitOperation(context_, communicationFailure(context_), MessageIcon::None);
            return;
        }
    }
    context_.session.adoptUnitRegisters(unit);
    finishUnitOperation(context_, UnitTexts::transferComplete(), MessageIcon::Information);

    const QString path = context_.ui.chooseFile(configFileDialog(FileDialogKind::Save));
    if (path.isEmpty())
        return; // held in memory; closing asks where to save them
    if (const SessionOutcome saved = context_.session.saveAs(path); !saved)
        context_.ui.tell(saved.error);
}
