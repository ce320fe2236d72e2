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

    QSettings& settings() { return settings_; }

private:
    QSettings settings_;
};
