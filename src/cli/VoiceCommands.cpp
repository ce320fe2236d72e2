#include "cli/VoiceCommands.h"

#include "cli/CliExit.h"
#include "cli/FileCommands.h"
#include "config/AnsiCodec.h"
#include "config/Profile.h"
#include "config/RegisterStore.h"
#include "config/VoiceFiles.h"
#include "voice/VoiceMessages.h"
#include "voice/VoiceSource.h"
#include "voice/WaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct Target {
    VoiceMessageId id;
    QString path;
};

// The message's recording beside the configuration, found as every other
// part of the program finds it (any case of its name).
std::optional<Target> targetFor(CliConsole& console, const VoiceCommandOptions& options) {
    const std::optional<VoiceMessageId> id = VoiceMessageId::parse(options.message);
    if (!id) {
        console.fail(QStringLiteral("MESSAGE is H01 to H16, L01 to L16, SelectOutput or "
                                    "SelectOnOff, not \"%1\"")
                         .arg(options.message));
        return std::nullopt;
    }
    const QFileInfo config(options.configPath);
    return Target{*id, VoiceFiles::resolveNoCase(config.absolutePath(),
                                                 id->configName(config.completeBaseName()))};
}

int report(CliConsole& console, const VoiceMakeResult& result, const QString& target,
           int failureStatus) {
    if (!result.ok) {
        console.fail(result.message);
        return failureStatus;
    }
    console.out(QStringLiteral("%1: %2 seconds, %L3 bytes at %L4 samples a second")
                    .arg(QDir::toNativeSeparators(target))
                    .arg(double(result.dataBytes) / result.sampleRate, 0, 'f', 2)
                    .arg(result.dataBytes)
                    .arg(result.sampleRate));
    return ExitOk;
}

QJsonValue orNull(const QString& text) {
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

QByteArray listJson(const VoiceMessageList& list) {
    QJsonArray messages;
    for (const VoiceMessageEntry& e : list.messages)
        messages.append(QJsonObject{{"message", e.id.name()},
                                    {"file", e.file},
                                    {"switchedOn", e.switchedOn},
                                    {"present", e.present},
                                    {"sent", e.sent},
                                    {"format", orNull(e.format)},
                                    {"problem", orNull(e.problem)},
                                    {"seconds", e.seconds},
                                    {"bytes", e.bytes}});
    QJsonArray findings;
    for (const CheckFinding& f : list.findings)
        findings.append(
            QJsonObject{{"severity", f.severityName()}, {"code", f.code}, {"message", f.message}});
    return QJsonDocument(QJsonObject{{"messages", messages},
                                     {"totalBytes", list.totalBytes},
                                     {"capacityBytes", WaveFile::UnitMemoryCapacity},
                                     {"findings", findings}})
        .toJson(QJsonDocument::Indented);
}

QByteArray listText(const VoiceMessageList& list) {
    QStringList lines;
    lines << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                 .arg(QStringLiteral("Message"), -12)
                 .arg(QStringLiteral("File"), -28)
                 .arg(QStringLiteral("On"), -3)
                 .arg(QStringLiteral("State"), -7)
                 .arg(QStringLiteral("Format"), -24)
                 .arg(QStringLiteral("Seconds"), 7)
                 .arg(QStringLiteral("Bytes"), 9);
    for (const VoiceMessageEntry& e : list.messages) {
        QString line =
            QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                .arg(e.id.name(), -12)
                .arg(e.file, -28)
                .arg(e.switchedOn ? QStringLiteral("yes") : QStringLiteral("no"), -3)
                .arg(e.present ? QStringLiteral("present") : QStringLiteral("missing"), -7)
                .arg(e.present ? (e.format.isEmpty() ? QStringLiteral("?") : e.format) : QString(),
                     -24)
                .arg(e.present ? QString::number(e.seconds, 'f', 2) : QString(), 7)
                .arg(e.present ? QStringLiteral("%L1").arg(e.bytes) : QString(), 9);
        if (!e.problem.isEmpty())
            line += QStringLiteral("  (%1)").arg(e.problem);
        lines << line.trimmed();
    }
    lines << QStringLiteral("Transfer to unit would send %L1 of the unit's %L2 bytes (%3%).")
                 .arg(list.totalBytes)
                 .arg(WaveFile::UnitMemoryCapacity)
                 .arg(100.0 * double(list.totalBytes) / WaveFile::UnitMemoryCapacity, 0, 'f', 1);
    for (const CheckFinding& f : list.findings)
        lines << QStringLiteral("%1 [%2 %3]").arg(f.message, f.severityName(), f.code);
    return lines.join('\n').toLocal8Bit() + '\n';
}

QString speechLanguage(const VoiceCommandOptions& options) {
    if (!options.language.isEmpty())
        return options.language;
    const QString stored = Profile(options.profilePath).speechLanguage();
    return stored.isEmpty() ? defaultSpeechLanguage() : stored;
}

} // namespace

int voiceImport(CliConsole& console, const VoiceCommandOptions& options) {
    RegisterStore store;
    if (!readConfigFile(console, options.configPath, store))
        return ExitFile;
    const std::optional<Target> target = targetFor(console, options);
    if (!target)
        return ExitUsage;
    return report(console, importSoundFile(options.audioPath, target->path, options.lowQuality),
                  target->path, ExitFile);
}

int voiceSpeak(CliConsole& console, const VoiceCommandOptions& options) {
    RegisterStore store;
    if (!readConfigFile(console, options.configPath, store))
        return ExitFile;
    const std::optional<Target> target = targetFor(console, options);
    if (!target)
        return ExitUsage;
    const QString text = options.text ? *options.text : ansiToText(target->id.text(store));
    if (text.trimmed().isEmpty()) {
        console.fail(
            options.text ? QStringLiteral("There is nothing to speak: the text given with --text "
                                          "is empty")
            : target->id.kind == VoiceMessageId::High || target->id.kind == VoiceMessageId::Low
                ? QStringLiteral("There is nothing to speak: %1 has no text in %2; give one "
                                 "with --text")
                      .arg(target->id.name(), options.configPath)
                : QStringLiteral("There is nothing to speak: the prompt %1 has no text in the "
                                 "configuration; give one with --text")
                      .arg(target->id.name()));
        return ExitUsage;
    }
    const VoiceMakeResult result =
        speakToFile(text, speechLanguage(options), target->path, options.lowQuality);
    const bool usage = result.problem == VoiceMakeResult::NothingToSpeak ||
                       result.problem == VoiceMakeResult::UnknownLanguage;
    return report(console, result, target->path, usage ? ExitUsage : ExitFile);
}

int voiceList(CliConsole& console, const VoiceCommandOptions& options) {
    RegisterStore store;
    if (!readConfigFile(console, options.configPath, store))
        return ExitFile;
    const VoiceMessageList list = listVoiceMessages(store, options.configPath);
    return writeStandardOutput(console, options.json ? listJson(list) : listText(list)) ? ExitOk
                                                                                        : ExitFile;
}
