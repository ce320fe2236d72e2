#include "check/ConfigCheck.h"

#include "config/AnsiCodec.h"
#include "config/ConfigFields.h"
#include "config/ConfigSession.h"
#include "config/VoiceFiles.h"
#include "seams/UserInteraction.h"
#include "voice/WaveFile.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSet>

#include <phonenumbers/phonenumberutil.h>

#include <set>
#include <string>

namespace {

// The findings are read by people: the editor's notes and the check's report.
struct CheckText {
    Q_DECLARE_TR_FUNCTIONS(CheckText)
};

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

// Characters the unit dials: digits, '*' and '#', and '+' in front.
bool dialable(const QString& number) {
    for (int i = 0; i < number.size(); ++i) {
        const QChar c = number[i];
        if (c.isDigit() && c.unicode() < 128)
            continue;
        if (c == '*' || c == '#' || (c == '+' && i == 0))
            continue;
        return false;
    }
    return true;
}

CheckFinding finding(CheckFinding::Severity severity, const char* code, int reg,
                     const QString& field, const QString& number, const QString& message) {
    return CheckFinding{severity, QString::fromLatin1(code), reg, field, number, message};
}

// The voice-file questions, kept in one place so that a fuller check of a
// recording can take their place.
QString recordingProblem(const QString& path) {
    return WaveFile::unitWaveProblem(path);
}
qint64 recordingBytes(const QString& path) {
    return qMax<qint64>(0, WaveFile::WaveDataSize(path));
}

void checkVoice(const RegisterStore& store, const CheckOptions& options, CheckResult& result) {
    using namespace VoiceFiles;
    struct Message {
        QString name;
        int reg;
        QString field;
        QString place;
    };
    QList<Message> messages;
    for (const FieldId id : {FieldId::VoiceOnHigh, FieldId::VoiceOnLow}) {
        const ConfigField& field = configField(id);
        for (int entry = 0; entry < field.entryCount(); ++entry) {
            if (store.character(field.reg(entry), entry + 1) != '1')
                continue;
            const QString name = id == FieldId::VoiceOnHigh
                                     ? configHighName(options.configTitle, entry + 1)
                                     : configLowName(options.configTitle, entry + 1);
            messages.append({name, field.reg(entry), field.path(entry), field.name(entry)});
        }
    }
    if (messages.isEmpty())
        return;
    // With any message switched on the two prompts go too, and without them
    // nothing is sent.
    messages.append(
        {configSelectOutputName(options.configTitle), 0, {}, CheckText::tr("output prompt")});
    messages.append(
        {configSelectOnOffName(options.configTitle), 0, {}, CheckText::tr("on/off prompt")});
    qint64 total = 0;
    for (const Message& message : messages) {
        const QString path = findFileNoCase(options.configFolder, message.name);
        if (path.isEmpty()) {
            result.findings.append(
                finding(CheckFinding::Error, "voice-missing", message.reg, message.field, {},
                        CheckText::tr("%1: switched on, but there is no recording %2 in %3")
                            .arg(message.place, message.name, options.configFolder)));
            continue;
        }
        if (const QString problem = recordingProblem(path); !problem.isEmpty()) {
            result.findings.append(finding(CheckFinding::Error, "voice-format", message.reg,
                                           message.field, {},
                                           CheckText::tr("%1: %2 cannot go to the unit: %3")
                                               .arg(message.place, path, problem)));
            continue;
        }
        total += recordingBytes(path);
    }
    if (total > WaveFile::UnitMemoryCapacity)
        result.findings.append(
            finding(CheckFinding::Error, "voice-memory", 0, {}, {},
                    CheckText::tr("voice messages: %L1 bytes to send, more than the unit's %L2")
                        .arg(total)
                        .arg(WaveFile::UnitMemoryCapacity)));
}

void checkText(const QByteArray& bytes, int reg, const QString& field, const QString& place,
               CheckResult& result) {
    if (bytes.isEmpty())
        return;
    const SmsCount count = countSms(bytes);
    result.texts.append({reg, field, count});
    if (count.ucs2)
        result.findings.append(finding(
            CheckFinding::Warning, "sms-ucs2", reg, field, {},
            CheckText::tr("%1: \"%2\" is not in the GSM alphabet, so the text goes as UCS-2 "
                          "(70 characters an SMS instead of 160)")
                .arg(place, count.firstNonGsm)));
    if (count.segments > 1)
        result.findings.append(
            finding(CheckFinding::Warning, "sms-multipart", reg, field, {},
                    CheckText::tr("%1: %2 %3 characters need %n SMS", nullptr, count.segments)
                        .arg(place, QString::number(count.characters), count.encodingName())));
}

} // namespace

bool CheckResult::hasError() const {
    for (const CheckFinding& f : findings) {
        if (f.severity == CheckFinding::Error)
            return true;
    }
    return false;
}

