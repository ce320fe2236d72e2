#include "cli/VoiceCommands.h"

#include "check/VoiceMessages.h"
#include "cli/CliExit.h"
#include "cli/FileCommands.h"
#include "config/AnsiCodec.h"
#include "config/Profile.h"
#include "config/RegisterStore.h"
#include "config/VoiceFiles.h"
#include "voice/VoiceSource.h"
#include "voice/WaveFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdlib>

namespace {
// This file's texts, in the program's language.
struct VoiceCommandText {
    Q_DECLARE_TR_FUNCTIONS(VoiceCommandText)
};
} // namespace

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
        console.fail(VoiceCommandText::tr("MESSAGE is H01 to H16, L01 to L16, SelectOutput or "
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
    console.out(VoiceCommandText::tr("%1: %2 seconds, %L3 bytes at %L4 samples a second")
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
    const QString yes = VoiceCommandText::tr("yes");
    const QString no = VoiceCommandText::tr("no");
    const QString present = VoiceCommandText::tr("present");
    const QString missing = VoiceCommandText::tr("missing");
    // The English widths; a longer translated word widens its column.
    const QStringList headings = {VoiceCommandText::tr("Message"), VoiceCommandText::tr("File"),
                                  VoiceCommandText::tr("On"),      VoiceCommandText::tr("State"),
                                  VoiceCommandText::tr("Format"),  VoiceCommandText::tr("Seconds"),
                                  VoiceCommandText::tr("Bytes")};
    int widths[] = {-12, -28, -3, -7, -24, 7, 9};
    const QStringList words[] = {{}, {}, {yes, no}, {present, missing}, {}, {}, {}};
    for (int column = 0; column < 7; ++column) {
        int width = std::abs(widths[column]);
        for (const QString& word : words[column] + QStringList{headings[column]})
            width = std::max(width, int(word.size()));
        widths[column] = widths[column] < 0 ? -width : width;
    }
    const auto row = [&widths](const QStringList& cells) {
        QString line;
        for (int column = 0; column < 7; ++column)
            line += QStringLiteral("%1 ").arg(cells[column], widths[column]);
        return line.trimmed();
    };
    QStringList lines;
    lines << row(headings);
    for (const VoiceMessageEntry& e : list.messages) {
        QString line =
            row({e.id.name(), e.file, e.switchedOn ? yes : no, e.present ? present : missing,
                 e.present ? (e.format.isEmpty() ? QStringLiteral("?") : e.format) : QString(),
                 e.present ? QString::number(e.seconds, 'f', 2) : QString(),
                 e.present ? QStringLiteral("%L1").arg(e.bytes) : QString()});
        if (!e.problem.isEmpty())
            line += QStringLiteral("  (%1)").arg(e.problem);
        lines << line;
    }
    lines << VoiceCommandText::tr("Transfer to unit would send %L1 of the unit's %L2 bytes (%3%).")
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

// The configuration read into `store` and the message's recording named;
// nothing and *failure set to the exit status when either cannot be had.
std::optional<Target> openTarget(CliConsole& console, const VoiceCommandOptions& options,
                                 RegisterStore& store, int* failure) {
    if (!readConfigFile(console, options.configPath, store)) {
        *failure = ExitFile;
        return std::nullopt;
    }
    std::optional<Target> target = targetFor(console, options);
    if (!target)
        *failure = ExitUsage;
    return target;
}

} // namespace

int voiceImport(CliConsole& console, const VoiceCommandOptions& options) {
    RegisterStore store;
    int failure = ExitOk;
    const std::optional<Target> target = openTarget(console, options, store, &failure);
    if (!target)
        return failure;
    // A long file takes seconds; on a terminal a bar shows how far it is.
    VoiceProgress progress;
    if (console.isTerminal()) {
        console.setStep(VoiceCommandText::tr("reading %1").arg(options.audioPath));
        progress = [&console](int percent) {
            console.setProgress(percent);
            return true;
        };
    }
    const VoiceMakeResult result =
        importSoundFile(options.audioPath, target->path, options.lowQuality, progress);
    console.endProgress();
    return report(console, result, target->path, ExitFile);
}

int voiceSpeak(CliConsole& console, const VoiceCommandOptions& options) {
    RegisterStore store;
    int failure = ExitOk;
    const std::optional<Target> target = openTarget(console, options, store, &failure);
    if (!target)
        return failure;
    const QString text = options.text ? *options.text : ansiToText(target->id.text(store));
    if (text.trimmed().isEmpty()) {
        console.fail(
            options.text
                ? VoiceCommandText::tr("There is nothing to speak: the text given with --text "
                                       "is empty")
            : target->id.kind == VoiceMessageId::High || target->id.kind == VoiceMessageId::Low
                ? VoiceCommandText::tr("There is nothing to speak: %1 has no text in %2; give one "
                                       "with --text")
                      .arg(target->id.name(), options.configPath)
                : VoiceCommandText::tr(
                      "There is nothing to speak: the prompt %1 has no text in the "
                      "configuration; give one with --text")
                      .arg(target->id.name()));
        return ExitUsage;
    }
    // This program plays nothing: speech never needs the sound server.
    keepSpeechOffTheSoundServer();
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
