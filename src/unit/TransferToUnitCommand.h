// Writes the configuration's 87 registers into the unit and, when the user
// wishes, its voice recordings; the progress bar follows the registers and
// then the upload.
#pragma once

#include "unit/UnitCommand.h"

class UploadVoiceMessages;

class TransferToUnitCommand {
public:
    explicit TransferToUnitCommand(const UnitCommandContext& context) : context_(context) {}
    void run();

private:
    bool writeRegisters();
    bool uploadVoice(UploadVoiceMessages& upload);

    UnitCommandContext context_;
};
