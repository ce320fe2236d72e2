// The program's own settings: an INI file in the user's configuration folder,
// named after the executable, readable by its owner only.
#pragma once

#include <QSettings>
#include <QString>

class Profile {
public:
    explicit Profile(const QString& iniPath);

    // <user config folder>/<executable name>.ini
    static QString defaultPath();

    // Options/COMPORT: 0 for USB, n for COMn; 1 when unset. *isNumber tells
    // whether the stored value is a number at all (0 is returned otherwise).
    int comPort(bool* isNumber = nullptr) const;
    void setComPort(int port); // written to the file at once
    // The port text handed to the link library: "USB1" or "COM%i".
    QString portText() const;
    // Options/Device: the USB serial device chosen in Setup (its stable name,
    // or vendor, model and serial number), which "USB" then means; empty:
    // the only one attached.
    QString usbDevice() const;
    void setUsbDevice(const QString& device); // written to the file at once

    // Mail/ServerUrl, Mail/Sender, Mail/UserName: where e-mail goes out. The
    // password is never kept here (it comes from ~/.netrc).
    QString mailServerUrl() const;
    QString mailSender() const;
    QString mailUserName() const;
    // Mail/CaFile: a PEM file of certificate authorities (a company's own)
    // trusted instead of the system's; empty for the system's.
    QString mailCaFile() const;
    void setMailServer(const QString& serverUrl, const QString& sender, const QString& userName);

    // VoiceRecorder/HalfRate: the recorder's "Low quality", half the unit's
    // sample rate; written to the file at once.
    bool lowQualityRecording() const;
    void setLowQualityRecording(bool on);

    // Options/Language: "cs", "de" or "en" to speak that language whatever
    // the desktop's; empty to follow LANGUAGE and the desktop.
    QString language() const;

    // VoiceRecorder/Language: the espeak-ng voice messages are spoken in
    // ("cs", "de"); empty when unset, and then the desktop's language is used.
    QString speechLanguage() const;
    void setSpeechLanguage(const QString& language);

    // Options/BackupAndVerify: a write into a unit reads the unit first as a
    // backup and reads it back afterwards; true when unset.
    bool backupAndVerify() const;

    // History/Database: the team's journal on a PostgreSQL server,
    // "postgresql://USER@HOST[:PORT]/DATABASE"; empty for none (the journal
    // stays on this computer and no network is touched). History/CaFile: a
    // PEM file of certificate authorities trusted for that server instead of
    // the system's.
    QString teamDatabase() const;
    QString teamCaFile() const;

    // Recent/Files: the configurations last loaded, created or saved, newest
    // first (RecentFiles keeps the list's rules). Read afresh from the file:
    // another window of the program may have changed it meanwhile.
    QStringList recentFiles();
    void setRecentFiles(const QStringList& paths); // written to the file at once

    QSettings& settings() { return settings_; }

    // Writes the settings out, readable by the owner only (0600), also when
    // the file existed with looser rights.
    void save();

private:
    QSettings settings_;
};
