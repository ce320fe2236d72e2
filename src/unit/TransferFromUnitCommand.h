// Reads the unit's 87 registers. Only a complete read replaces the
// configuration's registers and goes on to offer saving them; a failed read
// leaves the configuration as it was.
#pragma once

#include "unit/UnitCommand.h"

class TransferFromUnitCommand {
public:
    explicit TransferFromUnitCommand(const UnitCommandContext& context) : context_(context) {}
    void run();

private:
    UnitCommandContext context_;
};
