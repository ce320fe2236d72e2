#include "config/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Profile::Profile(const QString& iniPath) : settings_(iniPath, QSettings::IniFormat) {}

QString Profile::defaultPath() {
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           (name.isEmpty() ? QStringLiteral("quillary") : name) + QStringLiteral(".ini");
}

int Profile::comPort(bool* isNumber) const {
    return settings_.value("Options/COMPORT", 1).toInt(isNumber);
}

void Profile::setComPort(int port) {
    settings_.setValue("Options/COMPORT", port);
    save();
}

QString Profile::portText() const {
    const int port = comPort();
    return port == 0 ? QStringLiteral("USB1") : QStringLiteral("COM%1").arg(port);
}

QString Profile::usbDevice() const {
    return settings_.value("Options/Device").toString();
}

void Profile::setUsbDevice(const QString& device) {
    if (device.isEmpty())
        settings_.remove("Options/Device");
    else
        settings_.setValue("Options/Device", device);
    save();
}

QString Profile::mailServerUrl() const {
    return settings_.value("Mail/ServerUrl").toString();
}

QString Profile::mailCaFile() const {
    return settings_.value("Mail/CaFile").toString();
}

QString Profile::mailSender() const {
    return settings_.value("Mail/Sender").toString();
}

QString Profile::mailUserName() const {
    return settings_.value("Mail/UserName").toString();
}

bool Profile::backupAndVerify() const {
    return settings_.value("Options/BackupAndVerify", true).toBool();
}

QString Profile::teamDatabase() const {
    return settings_.value("History/Database").toString().trimmed();
}

QString Profile::teamCaFile() const {
    return settings_.value("History/CaFile").toString();
}

bool Profile::lowQualityRecording() const {
    return settings_.value("VoiceRecorder/HalfRate", 0).toInt() != 0;
}

void Profile::setLowQualityRecording(bool on) {
    settings_.setValue("VoiceRecorder/HalfRate", on ? 1 : 0);
    save();
}

QString Profile::speechLanguage() const {
    return settings_.value("VoiceRecorder/Language").toString().trimmed();
}

void Profile::setSpeechLanguage(const QString& language) {
    settings_.setValue("VoiceRecorder/Language", language);
    save();
}

void Profile::setMailServer(const QString& serverUrl, const QString& sender,
                            const QString& userName) {
    settings_.setValue("Mail/ServerUrl", serverUrl);
    settings_.setValue("Mail/Sender", sender);
    settings_.setValue("Mail/UserName", userName);
    save();
}

void Profile::save() {
    // Created 0600 before anything is written, so the settings are never
    // readable by others, not even for a moment; the rewrite keeps the rights.
    const QByteArray path = QFile::encodeName(settings_.fileName());
    QDir().mkpath(QFileInfo(settings_.fileName()).absolutePath());
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::fchmod(fd, 0600);
        ::close(fd);
    }
    settings_.sync();
    ::chmod(path.constData(), 0600);
}

QString Profile::language() const {
    return settings_.value(QStringLiteral("Options/Language")).toString().trimmed();
}

QStringList Profile::recentFiles() {
    settings_.sync();
    return settings_.value(QStringLiteral("Recent/Files")).toStringList();
}

void Profile::setRecentFiles(const QStringList& paths) {
    if (paths.isEmpty())
        settings_.remove(QStringLiteral("Recent/Files"));
    else
        settings_.setValue(QStringLiteral("Recent/Files"), paths);
    save();
}
