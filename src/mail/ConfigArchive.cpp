#include "mail/ConfigArchive.h"

#include "config/VoiceFiles.h"
#include "zip/ZipArchive.h"

#include <QFile>
#include <QFileInfo>

namespace ConfigArchive {

namespace {

std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

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
    CZipArchive zip;
    try {
        zip.Open(nativePath(archivePath), CZipArchive::zipCreate);
        // An archive without the configuration would be sent as if complete.
        if (!zip.AddFile(nativePath(configPath))) {
            zip.Close(true);
            return {false,
                    QStringLiteral("Cannot read the configuration file %1.").arg(configPath)};
        }
        for (const QString& name : voiceEntryNames(title)) {
            // Stored under the expected name: the file on disk may be spelt in
            // another case. One that cannot be read is left out.
            if (const QString path = VoiceFiles::findFileNoCase(folder, name); !path.isEmpty())
                zip.AddFileAs(nativePath(path), name.toStdString());
        }
        zip.Close();
    } catch (const std::exception& error) {
        zip.Close(true);
        return {false, QString::fromLocal8Bit(error.what())};
    }
    return {true, {}};
}

} // namespace ConfigArchive
