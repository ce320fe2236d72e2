// The serial devices libudev knows of, and its hot-plug monitor.
#pragma once

#include "unit/SerialDevices.h"

struct udev;
struct udev_monitor;

class UdevSerialDeviceFinder final : public SerialDeviceFinder {
public:
    UdevSerialDeviceFinder();
    ~UdevSerialDeviceFinder() override;
    UdevSerialDeviceFinder(const UdevSerialDeviceFinder&) = delete;
    UdevSerialDeviceFinder& operator=(const UdevSerialDeviceFinder&) = delete;

    QList<SerialDevice> devices() override;
    std::optional<Change> waitForChange(int timeoutMs) override;
    bool canWatch() const override { return monitor_ != nullptr; }

    // The monitor's descriptor, readable when a change is waiting (for a
    // QSocketNotifier); -1 when there is no monitor.
    int monitorFd() const;

private:
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
};
