// The Setup dialog: how the unit is attached, by USB or on COM1 to COM4, and
// below that the USB serial devices attached now, one of which "USB" may be
// tied to. The choice is kept in the profile and used from the next start of
// the program.
#pragma once

#include <QDialog>
#include <QList>

#include "unit/SerialDevices.h"

class Profile;
class QComboBox;
class QLabel;
class QTimer;
class QTreeWidget;
class UserInteraction;

class CSetupDlg : public QDialog {
    Q_OBJECT
public:
    // Without a finder the device list stays empty.
    explicit CSetupDlg(QWidget* parent = nullptr, SerialDeviceFinder* devices = nullptr);

    // The list position, which is also the profile value: 0 for "USB", n for
    // "COM n"; -1 selects nothing.
    int m_port = -1;
    // The identity of the USB device "USB" means; empty: the only one attached.
    QString m_device;

    int exec() override;
    QComboBox* portComboBox() const { return port_; }
    QTreeWidget* deviceList() const { return deviceList_; }

    // Lists the devices attached now, keeping the chosen one selected.
    void refreshDevices();

private:
    void deviceChosen();

    SerialDeviceFinder* finder_ = nullptr;
    QComboBox* port_ = nullptr;
    QTreeWidget* deviceList_ = nullptr;
    QLabel* deviceNote_ = nullptr;
    QTimer* refresh_ = nullptr;
    QList<SerialDevice> shown_;
};

// The Setup command: shows the dialog with the profile's values; OK stores
// the choice (the port also when unchanged) and, when it changed, says that
// it takes effect after a restart. Cancel changes nothing.
void SetupCommand(Profile& profile, UserInteraction& ui, QWidget* parent,
                  SerialDeviceFinder* devices = nullptr);
