#include "check/VoiceMessages.h"

#include "config/ConfigFields.h"
#include "config/VoiceFiles.h"
#include "voice/WaveFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

std::optional<VoiceMessageId> VoiceMessageId::parse(const QString& text) {
    const QString name = text.trimmed();
    if (name.compare(QStringLiteral("SelectOutput"), Qt::CaseInsensitive) == 0)
        return VoiceMessageId{SelectOutput, 0};
    if (name.compare(QStringLiteral("SelectOnOff"), Qt::CaseInsensitive) == 0)
        return VoiceMessageId{SelectOnOff, 0};
    static const QRegularExpression input(QStringLiteral("^([HhLl])(\\d{1,2})$"));
    const QRegularExpressionMatch match = input.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const int n = match.captured(2).toInt();
    if (n < 1 || n > VoiceFiles::InputCount)
        return std::nullopt;
    return VoiceMessageId{match.captured(1).toUpper() == "H" ? High : Low, n};
}

QString VoiceMessageId::name() const {
    switch (kind) {
    case High:
        return QStringLiteral("H%1").arg(input, 2, 10, QLatin1Char('0'));
    case Low:
        return QStringLiteral("L%1").arg(input, 2, 10, QLatin1Char('0'));
    case SelectOutput:
        return QStringLiteral("SelectOutput");
    case SelectOnOff:
        break;
    }
    return QStringLiteral("SelectOnOff");
}

QString VoiceMessageId::configName(const QString& title) const {
    switch (kind) {
    case High:
        return VoiceFiles::configHighName(title, input);
    case Low:
        return VoiceFiles::configLowName(title, input);
    case SelectOutput:
        return VoiceFiles::configSelectOutputName(title);
    case SelectOnOff:
        break;
    }
    return VoiceFiles::configSelectOnOffName(title);
}

QByteArray VoiceMessageId::text(const RegisterStore& store) const {
    if (kind != High && kind != Low)
        return {};
    const InputEntry entry = ConfigMapping::readCopy(store).inputs[size_t(input - 1)];
    return kind == High ? entry.highText : entry.lowText;
}

namespace {

// The id of the recording the upload lists as `unitName`.
VoiceMessageId idOfUnitName(const QString& unitName) {
    if (unitName.compare(VoiceFiles::unitSelectOutputName(), Qt::CaseInsensitive) == 0)
        return {VoiceMessageId::SelectOutput, 0};
    if (unitName.compare(VoiceFiles::unitSelectOnOffName(), Qt::CaseInsensitive) == 0)
        return {VoiceMessageId::SelectOnOff, 0};
    return VoiceMessageId::parse(unitName.section('.', 0, 0)).value_or(VoiceMessageId{});
}

// This file's texts, in the program's language.
struct VoiceMessagesText {
    Q_DECLARE_TR_FUNCTIONS(VoiceMessagesText)
};

// "8-bit mono PCM, 8000 Hz".
QString describe(const WaveFile::PcmFormat& format) {
    QString type;
    switch (format.sampleType) {
    case WaveFile::SampleType::UInt8:
        type = VoiceMessagesText::tr("8-bit");
        break;
    case WaveFile::SampleType::Int16:
        type = VoiceMessagesText::tr("16-bit");
        break;
    case WaveFile::SampleType::Int32:
        type = VoiceMessagesText::tr("32-bit");
        break;
    case WaveFile::SampleType::Float:
        type = VoiceMessagesText::tr("32-bit float");
        break;
    }
    const QString channels = format.channels == 1 ? VoiceMessagesText::tr("mono")
                             : format.channels == 2
                                 ? VoiceMessagesText::tr("stereo")
                                 : VoiceMessagesText::tr("%n-channel", "", format.channels);
    return VoiceMessagesText::tr("%1 %2 PCM, %3 Hz").arg(type, channels).arg(format.sampleRate);
}

void examine(VoiceMessageEntry& entry) {
    const WaveFile::RecordingCheck check = WaveFile::checkRecording(entry.path);
    entry.problem = check.why;
    // What the unit's memory counts, as the check counts it; for a file the
    // unit cannot take, what it holds, since a RIFF size read from anything
    // else means nothing.
    if (check.ok())
        entry.bytes = qMax<qint64>(0, WaveFile::WaveDataSize(entry.path));
    WaveFile::WaveContents contents;
    QString error;
    if (check.status != WaveFile::RecordingCheck::NotRegularFile &&
        check.status != WaveFile::RecordingCheck::TooBig &&
        WaveFile::readWave(entry.path, &contents, &error)) {
        entry.format = describe(contents.format);
        entry.seconds = double(contents.data.size()) / contents.format.bytesPerFrame() /
                        contents.format.sampleRate;
        if (!check.ok())
            entry.bytes = contents.data.size();
    }
}

} // namespace

VoiceMessageList listVoiceMessages(const RegisterStore& store, const QString& configPath) {
    const QFileInfo info(configPath);
    const QString folder = info.absolutePath();
    const QString title = info.completeBaseName();
    // The flags as a load of the file sets them for Transfer to unit.
    const CurrentConfig current{info.absoluteFilePath(), title,
                                store.text(configField(FieldId::VoiceOnHigh).reg()),
                                store.text(configField(FieldId::VoiceOnLow).reg())};

    VoiceMessageList list;
    for (const VoiceFiles::Recording& recording :
         VoiceFiles::recordingsInSendingOrder(folder, current)) {
        VoiceMessageEntry entry;
        entry.id = idOfUnitName(recording.unitName);
        entry.switchedOn = recording.switchedOn;
        entry.present = !recording.own.isEmpty();
        entry.path = recording.own;
        entry.file =
            entry.present ? QFileInfo(recording.own).fileName() : entry.id.configName(title);
        entry.sent = entry.switchedOn && entry.present;
        if (entry.present)
            examine(entry);
        if (entry.sent)
            list.totalBytes += entry.bytes;
        list.messages.append(entry);
    }

    const CheckResult check = checkConfig(store, CheckOptions{{}, folder, title});
    for (const CheckFinding& finding : check.findings)
        if (finding.code.startsWith(QStringLiteral("voice-")))
            list.findings.append(finding);
    return list;
}
