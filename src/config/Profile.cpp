#include "config/Profile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

Profile::Profile(const QString& iniPath) : settings_(iniPath, QSettings::IniFormat) {}

QString Profile::defaultPath() {
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           (name.isEmpty() ? QStringLiteral("quillary") : name) + QStringLiteral(".ini");
}

int Profile::comPort() const {
    return settings_.value("Options/COMPORT", 1).toInt();
}

void Profile::setComPort(int port) {
    settings_.setValue("Options/COMPORT", port);
}

QString Profile::portText() const {
    const int port = comPort();
    return port == 0 ? QStringLiteral("USB1") : QStringLiteral("COM%1").arg(port);
}

QString Profile::mailServerUrl() const {
    return settings_.value("Mail/ServerUrl").toString();
}

QString Profile::mailSender() const {
    return settings_.value("Mail/Sender").toString();
}

QString Profile::mailUserName() const {
    return settings_.value("Mail/UserName").toString();
}

void Profile::setMailServer(const QString& serverUrl, const QString& sender,
                            const QString& userName) {
    settings_.setValue("Mail/ServerUrl", serverUrl);
    settings_.setValue("Mail/Sender", sender);
    settings_.setValue("Mail/UserName", userName);
    settings_.sync();
}
