#include "mail/ConfigArchive.h"

#include "config/VoiceFiles.h"
#include "zip/BigFile.h"
#include "zip/ZipArchive.h"

#include <QFile>
#include <QFileInfo>

namespace ConfigArchive {

namespace {

std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Like CZipArchive::AddFile, but stored under `storedName` rather than the
// path, since the file on disk may be spelt in another case.
void addFileAs(CZipArchive& zip, const QString& path, const QString& storedName) {
    CFileHeader header;
    header.m_name = storedName.toStdString();
    const std::string source = nativePath(path);
    if (!zip.BeginEntry(header, -1, source)) {
        zip.DiscardEntry(); // begun but its source vanished: leave no trace
        return;
    }
    CBigFile file;
    try {
        file.Open(source, CBigFile::Mode::ReadShareDenyWrite);
    } catch (const CFileException&) {
        zip.DiscardEntry();
        return;
    }
    std::vector<unsigned char> buffer(CZipArchive::kDefaultBufferSize);
    try {
        for (;;) {
            const std::size_t count = file.Read(buffer.data(), buffer.size());
            if (count > 0)
                zip.WriteEntryData(buffer.data(), static_cast<std::uint32_t>(count));
            if (count < buffer.size())
                break;
        }
    } catch (const CFileException&) {
        zip.DiscardEntry();
        throw;
    }
    file.Close();
    zip.EndEntry();
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
    QStringList names{title + QStringLiteral("_SelectOutput.WAV"),
                      title + QStringLiteral("_SelectOnOff.WAV")};
    for (int input = 1; input <= VoiceFiles::InputCount; ++input)
        names << VoiceFiles::configHighName(title, input)
              << VoiceFiles::configLowName(title, input);
    return names;
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
            const QString path = VoiceFiles::resolveNoCase(folder, name);
            if (QFileInfo(path).isFile())
                addFileAs(zip, path, name);
        }
        zip.Close();
    } catch (const std::exception& error) {
        zip.Close(true);
        return {false, QString::fromLocal8Bit(error.what())};
    }
    return {true, {}};
}

} // namespace ConfigArchive
