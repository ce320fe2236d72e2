// Which serial devices are attached, and which port text reaches the unit.
// The finder is a seam: libudev in the programs (UdevSerialDeviceFinder), a
// fake in tests. The choice of a device is plain logic over its list.
#pragma once

#include <QList>
#include <QString>
#include <optional>

struct SerialDevice {
    QString node;       // /dev/ttyACM0, /dev/ttyUSB0, /dev/ttyS0
    QString stableName; // /dev/serial/by-id/..., empty when udev made none
    QString vendor;
    QString model;
    QString serial;  // the USB serial number, empty when the device has none
    bool usb = true; // false: a COM port with a UART behind it

    // What Setup stores as Options/Device: the stable name, else vendor,
    // model and serial number, which stay the same on any USB socket.
    QString identity() const;
    // What --port takes to reach this device.
    QString portOption() const;
    // "/dev/ttyACM0 (Example VELK-Ardo A1B2C3)" for messages.
    QString description() const;
};

class SerialDeviceFinder {
public:
    virtual ~SerialDeviceFinder() = default;

    // The serial devices attached now: USB ones first (ttyACM before ttyUSB,
    // by number), then COM ports with a UART.
    virtual QList<SerialDevice> devices() = 0;

    struct Change {
        bool added = false; // false: removed
        SerialDevice device;
    };
    // Waits up to timeoutMs for a USB serial device to appear or go. Nothing
    // when the time passed (or the finder cannot watch). Short timeouts let
    // the caller look at Ctrl-C and its own deadlines in between.
    virtual std::optional<Change> waitForChange(int timeoutMs) = 0;
    // Whether waitForChange can see devices come and go at all.
    virtual bool canWatch() const { return true; }
};

QList<SerialDevice> usbDevicesOf(const QList<SerialDevice>& devices);

// The device that "USB" means: the one chosen in Setup (chosenDevice, its
// identity, stable name or node), else the only USB serial device attached.
// With none, several, or the chosen one missing: nothing, and *error says
// what to do.
std::optional<SerialDevice> chooseUsbDevice(const QList<SerialDevice>& devices,
                                            const QString& chosenDevice, QString* error);

// The port text for the link library when the profile says USB (comPort 0):
// the chosen device's node. For a COM port: empty, the port text stays. When
// QUILLARY_LINK_DEVICE names a device, that wins and the text stays too.
struct PortChoice {
    QString linkPort; // empty: keep the port set at start
    QString error;    // not empty: no device to use, and why
};
PortChoice choosePortDevice(int comPort, const QString& chosenDevice, SerialDeviceFinder& finder);
