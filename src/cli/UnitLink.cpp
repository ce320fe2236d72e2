#include "cli/UnitLink.h"

#include "unit/UnitImage.h"

bool readAllRegisters(UnitLink& unit, QByteArray& image) {
    if (!readUnitImage(unit.link(), unit.handle(), image))
        return false;
    unit.console().endProgress();
    return true;
}
