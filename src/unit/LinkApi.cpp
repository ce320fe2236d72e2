#include "unit/LinkApi.h"

#include "unit/PortHolders.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <cstring>
#include <grp.h>
#include <sys/stat.h>

namespace {
// This file's texts, in the program's language.
struct LinkApiText {
    Q_DECLARE_TR_FUNCTIONS(LinkApiText)
};
} // namespace

int32_t LibraryLinkApi::LinkStartup() {
    return ::LinkStartup();
}
int32_t LibraryLinkApi::LinkCleanup() {
    return ::LinkCleanup();
}
int32_t LibraryLinkApi::LinkCreate() {
    return ::LinkCreate();
}
int32_t LibraryLinkApi::LinkSetPort(int32_t handle, const char* port, const char* fallbackPort) {
    return ::LinkSetPort(handle, port, fallbackPort);
}
int32_t LibraryLinkApi::LinkConfigure(int32_t handle, const char* options) {
    return ::LinkConfigure(handle, options);
}
int32_t LibraryLinkApi::LinkClose(int32_t handle) {
    return ::LinkClose(handle);
}
int32_t LibraryLinkApi::LinkDestroy(int32_t handle) {
    return ::LinkDestroy(handle);
}
int32_t LibraryLinkApi::LinkConnect(int32_t handle, const char* password) {
    return ::LinkConnect(handle, password);
}
int32_t LibraryLinkApi::LinkQueryUnit(int32_t handle, int32_t* model, int32_t* firmware) {
    return ::LinkQueryUnit(handle, model, firmware);
}
int32_t LibraryLinkApi::LinkPrepareTransfer(int32_t handle) {
    return ::LinkPrepareTransfer(handle);
}
int32_t LibraryLinkApi::LinkWriteRegister(int32_t handle, int32_t reg, const unsigned char* slot,
                                          int32_t reserved1, int32_t reserved2) {
    return ::LinkWriteRegister(handle, reg, slot, reserved1, reserved2);
}
int32_t LibraryLinkApi::LinkReadRegister(int32_t handle, int32_t reg, unsigned char* slot,
                                         int32_t* length, int32_t reserved) {
    return ::LinkReadRegister(handle, reg, slot, length, reserved);
}
int32_t LibraryLinkApi::LinkFinishTransfer(int32_t handle) {
    return ::LinkFinishTransfer(handle);
}
int32_t LibraryLinkApi::LinkSetClock(int32_t handle, const unsigned char* record) {
    return ::LinkSetClock(handle, record);
}
int32_t LibraryLinkApi::LinkUploadVoice(int32_t handle, int32_t count, const char* const* fileNames,
                                        LinkProgressCallback progress, intptr_t context) {
    return ::LinkUploadVoice(handle, count, fileNames, progress, context);
}
int32_t LibraryLinkApi::LinkGetOpenError(int32_t handle, int32_t* reason, int32_t* osError,
                                         char* device, int32_t deviceSize) {
    return ::LinkGetOpenError(handle, reason, osError, device, deviceSize);
}

namespace {

// The group that owns the device, which a user joins to be let in.
QString owningGroup(const QString& device) {
    struct stat info {};
    if (::stat(QFile::encodeName(device).constData(), &info) != 0)
        return {};
    if (const group* entry = ::getgrgid(info.st_gid))
        return QString::fromLocal8Bit(entry->gr_name);
    return QString::number(info.st_gid);
}

// What keeps ModemManager off the unit: a udev rule for the unit's USB ids,
// which the user reads off their own system (the unit has no fixed ids).
QString modemManagerAdvice(const QString& device) {
    return LinkApiText::tr("ModemManager probes USB serial devices for modems and so keeps the "
                           "unit's port. To keep it away from the unit, write this line into "
                           "/etc/udev/rules.d/99-velk-unit.rules, with VVVV and PPPP the "
                           "ID_VENDOR_ID and ID_MODEL_ID that \"udevadm info %1\" shows:")
               .arg(device) +
           QStringLiteral("\nSUBSYSTEM==\"tty\", ATTRS{idVendor}==\"VVVV\", "
                          "ATTRS{idProduct}==\"PPPP\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"\n") +
           LinkApiText::tr("Then run \"sudo udevadm control --reload\" and plug the unit in "
                           "again.");
}

// Names the programs that have the port, where this user may see them.
QString busyText(const QString& device) {
    const QList<PortHolder> holders = findPortHolders(device);
    if (holders.isEmpty())
        return LinkApiText::tr("The port %1 is in use by another program.").arg(device);
    QStringList named;
    bool modemManager = false;
    for (const PortHolder& holder : holders) {
        const QString pid = QString::number(holder.pid);
        named << (holder.name.isEmpty() ? LinkApiText::tr("process %1").arg(pid)
                                        : LinkApiText::tr("%1 (process %2)").arg(holder.name, pid));
        modemManager = modemManager || holder.name == QLatin1String("ModemManager");
    }
    QString text = LinkApiText::tr("The port %1 is in use by %2.")
                       .arg(device, named.join(QLatin1String(", ")));
    if (modemManager)
        text += '\n' + modemManagerAdvice(device);
    return text;
}

} // namespace

QString openErrorText(LinkApi& link, int32_t handle) {
    int32_t reason = LINK_OPEN_OK;
    int32_t osError = 0;
    char buffer[512] = {};
    if (link.LinkGetOpenError(handle, &reason, &osError, buffer, sizeof buffer) != LINK_OK)
        return {};
    const QString device = QString::fromLocal8Bit(buffer);
    switch (reason) {
    case LINK_OPEN_NO_DEVICE:
        if (!device.startsWith('/'))
            return LinkApiText::tr("No serial device was found for the port %1: is the unit "
                                   "plugged in?")
                .arg(device);
        return LinkApiText::tr("The device %1 does not exist: is the unit plugged in?").arg(device);
    case LINK_OPEN_PERMISSION: {
        const QString group = owningGroup(device);
        if (group.isEmpty() || group == QLatin1String("root"))
            return LinkApiText::tr("You may not open %1: ask the administrator for access to it.")
                .arg(device);
        return LinkApiText::tr("You may not open %1: add your user to the group %2 and log in "
                               "again.")
            .arg(device, group);
    }
    case LINK_OPEN_BUSY:
        return busyText(device);
    case LINK_OPEN_NOT_SERIAL:
        return LinkApiText::tr("%1 is not a serial port.").arg(device);
    case LINK_OPEN_NO_UART: {
        static const QRegularExpression uart(QStringLiteral("^/dev/ttyS(\\d+)$"));
        const auto match = uart.match(device);
        if (match.hasMatch())
            return LinkApiText::tr("COM%1 (%2) has no serial port on this computer")
                .arg(match.captured(1).toInt() + 1)
                .arg(device);
        return LinkApiText::tr("%1 has no serial port behind it.").arg(device);
    }
    case LINK_OPEN_OTHER:
        return LinkApiText::tr("%1 cannot be opened: %2.")
            .arg(device, QString::fromLocal8Bit(std::strerror(osError)));
    default:
        return {};
    }
}
