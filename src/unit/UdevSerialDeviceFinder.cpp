#include "unit/UdevSerialDeviceFinder.h"

#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <libudev.h>
#include <poll.h>

namespace {

QString property(udev_device* device, const char* name) {
    const char* value = udev_device_get_property_value(device, name);
    return value ? QString::fromUtf8(value) : QString();
}

// udev keeps the names with '_' for spaces; the encoded forms keep the real
// text, with bytes such as a space escaped as "\x20".
QString decoded(udev_device* device, const char* encodedName, const char* plainName) {
    const char* encoded = udev_device_get_property_value(device, encodedName);
    if (!encoded || !*encoded)
        return property(device, plainName).replace(QLatin1Char('_'), QLatin1Char(' '));
    const QByteArray text(encoded);
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            bool ok = false;
            const int code = text.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return QString::fromUtf8(out).trimmed();
}

bool isUsbSerialName(const QString& name) {
    return name.startsWith(QLatin1String("ttyACM")) || name.startsWith(QLatin1String("ttyUSB"));
}

// A COM port is listed only with a UART behind it: the kernel keeps a
// ttyS device for every possible port, and reports type 0 for an empty one.
bool hasUart(udev_device* device) {
    const char* type = udev_device_get_sysattr_value(device, "type");
    return type && QByteArray(type).trimmed() != "0";
}

std::optional<SerialDevice> serialDeviceOf(udev_device* device, bool checkUart) {
    const char* nodeText = udev_device_get_devnode(device);
    const char* sysname = udev_device_get_sysname(device);
    if (!nodeText || !sysname)
        return std::nullopt;
    const QString name = QString::fromUtf8(sysname);
    SerialDevice found;
    found.node = QString::fromUtf8(nodeText);
    if (isUsbSerialName(name)) {
        found.usb = true;
        found.vendor = decoded(device, "ID_VENDOR_ENC", "ID_VENDOR");
        found.model = decoded(device, "ID_MODEL_ENC", "ID_MODEL");
        found.serial = property(device, "ID_SERIAL_SHORT");
        for (const QString& link : property(device, "DEVLINKS").split(QLatin1Char(' '))) {
            if (link.startsWith(QLatin1String("/dev/serial/by-id/"))) {
                found.stableName = link;
                break;
            }
        }
        return found;
    }
    if (name.startsWith(QLatin1String("ttyS")) && (!checkUart || hasUart(device))) {
        found.usb = false;
        return found;
    }
    return std::nullopt;
}

int nodeNumber(const QString& node) {
    const QString name = QFileInfo(node).fileName();
    int i = name.size();
    while (i > 0 && name[i - 1].isDigit())
        --i;
    return name.mid(i).toInt();
}

int kindRank(const SerialDevice& device) {
    if (!device.usb)
        return 2;
    return QFileInfo(device.node).fileName().startsWith(QLatin1String("ttyACM")) ? 0 : 1;
}

} // namespace

UdevSerialDeviceFinder::UdevSerialDeviceFinder() : udev_(udev_new()) {
    if (!udev_)
        return;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ &&
        (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "tty", nullptr) < 0 ||
         udev_monitor_enable_receiving(monitor_) < 0)) {
        udev_monitor_unref(monitor_);
        monitor_ = nullptr;
    }
}

UdevSerialDeviceFinder::~UdevSerialDeviceFinder() {
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
}

int UdevSerialDeviceFinder::monitorFd() const {
    return monitor_ ? udev_monitor_get_fd(monitor_) : -1;
}

QList<SerialDevice> UdevSerialDeviceFinder::devices() {
    QList<SerialDevice> found;
    if (!udev_)
        return found;
    udev_enumerate* enumerate = udev_enumerate_new(udev_);
    if (!enumerate)
        return found;
    udev_enumerate_add_match_subsystem(enumerate, "tty");
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device* device = udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry));
        if (!device)
            continue;
        if (auto serial = serialDeviceOf(device, true))
            found << *serial;
        udev_device_unref(device);
    }
    udev_enumerate_unref(enumerate);
    std::sort(found.begin(), found.end(), [](const SerialDevice& a, const SerialDevice& b) {
        if (kindRank(a) != kindRank(b))
            return kindRank(a) < kindRank(b);
        return nodeNumber(a.node) < nodeNumber(b.node);
    });
    return found;
}

std::optional<SerialDeviceFinder::Change> UdevSerialDeviceFinder::waitForChange(int timeoutMs) {
    if (!monitor_) {
        ::poll(nullptr, 0, std::max(timeoutMs, 0)); // a caller's loop must not spin
        return std::nullopt;
    }
    pollfd pfd{udev_monitor_get_fd(monitor_), POLLIN, 0};
    const int ready = ::poll(&pfd, 1, std::max(timeoutMs, 0));
    if (ready <= 0)
        return std::nullopt;
    // One event per call: a burst is taken one by one in the caller's loop.
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (!device)
        return std::nullopt;
    std::optional<Change> change;
    const QByteArray action = udev_device_get_action(device);
    if (action == "add" || action == "remove") {
        // A removed device has no attributes left to ask for its UART.
        if (auto serial = serialDeviceOf(device, false); serial && serial->usb)
            change = Change{action == "add", *serial};
    }
    udev_device_unref(device);
    return change;
}
