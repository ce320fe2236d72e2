#include "unit/CSetupDlg.h"

#include "config/Profile.h"
#include "seams/UserInteraction.h"
#include "unit/UnitTexts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int RefreshMs = 1000;
constexpr int IdentityRole = Qt::UserRole;

} // namespace

CSetupDlg::CSetupDlg(QWidget* parent, SerialDeviceFinder* devices)
    : QDialog(parent), finder_(devices) {
    setObjectName(QStringLiteral("setupDialog"));
    setWindowTitle(tr("Setup"));

    auto* group = new QGroupBox(tr("Communication setup"), this);
    group->setObjectName(QStringLiteral("communicationGroupBox"));
    port_ = new QComboBox(group);
    port_->setObjectName(QStringLiteral("portComboBox"));
    // Only the group box's title names the list.
    port_->setAccessibleName(group->title());
    port_->addItems({QStringLiteral("USB"), QStringLiteral("COM 1"), QStringLiteral("COM 2"),
                     QStringLiteral("COM 3"), QStringLiteral("COM 4")});
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(port_);

    auto* devicesLabel = new QLabel(tr("&USB serial devices attached:"), this);
    deviceList_ = new QTreeWidget(this);
    deviceList_->setObjectName(QStringLiteral("deviceList"));
    deviceList_->setAccessibleName(tr("USB serial devices attached"));
    deviceList_->setRootIsDecorated(false);
    deviceList_->setHeaderLabels({tr("Vendor"), tr("Model"), tr("Serial number"), tr("Device")});
    deviceList_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    deviceList_->setMinimumWidth(480);
    devicesLabel->setBuddy(deviceList_);
    deviceNote_ = new QLabel(this);
    deviceNote_->setObjectName(QStringLiteral("deviceNoteLabel"));
    deviceNote_->setWordWrap(true);
    connect(deviceList_, &QTreeWidget::itemSelectionChanged, this, &CSetupDlg::deviceChosen);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(devicesLabel);
    layout->addWidget(deviceList_);
    layout->addWidget(deviceNote_);
    layout->addLayout(buttons);
    setTabOrder(port_, deviceList_);
    setTabOrder(deviceList_, ok);
    setTabOrder(ok, cancel);

    // Units come and go while the dialog is open; a poll of the list is
    // cheap and needs no monitor of its own.
    refresh_ = new QTimer(this);
    refresh_->setInterval(RefreshMs);
    connect(refresh_, &QTimer::timeout, this, &CSetupDlg::refreshDevices);
}

void CSetupDlg::refreshDevices() {
    const QList<SerialDevice> found =
        finder_ ? usbDevicesOf(finder_->devices()) : QList<SerialDevice>();
    const auto sameDevice = [](const SerialDevice& a, const SerialDevice& b) {
        return a.identity() == b.identity() && a.node == b.node;
    };
    // Rebuilt only on a change, so the user's place in the list stays.
    if (deviceList_->topLevelItemCount() > 0 &&
        std::equal(found.begin(), found.end(), shown_.begin(), shown_.end(), sameDevice))
        return;
    shown_ = found;
    const QSignalBlocker blocker(deviceList_);
    deviceList_->clear();
    // The first row undoes a choice: "USB" is then the only device attached.
    auto* any = new QTreeWidgetItem(
        deviceList_, {tr("Any"), tr("(the only one attached)"), QString(), QString()});
    any->setData(0, IdentityRole, QString());
    QTreeWidgetItem* chosen = m_device.isEmpty() ? any : nullptr;
    for (const SerialDevice& device : found) {
        auto* item = new QTreeWidgetItem(deviceList_,
                                         {device.vendor, device.model, device.serial, device.node});
        item->setData(0, IdentityRole, device.identity());
        item->setToolTip(3, device.stableName);
        if (!m_device.isEmpty() && device.identity() == m_device)
            chosen = item;
    }
    if (chosen)
        deviceList_->setCurrentItem(chosen);
    if (found.isEmpty())
        deviceNote_->setText(tr("No USB serial device is attached."));
    else if (!m_device.isEmpty() && !chosen)
        deviceNote_->setText(tr("The chosen device (%1) is not attached.").arg(m_device));
    else
        deviceNote_->setText(QString());
}

void CSetupDlg::deviceChosen() {
    QTreeWidgetItem* item = deviceList_->currentItem();
    if (!item)
        return;
    m_device = item->data(0, IdentityRole).toString();
    // A device in the list is reached through "USB".
    if (!m_device.isEmpty())
        port_->setCurrentIndex(0);
    deviceNote_->setText(QString());
}

int CSetupDlg::exec() {
    // A value outside the list selects nothing.
    port_->setCurrentIndex(m_port >= 0 && m_port < port_->count() ? m_port : -1);
    refreshDevices();
    refresh_->start();
    port_->setFocus();
    const int result = QDialog::exec();
    refresh_->stop();
    // OK with no entry chosen keeps the stored value, whatever it is.
    if (result == Accepted && port_->currentIndex() >= 0)
        m_port = port_->currentIndex();
    return result;
}

void SetupCommand(Profile& profile, UserInteraction& ui, QWidget* parent,
                  SerialDeviceFinder* devices) {
    // A value that is not a number reads as 0 (USB), as it does at start.
    const int stored = profile.comPort();
    const QString storedDevice = profile.usbDevice();

    CSetupDlg dialog(parent, devices);
    dialog.m_port = stored;
    dialog.m_device = storedDevice;
    if (dialog.exec() != QDialog::Accepted)
        return;
    profile.setComPort(dialog.m_port);
    if (dialog.m_device != storedDevice)
        profile.setUsbDevice(dialog.m_device);
    if (dialog.m_port != stored || dialog.m_device != storedDevice)
        ui.tell(UnitTexts::restartNeeded(), MessageIcon::Information);
}
