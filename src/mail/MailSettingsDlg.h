// "Mail settings": the SMTP server, the sender address and the user name kept
// in the profile's Mail section. The password is never asked for here; it
// comes from the user's ~/.netrc.
#pragma once

#include <QDialog>

class Profile;
class QLineEdit;
class UserInteraction;

class CMailSettingsDlg : public QDialog {
    Q_OBJECT
public:
    CMailSettingsDlg(Profile& profile, UserInteraction& ui, QWidget* parent = nullptr);

public slots:
    // Saves the settings and closes, unless one of them is plainly wrong.
    void accept() override;

private:
    Profile& profile_;
    UserInteraction& ui_;
    QLineEdit* serverEdit_ = nullptr;
    QLineEdit* senderEdit_ = nullptr;
    QLineEdit* userEdit_ = nullptr;
};
