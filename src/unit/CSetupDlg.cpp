#include "unit/CSetupDlg.h"

#include "config/Profile.h"
#include "core/UserInteraction.h"
#include "unit/UnitTexts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CSetupDlg::CSetupDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("setupDialog"));
    setWindowTitle(QStringLiteral("Setup"));

    auto* group = new QGroupBox(QStringLiteral("Communication setup"), this);
    group->setObjectName(QStringLiteral("communicationGroupBox"));
    port_ = new QComboBox(group);
    port_->setObjectName(QStringLiteral("portComboBox"));
    // Only the group box's title names the list.
    port_->setAccessibleName(group->title());
    port_->addItems({QStringLiteral("USB"), QStringLiteral("COM 1"), QStringLiteral("COM 2"),
                     QStringLiteral("COM 3"), QStringLiteral("COM 4")});
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(port_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    setTabOrder(port_, ok);
    setTabOrder(ok, cancel);
}

int CSetupDlg::exec() {
    // A value outside the list selects nothing.
    port_->setCurrentIndex(m_port >= 0 && m_port < port_->count() ? m_port : -1);
    port_->setFocus();
    const int result = QDialog::exec();
    // OK with no entry chosen keeps the stored value, whatever it is.
    if (result == Accepted && port_->currentIndex() >= 0)
        m_port = port_->currentIndex();
    return result;
}

void SetupCommand(Profile& profile, UserInteraction& ui, QWidget* parent) {
    // A value that is not a number reads as 0 (USB), as it does at start.
    const int stored = profile.comPort();

    CSetupDlg dialog(parent);
    dialog.m_port = stored;
    if (dialog.exec() != QDialog::Accepted)
        return;
    profile.setComPort(dialog.m_port);
    if (dialog.m_port != stored)
        ui.tell(UnitTexts::restartNeeded(), MessageIcon::Information);
}
