// The files kept while units are written from the command line: a backup of
// what a unit held before it was overwritten, and the provisioning log.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A folder the backups can be written to; otherwise false and *error says
// what is wrong with it. Checked before the first byte goes to a unit.
bool checkBackupFolder(const QString& folder, QString* error);

// Writes image (the 87 registers) as FOLDER/<name>-<yyyyMMdd-HHmmss>.QRB,
// where name is the unit's serial number or device name cut to safe
// characters. All or nothing, and never over an existing file (a suffix
// -2, -3, ... is added). Returns the path, or empty with *error set.
QString writeBackup(const QString& folder, const QString& unitName, const QDateTime& when,
                    const QByteArray& image, QString* error);

// A log that lines are only ever appended to (O_APPEND), one write per line
// so that two programs appending never interleave. A link, a FIFO or a
// device under the name is refused: the log is opened only as a regular file.
class AppendLog {
public:
    AppendLog() = default;
    ~AppendLog();
    AppendLog(const AppendLog&) = delete;
    AppendLog& operator=(const AppendLog&) = delete;

    bool open(const QString& path, QString* error);
    bool append(const QByteArray& line, QString* error); // adds the newline
    bool isOpen() const { return fd_ >= 0; }

private:
    QString path_;
    int fd_ = -1;
};
