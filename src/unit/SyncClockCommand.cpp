#include "unit/SyncClockCommand.h"

#include "unit/UnitTexts.h"

std::array<unsigned char, 8> SyncClockCommand::clockRecord(const QDateTime& localTime) {
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    auto byte = [](int value) { return static_cast<unsigned char>(value & 0xFF); };
    return {byte(date.year()), byte(date.year() >> 8), byte(date.month()), byte(date.day()), 0,
            byte(time.hour()), byte(time.minute()),    byte(time.second())};
}

void SyncClockCommand::run() {
    // The time is taken once connected: connecting may take seconds, which
    // would otherwise put the unit's clock behind.
    if (!startUnitOperation(context_))
        return;
    const auto record = clockRecord(clock_.now());
    if (context_.link.LinkSetClock(context_.handle, record.data()) != 0)
        context_.ui.tell(communicationFailure(context_));
    else
        context_.ui.tell(UnitTexts::clockSet(), MessageIcon::Information);
    context_.buttons.apply(EnableState::AllEnabled);
}
