#include "cli/FileCommands.h"

#include "cli/CliExit.h"
#include "config/ConfigFile.h"
#include "report/ReportLines.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace {
// This file's texts, in the program's language.
struct FileCommandText {
    Q_DECLARE_TR_FUNCTIONS(FileCommandText)
};
} // namespace

bool configFileExists(CliConsole& console, const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        console.fail(FileCommandText::tr("%1: no such file").arg(path));
    else if (!info.isFile())
        console.fail(FileCommandText::tr("%1: not a configuration file").arg(path));
    else
        return true;
    return false;
}

bool readConfigFile(CliConsole& console, const QString& path, RegisterStore& store) {
    if (!configFileExists(console, path))
        return false;
    if (const ConfigFileResult result = loadConfigFile(path, store); !result) {
        console.fail(result.error);
        return false;
    }
    return true;
}

bool mayReplace(CliConsole& console, const QString& path, bool force) {
    if (force || !QFileInfo::exists(path))
        return true;
    console.fail(FileCommandText::tr("%1 exists already; --force replaces it").arg(path));
    return false;
}

bool writeStandardOutput(CliConsole& console, const QByteArray& bytes) {
    QFile out;
    if (out.open(stdout, QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush())
        return true;
    console.fail(FileCommandText::tr("cannot write to standard output: %1").arg(out.errorString()));
    return false;
}

int showListing(CliConsole& console, const QString& path) {
    RegisterStore store;
    if (!readConfigFile(console, path, store))
        return ExitFile;
    const QStringList lines =
        reportLines(store, QFileInfo(path).absoluteFilePath(), QDateTime::currentDateTime());
    return writeStandardOutput(console, lines.join('\n').toLocal8Bit() + '\n') ? ExitOk : ExitFile;
}
