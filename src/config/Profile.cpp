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
