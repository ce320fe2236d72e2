// The program's own settings: an INI file in the user's configuration folder,
// named after the executable.
#pragma once

#include <QSettings>
#include <QString>

class Profile {
public:
    explicit Profile(const QString& iniPath);

    // <user config folder>/<executable name>.ini
    static QString defaultPath();

    // Options/COMPORT: 0 for USB, n for COMn; 1 when unset.
    int comPort() const;
    void setComPort(int port);
    // The port text handed to the link library: "USB1" or "COM%i".
    QString portText() const;

    // Mail/ServerUrl, Mail/Sender, Mail/UserName: where e-mail goes out. The
    // password is never kept here (it comes from ~/.netrc).
    QString mailServerUrl() const;
    QString mailSender() const;
    QString mailUserName() const;
    void setMailServer(const QString& serverUrl, const QString& sender, const QString& userName);

    QSettings& settings() { return settings_; }

private:
    QSettings settings_;
};
