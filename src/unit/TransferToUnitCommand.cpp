#include "unit/TransferToUnitCommand.h"

#include "unit/UnitTexts.h"
#include "unit/UploadVoiceMessages.h"

void TransferToUnitCommand::run() {
    LinkApi& link = context_.link;
    const int32_t handle = context_.handle;
    if (!startUnitOperation(context_))
        return;
    int32_t model = 0;
    int32_t firmware = 0;
    if (link.LinkQueryUnit(handle, &model, &firmware) != 0 ||
        link.LinkPrepareTransfer(handle) != 0) {
        failCommunication(context_);
        return;
    }
    // Only a configuration with a title has recordings to go with it.
    const bool withVoice = !context_.session.current().g_configTitle.isEmpty() &&
                           context_.ui.askYesNo(UnitTexts::uploadVoiceQuestion());

    UploadVoiceMessages upload(context_.link, handle, context_.progress,
                               context_.session.configFolder(), context_.session.current());
    // Every file is checked before the first register goes out, so a refusal
    // leaves the unit as it was.
    if (withVoice && !upload.check()) {
        finishUnitOperation(context_, upload.problem(), MessageIcon::None);
        return;
    }
    if (context_.confirmWrite && !context_.confirmWrite()) {
        context_.buttons.apply(EnableState::AllEnabled);
        return;
    }
    if (!writeRegisters())
        return;
    if (withVoice && !uploadVoice(upload))
        return;
    if (link.LinkFinishTransfer(handle) != 0)
        finishUnitOperation(context_, communicationFailure(context_), MessageIcon::None);
    else
        finishUnitOperation(context_, UnitTexts::transferComplete(), MessageIcon::Information);
}

bool TransferToUnitCommand::writeRegisters() {
    const RegisterStore& store = context_.session.store();
    for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg) {
        if (context_.link.LinkWriteRegister(context_.handle, reg, store.slot(reg), 0, 0) != 0) {
            finishUnitOperation(context_, communicationFailure(context_), MessageIcon::None);
            return false;
        }
        // Never 100 here: the bar reaches its end only with the voice upload.
        context_.progress.setProgress((reg - 1) * 100 / RegisterStore::RegisterCount);
    }
    return true;
}

bool TransferToUnitCommand::uploadVoice(UploadVoiceMessages& upload) {
    switch (upload.run()) {
    case UploadVoiceMessages::Uploaded:
        return true;
    case UploadVoiceMessages::FileProblem:
        finishUnitOperation(context_, upload.problem(), MessageIcon::None);
        return false;
    default:
        finishUnitOperation(context_, communicationFailure(context_), MessageIcon::None);
        return false;
    }
}