QString localeRegion() {
    const QLocale::Territory territory = QLocale::system().territory();
    if (territory == QLocale::AnyTerritory)
        return {};
    const QString code = QLocale::territoryToCode(territory);
    return isKnownRegion(code) ? code.toUpper() : QString();
}

bool isKnownRegion(const QString& region) {
    std::set<std::string> regions;
    PhoneNumberUtil::GetInstance()->GetSupportedRegions(&regions);
    return regions.count(region.toUpper().toStdString()) > 0;
}

QList<CheckFinding> checkPhoneList(const QByteArray& list, const QString& region, int reg,
                                   const QString& field, const QString& place) {
    const PhoneNumberUtil* util = PhoneNumberUtil::GetInstance();
    const std::string regionCode = region.isEmpty() ? "ZZ" : region.toUpper().toStdString();
    QList<CheckFinding> findings;
    QSet<QString> seen;
    const QString head = place.isEmpty() ? QString() : place + QStringLiteral(": ");
    for (const QString& item : ansiToText(list).split(',')) {
        const QString number = item.trimmed();
        if (number.isEmpty())
            continue;
        if (!dialable(number))
            findings.append(finding(
                CheckFinding::Warning, "phone-format", reg, field, number,
                head + CheckText::tr("%1 holds characters the unit does not dial; write only "
                                     "digits, with + in front")
                           .arg(number)));
        const bool international = number.startsWith('+') || number.startsWith(QLatin1String("00"));
        PhoneNumber parsed;
        // The unit's 00 is the international prefix wherever it is used; read
        // it as + so that it is understood without a region, or in one whose
        // own prefix differs.
        const QString dialled =
            number.startsWith(QLatin1String("00")) ? QLatin1Char('+') + number.mid(2) : number;
        const bool parses = util->Parse(dialled.toStdString(), regionCode, &parsed) ==
                            PhoneNumberUtil::NO_PARSING_ERROR;
        if (!international && regionCode == "ZZ") {
            findings.append(finding(
                CheckFinding::Warning, "phone-not-international", reg, field, number,
                head + CheckText::tr("%1 is not in international form (no country is known to "
                                     "check it against: write it with + and the country code)")
                           .arg(number)));
        } else if (!parses || !util->IsValidNumber(parsed)) {
            findings.append(
                finding(CheckFinding::Error, "phone-invalid", reg, field, number,
                        head + (regionCode == "ZZ"
                                    ? CheckText::tr("%1 is not a valid phone number").arg(number)
                                    : CheckText::tr("%1 is not a valid phone number (region %2)")
                                          .arg(number, QString::fromStdString(regionCode)))));
        } else if (!international) {
            std::string e164;
            util->Format(parsed, PhoneNumberUtil::E164, &e164);
            findings.append(finding(CheckFinding::Warning, "phone-not-international", reg, field,
                                    number,
                                    head + CheckText::tr("%1 is not in international form (%2)")
                                               .arg(number, QString::fromStdString(e164))));
        }
        QString key = number;
        if (parses) {
            std::string e164;
            util->Format(parsed, PhoneNumberUtil::E164, &e164);
            key = QString::fromStdString(e164);
        }
        if (seen.contains(key))
            findings.append(
                finding(CheckFinding::Warning, "phone-duplicate", reg, field, number,
                        head + CheckText::tr("%1 is in the list twice (%2)").arg(number, key)));
        seen.insert(key);
    }
    return findings;
}

CheckResult checkConfig(const RegisterStore& store, const CheckOptions& options) {
    ConfigValues values = ConfigMapping::readCopy(store);
    const QList<FieldPlace> places = fieldPlaces();
    CheckResult result;
    // The phone lists first (the inputs', then the allowed callers), then the texts.
    for (const FieldPlace& place : places) {
        if (place.field->kind == FieldKind::PhoneList)
            result.findings +=
                checkPhoneList(place.field->text(values, place.entry), options.region, place.reg(),
                               place.path(), place.name());
    }
    for (const FieldPlace& place : places) {
        if (place.field->kind == FieldKind::SmsText || place.field->kind == FieldKind::CommandText)
            checkText(place.field->text(values, place.entry), place.reg(), place.path(),
                      place.name(), result);
    }
    if (!options.configFolder.isEmpty())
        checkVoice(store, options, result);
    return result;
}

bool confirmCheckedWrite(UserInteraction& ui, const ConfigSession& session) {
    const CheckResult result =
        checkConfig(session.store(), CheckOptions{localeRegion(), session.configFolder(),
                                                  session.current().g_configTitle});
    QStringList errors;
    for (const CheckFinding& f : result.findings) {
        if (f.severity == CheckFinding::Error)
            errors << f.message;
    }
    if (errors.isEmpty())
        return true;
    return ui.askYesNo(CheckText::tr("The check found errors in this configuration:\n\n%1\n\n"
                                     "Write it into the unit anyway?")
                           .arg(errors.join('\n')));
}
