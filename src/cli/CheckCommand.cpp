#include "cli/CheckCommand.h"

#include "check/ConfigCheck.h"
#include "cli/CliExit.h"
#include "cli/FileCommands.h"
#include "config/RegisterStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
// This file's texts, in the program's language.
struct CheckCommandText {
    Q_DECLARE_TR_FUNCTIONS(CheckCommandText)
};
} // namespace

namespace {

CheckOptions optionsFor(const QString& path, const QString& region) {
    const QFileInfo info(path);
    return CheckOptions{region.isEmpty() ? localeRegion() : region.toUpper(), info.absolutePath(),
                        info.completeBaseName()};
}

QString line(const CheckFinding& f) {
    return QStringLiteral("%1 [%2 %3]").arg(f.message, f.severityName(), f.code);
}

QByteArray toJson(const CheckResult& result) {
    QJsonArray findings;
    for (const CheckFinding& f : result.findings)
        findings.append(QJsonObject{
            {"severity", f.severityName()},
            {"code", f.code},
            {"register", f.reg == 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(f.reg)},
            {"field", f.field.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(f.field)},
            {"number", f.number.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(f.number)},
            {"message", f.message}});
    QJsonArray texts;
    for (const CheckedText& t : result.texts)
        texts.append(QJsonObject{{"register", t.reg},
                                 {"field", t.field},
                                 {"encoding", t.count.encodingName()},
                                 {"characters", t.count.characters},
                                 {"segments", t.count.segments}});
    return QJsonDocument(QJsonObject{{"findings", findings}, {"texts", texts}})
        .toJson(QJsonDocument::Indented);
}

bool regionUsable(CliConsole& console, const QString& region) {
    if (region.isEmpty() || isKnownRegion(region))
        return true;
    console.fail(
        CheckCommandText::tr("--region takes a two-letter country code such as CZ, not \"%1\"")
            .arg(region));
    return false;
}

} // namespace

int checkCommand(CliConsole& console, const CheckCommandOptions& options) {
    if (!regionUsable(console, options.region))
        return ExitUsage;
    RegisterStore store;
    if (!readConfigFile(console, options.path, store))
        return ExitFile;
    const CheckResult result = checkConfig(store, optionsFor(options.path, options.region));
    QByteArray output;
    if (options.json) {
        output = toJson(result);
    } else {
        for (const CheckFinding& f : result.findings)
            output += line(f).toLocal8Bit() + '\n';
    }
    if (!writeStandardOutput(console, output))
        return ExitFile;
    return result.findings.isEmpty() ? ExitOk : 1;
}

bool checkBeforeWrite(CliConsole& console, const RegisterStore& store, const QString& path,
                      const QString& region) {
    if (!regionUsable(console, region))
        return false;
    const CheckResult result = checkConfig(store, optionsFor(path, region));
    for (const CheckFinding& f : result.findings)
        console.err(line(f));
    if (!result.hasError())
        return true;
    console.fail(
        CheckCommandText::tr("%1 was not written: the check found errors (see above)").arg(path));
    return false;
}
