#include "config/VoiceFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace VoiceFiles {

QString configName(const QString& title, const QString& unitName) {
    // Plain concatenation: a title is any file name and may hold '%'.
    return title + QLatin1Char('_') + unitName;
}

QString configHighName(const QString& title, int input) {
    return configName(title, unitHighName(input));
}
QString configLowName(const QString& title, int input) {
    return configName(title, unitLowName(input));
}
QStringList configInputNames(const QString& title) {
    QStringList names;
    for (int input = 1; input <= InputCount; ++input)
        names << configHighName(title, input) << configLowName(title, input);
    return names;
}
QString configSelectOutputName(const QString& title) {
    return configName(title, unitSelectOutputName());
}
QString configSelectOnOffName(const QString& title) {
    return configName(title, unitSelectOnOffName());
}

QString unitHighName(int input) {
    return QStringLiteral("H%1.WAV").arg(input, 2, 10, QLatin1Char('0'));
}
QString unitLowName(int input) {
    return QStringLiteral("L%1.WAV").arg(input, 2, 10, QLatin1Char('0'));
}
QString unitSelectOutputName() {
    return QStringLiteral("SelectOutput.wav");
}
QString unitSelectOnOffName() {
    return QStringLiteral("SelectOnOff.wav");
}

QString resolveNoCase(const QString& folder, const QString& name) {
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return exact;
}

QString findFileNoCase(const QString& folder, const QString& name) {
    const QString path = resolveNoCase(folder, name);
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace VoiceFiles

namespace {

QString resolvePath(const QString& path) {
    const QFileInfo info(path);
    return VoiceFiles::resolveNoCase(info.path(), info.fileName());
}

} // namespace

int CopyFileIfAbsent(const QString& destination, const QString& source) {
    const QString destinationPath = resolvePath(destination);
    // Any existing destination counts, even one that cannot be read: opening it
    // for writing would truncate it.
    if (QFileInfo::exists(destinationPath) || QFileInfo(destinationPath).isSymLink())
        return CopyDestinationExists;

    QFile out(destinationPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return CopyDestinationNotCreated;
    QFile in(resolvePath(source));
    if (!in.open(QIODevice::ReadOnly))
        return CopySourceNotOpened;
    if (in.isSequential())
        return CopySourceLengthUnknown;

    qint64 left = in.size();
    char buffer[64 * 1024];
    while (left > 0) {
        const qint64 got = in.read(buffer, std::min<qint64>(left, sizeof buffer));
        if (got <= 0 || out.write(buffer, got) != got) {
            // A short copy must not pass for a recording: take it away.
            out.close();
            out.remove();
            return CopyDestinationNotCreated;
        }
        left -= got;
    }
    if (!out.flush()) {
        out.close();
        out.remove();
        return CopyDestinationNotCreated;
    }
    return CopyDone;
}

void SeedVoiceFiles(const QString& configFolder, const QString& title,
                    const QString& templateFolder) {
    using namespace VoiceFiles;
    const QDir config(configFolder);
    const QDir templates(templateFolder);
    // Each template is copied to the configuration's own name for it.
    const auto seed = [&](const QString& unitName) {
        CopyFileIfAbsent(config.filePath(configName(title, unitName)),
                         templates.filePath(unitName));
    };
    for (int n = 1; n <= InputCount; ++n) {
        seed(unitHighName(n));
        seed(unitLowName(n));
    }
    seed(unitSelectOutputName());
    seed(unitSelectOnOffName());
}

QString templateFolder() {
    const QString executableFolder = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(VoiceFiles::resolveNoCase(executableFolder, VoiceFiles::unitHighName(1))))
        return executableFolder;
    return QDir::cleanPath(executableFolder + QStringLiteral("/../") +
                           QStringLiteral(QUILLARY_DATA_SUBDIR));
}

namespace {

bool flagOn(const QByteArray& flags, int input) {
    return input - 1 < flags.size() && flags.at(input - 1) == '1';
}

} // namespace

QList<VoiceFiles::Recording> VoiceFiles::recordingsInSendingOrder(const QString& configFolder,
                                                                  const CurrentConfig& current) {
    const QString& title = current.g_configTitle;
    // Anything under a recording's name counts as its recording, so a folder
    // or a FIFO there is refused by the check instead of passing for missing.
    auto own = [&configFolder](const QString& name) {
        const QString path = resolveNoCase(configFolder, name);
        const QFileInfo info(path);
        return info.exists() || info.isSymLink() ? path : QString();
    };
    QList<Recording> recordings;
    for (int n = 1; n <= InputCount; ++n)
        recordings.append(
            {own(configHighName(title, n)), unitHighName(n), flagOn(current.g_voiceHighFlags, n)});
    for (int n = 1; n <= InputCount; ++n)
        recordings.append(
            {own(configLowName(title, n)), unitLowName(n), flagOn(current.g_voiceLowFlags, n)});
    // The prompts go always; a missing one stops the upload.
    recordings.append({own(configSelectOutputName(title)), unitSelectOutputName(), true, true});
    recordings.append({own(configSelectOnOffName(title)), unitSelectOnOffName(), true, true});
    return recordings;
}
