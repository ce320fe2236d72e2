#include "cli/JsonCommands.h"

#include "cli/CliExit.h"
#include "cli/FileCommands.h"
#include "config/ConfigFile.h"
#include "config/ConfigJson.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {
// This file's texts, in the program's language.
struct JsonCommandText {
    Q_DECLARE_TR_FUNCTIONS(JsonCommandText)
};
} // namespace

int showJson(CliConsole& console, const QString& path) {
    RegisterStore store;
    if (!readConfigFile(console, path, store))
        return ExitFile;
    return writeStandardOutput(console, configToJson(store)) ? ExitOk : ExitFile;
}

int importConfig(CliConsole& console, const QString& jsonPath, const QString& outPath, bool force,
                 bool strict) {
    // A FIFO or a device would block or never end; a JSON configuration is
    // some tens of kilobytes.
    constexpr qint64 kMaxJsonBytes = 1024 * 1024;
    if (const QFileInfo info(jsonPath); info.exists() && !info.isFile()) {
        console.fail(JsonCommandText::tr("%1: not a regular file").arg(jsonPath));
        return ExitFile;
    }
    QFile in(jsonPath);
    if (!in.open(QIODevice::ReadOnly)) {
        console.fail(JsonCommandText::tr("cannot read %1: %2").arg(jsonPath, in.errorString()));
        return ExitFile;
    }
    const QByteArray json = in.read(kMaxJsonBytes + 1);
    if (json.size() > kMaxJsonBytes) {
        console.fail(
            JsonCommandText::tr("%1: larger than 1 MiB, not a configuration").arg(jsonPath));
        return ExitFile;
    }
    if (in.error() != QFile::NoError) {
        console.fail(JsonCommandText::tr("cannot read %1: %2").arg(jsonPath, in.errorString()));
        return ExitFile;
    }
    const ConfigFromJson config = configFromJson(json);
    if (!config.store) {
        console.fail(QStringLiteral("%1: %2").arg(jsonPath, config.error));
        return ExitFile;
    }
    for (const QString& warning : config.warnings) {
        if (strict)
            console.fail(QStringLiteral("%1: %2").arg(jsonPath, warning));
        else
            console.err(
                JsonCommandText::tr("quillary-cli: warning: %1: %2").arg(jsonPath, warning));
    }
    if (strict && !config.warnings.isEmpty())
        return ExitFile;
    if (!mayReplace(console, outPath, force))
        return ExitFile;
    const ConfigFileResult saved = saveConfigFile(outPath, *config.store);
    if (!saved) {
        console.fail(saved.error);
        return ExitFile;
    }
    return ExitOk;
}

int diffConfigs(CliConsole& console, const QString& pathA, const QString& pathB) {
    RegisterStore a, b;
    if (!readConfigFile(console, pathA, a) || !readConfigFile(console, pathB, b))
        return ExitFile;
    const QStringList differences = configDifferences(a, b);
    for (const QString& line : differences)
        console.out(line);
    // As diff(1) does: 1 when the files differ.
    return differences.isEmpty() ? ExitOk : ExitUnit;
}
