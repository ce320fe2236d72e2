#include "unit/SerialDevices.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace {
// This file's texts, in the program's language.
struct SerialDevicesText {
    Q_DECLARE_TR_FUNCTIONS(SerialDevicesText)
};
} // namespace

QString SerialDevice::identity() const {
    if (!stableName.isEmpty())
        return stableName;
    if (serial.isEmpty())
        return node;
    return QStringLiteral("usb:%1/%2/%3").arg(vendor, model, serial);
}

QString SerialDevice::portOption() const {
    if (!usb) {
        const QString name = QFileInfo(node).fileName();
        if (name.startsWith(QLatin1String("ttyS")))
            return QStringLiteral("COM%1").arg(name.mid(4).toInt() + 1);
    }
    return stableName.isEmpty() ? node : stableName;
}

QString SerialDevice::description() const {
    QStringList parts;
    for (const QString& part : {vendor, model, serial}) {
        if (!part.isEmpty())
            parts << part;
    }
    return parts.isEmpty() ? node
                           : QStringLiteral("%1 (%2)").arg(node, parts.join(QLatin1Char(' ')));
}

QList<SerialDevice> usbDevicesOf(const QList<SerialDevice>& devices) {
    QList<SerialDevice> usb;
    for (const SerialDevice& device : devices) {
        if (device.usb)
            usb << device;
    }
    return usb;
}

std::optional<SerialDevice> chooseUsbDevice(const QList<SerialDevice>& devices,
                                            const QString& chosenDevice, QString* error) {
    const QList<SerialDevice> usb = usbDevicesOf(devices);
    if (!chosenDevice.isEmpty()) {
        for (const SerialDevice& device : usb) {
            if (device.identity() == chosenDevice || device.stableName == chosenDevice ||
                device.node == chosenDevice)
                return device;
        }
        if (error)
            *error =
                SerialDevicesText::tr("The USB device chosen in Setup (%1) is not attached: plug "
                                      "it in, or choose another device in Setup.")
                    .arg(chosenDevice);
        return std::nullopt;
    }
    if (usb.size() == 1)
        return usb.first();
    if (error) {
        if (usb.isEmpty()) {
            *error = SerialDevicesText::tr("No USB serial device is attached: plug the unit in.");
        } else {
            QStringList names;
            for (const SerialDevice& device : usb)
                names << device.description();
            *error =
                SerialDevicesText::tr("Several USB serial devices are attached (%1): choose the "
                                      "unit's in Setup.")
                    .arg(names.join(QStringLiteral(", ")));
        }
    }
    return std::nullopt;
}

PortChoice choosePortDevice(int comPort, const QString& chosenDevice, SerialDeviceFinder& finder) {
    if (comPort != 0 || !qEnvironmentVariableIsEmpty("QUILLARY_LINK_DEVICE"))
        return {};
    PortChoice choice;
    if (const auto device = chooseUsbDevice(finder.devices(), chosenDevice, &choice.error))
        choice.linkPort = device->node;
    return choice;
}
