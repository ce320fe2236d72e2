#include "cli/UnitLink.h"

#include "unit/SerialDevices.h"

#include <QFileInfo>

bool readAllRegisters(UnitLink& unit, QByteArray& image) {
    LinkApi& link = unit.link();
    const int32_t handle = unit.handle();
    image = QByteArray(int(RegisterStore::ImageSize), '\0');
    if (link.LinkConnect(handle, "") != LINK_OK || link.LinkPrepareTransfer(handle) != LINK_OK)
        return false;
    for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg) {
        int32_t length = 0;
        auto* slot = reinterpret_cast<unsigned char*>(image.data()) +
                     std::size_t(reg - 1) * RegisterStore::SlotSize;
        if (link.LinkReadRegister(handle, reg, slot, &length, 0) != LINK_OK)
            return false;
    }
    unit.console().endProgress();
    return true;
}

QString unitNameFor(const QString& device, SerialDeviceFinder& finder) {
    const QString real = QFileInfo(device).canonicalFilePath();
    for (const SerialDevice& found : usbDevicesOf(finder.devices())) {
        const bool same = device == found.node || device == found.stableName ||
                          (!real.isEmpty() && real == QFileInfo(found.node).canonicalFilePath());
        if (same && !found.serial.isEmpty())
            return found.serial;
    }
    return QFileInfo(device).fileName();
}
