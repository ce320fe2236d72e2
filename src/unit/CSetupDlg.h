// The Setup dialog: how the unit is attached, by USB or on COM1 to COM4. The
// choice is kept in the profile and used from the next start of the program.
#pragma once

#include <QDialog>

class Profile;
class QComboBox;
class UserInteraction;

class CSetupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSetupDlg(QWidget* parent = nullptr);

    // The list position, which is also the profile value: 0 for "USB", n for
    // "COM n"; -1 selects nothing.
    int m_port = -1;

    int exec() override;
    QComboBox* portComboBox() const { return port_; }

private:
    QComboBox* port_ = nullptr;
};

// The Setup command: shows the dialog with the profile's value; OK stores the
// choice (also when unchanged) and, when it changed, says that it takes effect
// after a restart. Cancel changes nothing.
void SetupCommand(Profile& profile, UserInteraction& ui, QWidget* parent);
