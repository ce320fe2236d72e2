// Sets the unit's clock to the computer's local time.
#pragma once

#include "seams/Clock.h"
#include "unit/UnitCommand.h"

#include <array>

class SyncClockCommand {
public:
    SyncClockCommand(const UnitCommandContext& context, const Clock& clock)
        : context_(context), clock_(clock) {}
    void run();

    // The unit's clock record: year (low byte first), month, day, an unused
    // byte sent as 0, hour, minute, second.
    static std::array<unsigned char, 8> clockRecord(const QDateTime& localTime);

private:
    UnitCommandContext context_;
    const Clock& clock_;
};
