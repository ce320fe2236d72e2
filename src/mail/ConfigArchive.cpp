#include "mail/ConfigArchive.h"

#include "config/VoiceFiles.h"
#include "voice/WaveFile.h"
#include "zip/ZipArchive.h"
#include "zip/ZipException.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// This file's texts, in the program's language.
struct ArchiveText {
    Q_DECLARE_TR_FUNCTIONS(ArchiveText)
};
} // namespace

namespace ConfigArchive {

namespace {

std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString systemReason(int error) {
    // The zip writer reports a file that ended before its size was read as
    // an error without a system error.
    if (error == 0)
        return ArchiveText::tr("the file ended early");
    return QString::fromLocal8Bit(std::strerror(error));
}

PackResult failed(const QString& archivePath, int error) {
    return {
        false,
        ArchiveText::tr("Cannot write the archive %1: %2.").arg(archivePath, systemReason(error))};
}

// A new, empty file beside the archive that only this call can have made:
// created with O_EXCL, so never a link or a file somebody else placed there.
struct Temporary {
    QString path;
    int fd = -1;
    int error = 0;

    explicit Temporary(const QString& archivePath) {
        const QFileInfo info(archivePath);
        for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
            path = info.path() + QStringLiteral("/.") + info.fileName() + '.' +
                   QString::number(QRandomGenerator::global()->generate(), 36);
            fd = ::open(QFile::encodeName(path).constData(),
                        O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            error = fd < 0 ? errno : 0;
            if (fd < 0 && errno != EEXIST)
                break;
        }
    }
    ~Temporary() {
        if (fd >= 0)
            ::close(fd);
        if (!path.isEmpty())
            ::unlink(QFile::encodeName(path).constData());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    // Makes the file durable and gives it the archive's name; the file is
    // then no longer ours to remove.
    bool renameTo(const QString& archivePath) {
        const int closing = fd;
        fd = -1;
        if (::fsync(closing) != 0 || ::close(closing) != 0 ||
            ::rename(QFile::encodeName(path).constData(),
                     QFile::encodeName(archivePath).constData()) != 0) {
            error = errno;
            return false;
        }
        path.clear();
        return true;
    }
};

} // namespace

QString archivePathFor(const QString& configPath) {
    const QFileInfo info(configPath);
    QString name = info.fileName().toLower();
    if (name.endsWith(QLatin1String(".qrb")))
        name.chop(4);
    return info.path() + '/' + name + QStringLiteral(".zip");
}

QStringList voiceEntryNames(const QString& title) {
    // The prompts are packed with an upper-case extension, unlike their names
    // on the unit.
    QStringList names{VoiceFiles::configName(title, QStringLiteral("SelectOutput.WAV")),
                      VoiceFiles::configName(title, QStringLiteral("SelectOnOff.WAV"))};
    return names + VoiceFiles::configInputNames(title);
}

PackResult pack(const QString& configPath, const QString& title, const QString& archivePath) {
    const QString folder = QFileInfo(configPath).path();
    // The name is replaced, never written through: a link there is replaced by
    // the archive and the file it pointed to stays as it was. Something that
    // is neither a file nor a link is not ours to replace.
    struct stat existing {};
    if (::lstat(QFile::encodeName(archivePath).constData(), &existing) == 0 &&
        !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode)) {
        return {false, ArchiveText::tr("Cannot write the archive %1: %2.")
                           .arg(archivePath, S_ISDIR(existing.st_mode)
                                                 ? systemReason(EISDIR)
                                                 : ArchiveText::tr("not a regular file"))};
    }
    struct stat config {};
    if (::stat(QFile::encodeName(configPath).constData(), &config) != 0 || !S_ISREG(config.st_mode))
        return {false, ArchiveText::tr("Cannot read the configuration file %1.").arg(configPath)};

    // Every voice file is looked at before anything is written, so one that
    // cannot be a recording (a FIFO, a device, a gigabyte) stops the send
    // instead of being mailed or leaving half an archive.
    QList<QPair<QString, QString>> voiceFiles; // on disk, stored as
    for (const QString& name : voiceEntryNames(title)) {
        const QString path = VoiceFiles::resolveNoCase(folder, name);
        const WaveFile::RecordingCheck check = WaveFile::checkRecordingFile(path);
        if (check.status == WaveFile::RecordingCheck::Missing ||
            check.status == WaveFile::RecordingCheck::Unreadable)
            continue;
        if (!check.ok())
            return {false, ArchiveText::tr("The voice file %1 cannot be sent: %2. Remove it or "
                                           "record that message again, then send once more.")
                               .arg(path, check.why)};
        voiceFiles.append({path, name});
    }

    Temporary temporary(archivePath);
    if (temporary.fd < 0)
        return {false, ArchiveText::tr("Cannot create the archive in the folder %1: %2.")
                           .arg(QFileInfo(archivePath).path(), systemReason(temporary.error))};
    // The archive carries the configuration: nobody may read it who may not
    // read the configuration itself.
    struct stat created {};
    if (::fstat(temporary.fd, &created) != 0 ||
        ::fchmod(temporary.fd, created.st_mode & (config.st_mode | S_IRUSR | S_IWUSR) & 0777) != 0)
        return failed(archivePath, errno);

    CZipArchive zip;
    try {
        zip.Open(nativePath(temporary.path), CZipArchive::zipCreate);
        // An archive without the configuration would be sent as if complete.
        if (!zip.AddFile(nativePath(configPath))) {
            zip.Close(true);
            return {false,
                    ArchiveText::tr("Cannot read the configuration file %1.").arg(configPath)};
        }
        // Stored under the expected name: the file on disk may be spelt in
        // another case. One that cannot be read is left out.
        for (const auto& [path, name] : voiceFiles)
            zip.AddFileAs(nativePath(path), name.toStdString());
        zip.Close();
    } catch (const CFileException& error) {
        zip.Close(true);
        const QString file = QFile::decodeName(error.FileName().c_str());
        if (file == temporary.path)
            return failed(archivePath, error.SystemError());
        return {
            false,
            ArchiveText::tr("Cannot read %1: %2.").arg(file, systemReason(error.SystemError()))};
    } catch (const CZipException& error) {
        zip.Close(true);
        if (error.ErrorCode() == CZipException::kErrorTooLargeForFormat)
            return {false,
                    ArchiveText::tr("The archive %1 would be larger than a zip archive can be "
                                    "(4 GiB).")
                        .arg(archivePath)};
        return {false, ArchiveText::tr("Cannot pack the archive %1: zip error %2.")
                           .arg(archivePath)
                           .arg(error.ErrorCode())};
    } catch (const std::exception& error) {
        zip.Close(true);
        // The user knows the archive by its own name, not the temporary one.
        return {false, QString::fromLocal8Bit(error.what()).replace(temporary.path, archivePath)};
    }
    if (!temporary.renameTo(archivePath))
        return failed(archivePath, temporary.error);
    return {true, {}};
}

} // namespace ConfigArchive
