#include "unit/UnitImage.h"

#include "config/ConfigFields.h"
#include "config/ConfigJson.h"
#include "unit/SerialDevices.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <sys/stat.h>

bool readUnitImage(LinkApi& link, int32_t handle, QByteArray& image) {
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
    return true;
}

RegisterStore storeFromImage(const QByteArray& image) {
    RegisterStore store;
    std::memcpy(store.data(), image.constData(),
                std::min<std::size_t>(RegisterStore::ImageSize, std::size_t(image.size())));
    return store;
}

UnitComparison compareWithUnit(const RegisterStore& written, const RegisterStore& unit) {
    return {differingRegisters(written, unit), differingFieldNames(written, unit)};
}

namespace {

// The same device under two names (a node, a by-id link): compared by what
// they point at, without resolving paths.
bool sameFile(const QString& a, const QString& b) {
    struct stat first {
    }, second{};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace

JournalUnit identifyUnit(const QString& device, SerialDeviceFinder* finder) {
    JournalUnit unit;
    unit.device = device;
    if (!finder)
        return unit;
    for (const SerialDevice& found : usbDevicesOf(finder->devices())) {
        if (device == found.node || device == found.stableName || sameFile(device, found.node))
            return JournalUnit{found.serial, found.stableName, found.node};
    }
    return unit;
}

QString unitNameFor(const QString& device, SerialDeviceFinder& finder) {
    const JournalUnit unit = identifyUnit(device, &finder);
    return unit.serial.isEmpty() ? QFileInfo(device).fileName() : unit.serial;
}
