#include "config/ConfigFields.h"

#include <QCoreApplication>
#include <algorithm>
#include <climits>

namespace {

// The fields' names are read by people: the check's findings, verify and diff.
struct ConfigFieldText {
    Q_DECLARE_TR_FUNCTIONS(ConfigFieldText)
};

using Values = ConfigValues;
constexpr int MaxText = RegisterStore::MaxTextLength;

// clang-format off
const QList<ConfigField> Fields = {
    {FieldId::PhoneNumbers, FieldGroup::Inputs, FieldKind::PhoneList, "phoneNumbers", 1, false,
     QT_TRANSLATE_NOOP("ConfigFieldText", "input %1 phone numbers"), FieldLimits::InputText, MaxText,
     [](Values& v, int i) -> QByteArray& { return v.inputs[size_t(i)].phoneNumbers; }, nullptr},
    {FieldId::InputHighText, FieldGroup::Inputs, FieldKind::SmsText, "highText", 17, false,
     QT_TRANSLATE_NOOP("ConfigFieldText", "input %1 high text"), FieldLimits::InputText, MaxText,
     [](Values& v, int i) -> QByteArray& { return v.inputs[size_t(i)].highText; }, nullptr},
    {FieldId::InputLowText, FieldGroup::Inputs, FieldKind::SmsText, "lowText", 33, false,
     QT_TRANSLATE_NOOP("ConfigFieldText", "input %1 low text"), FieldLimits::InputText, MaxText,
     [](Values& v, int i) -> QByteArray& { return v.inputs[size_t(i)].lowText; }, nullptr},
    {FieldId::VoiceOnHigh, FieldGroup::Inputs, FieldKind::VoiceFlags, "voiceOnHigh", 84, true,
     QT_TRANSLATE_NOOP("ConfigFieldText", "input %1 high voice message"), 1, 1,
     nullptr, [](Values& v, int i) -> bool& { return v.inputs[size_t(i)].voiceOnHigh; }},
    {FieldId::VoiceOnLow, FieldGroup::Inputs, FieldKind::VoiceFlags, "voiceOnLow", 85, true,
     QT_TRANSLATE_NOOP("ConfigFieldText", "input %1 low voice message"), 1, 1,
     nullptr, [](Values& v, int i) -> bool& { return v.inputs[size_t(i)].voiceOnLow; }},
    {FieldId::OutputType, FieldGroup::Outputs, FieldKind::OutputTypes, "type", 83, true,
     QT_TRANSLATE_NOOP("ConfigFieldText", "output %1 type"), 1, 1,
     nullptr, [](Values& v, int i) -> bool& { return v.outputs[size_t(i)].pulse; }},
    {FieldId::OutputHighText, FieldGroup::Outputs, FieldKind::SmsText, "highText", 49, false,
     QT_TRANSLATE_NOOP("ConfigFieldText", "output %1 high text"), FieldLimits::OutputText, MaxText,
     [](Values& v, int i) -> QByteArray& { return v.outputs[size_t(i)].highText; }, nullptr},
    {FieldId::OutputLowText, FieldGroup::Outputs, FieldKind::SmsText, "lowText", 65, false,
     QT_TRANSLATE_NOOP("ConfigFieldText", "output %1 low text"), FieldLimits::OutputText, MaxText,
     [](Values& v, int i) -> QByteArray& { return v.outputs[size_t(i)].lowText; }, nullptr},
    {FieldId::Callers, FieldGroup::Parameters, FieldKind::PhoneList, "callers", 81, false,
     QT_TRANSLATE_NOOP("ConfigFieldText", "allowed callers"), FieldLimits::Callers, MaxText,
     [](Values& v, int) -> QByteArray& { return v.callers; }, nullptr},
    {FieldId::ClearCommand, FieldGroup::Parameters, FieldKind::CommandText, "clearCommand", 82, false,
     QT_TRANSLATE_NOOP("ConfigFieldText", "clear command"), FieldLimits::ClearCommand, MaxText,
     [](Values& v, int) -> QByteArray& { return v.clearCommand; }, nullptr},
    {FieldId::PulseDuration, FieldGroup::Parameters, FieldKind::PulseDuration, "pulseDuration", 87, false,
     QT_TRANSLATE_NOOP("ConfigFieldText", "pulse duration"), FieldLimits::PulseMax, MaxText,
     nullptr, nullptr},
};
// clang-format on

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The leading decimal integer of the pulse register; below 1 (also no
// number at all) gives the default.
int readPulseDuration(const QByteArray& text) {
    qsizetype i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        // Saturate rather than overflow: a huge number is still a number.
        if (value <= INT_MAX)
            value = value * 10 + (text[i] - '0');
    }
    if (negative)
        value = -value;
    if (value < 1)
        return FieldLimits::DefaultPulse;
    return value > INT_MAX ? INT_MAX : int(value);
}

void removeFinalDot(RegisterStore& store, int reg) {
    const QByteArray text = store.text(reg);
    if (text.endsWith('.'))
        store.slot(reg)[text.size() - 1] = 0;
}

// The character a shared register holds for a flag that is on, and off.
char onCharacter(const ConfigField& field) {
    return field.kind == FieldKind::OutputTypes ? 'P' : '1';
}
char offCharacter(const ConfigField& field) {
    return field.kind == FieldKind::OutputTypes ? 'O' : '0';
}

} // namespace

int ConfigField::entryCount() const {
    constexpr int Counts[] = {ConfigInputCount, ConfigOutputCount, 1};
    return Counts[int(group)];
}

QString ConfigField::groupKey() const {
    static const char* const Keys[] = {"inputs", "outputs", "parameters"};
    return QLatin1String(Keys[int(group)]);
}

QString ConfigField::path(int entry) const {
    if (group == FieldGroup::Parameters)
        return groupKey() + QLatin1Char('.') + QLatin1String(key);
    return QStringLiteral("%1[%2].%3").arg(groupKey()).arg(entry).arg(QLatin1String(key));
}

QString ConfigField::name(int entry) const {
    const QString text = ConfigFieldText::tr(nameText);
    return group == FieldGroup::Parameters ? text : text.arg(entry + 1);
}

const QList<ConfigField>& configFields() {
    return Fields;
}

const ConfigField& configField(FieldId id) {
    return *std::find_if(Fields.begin(), Fields.end(),
                         [id](const ConfigField& field) { return field.id == id; });
}

QList<FieldPlace> fieldPlaces() {
    QList<FieldPlace> places;
    for (const FieldGroup group :
         {FieldGroup::Inputs, FieldGroup::Outputs, FieldGroup::Parameters}) {
        const int entries = group == FieldGroup::Parameters ? 1 : ConfigInputCount;
        for (int entry = 0; entry < entries; ++entry) {
            for (const ConfigField& field : Fields) {
                if (field.group == group)
                    places.append({&field, entry});
            }
        }
    }
    return places;
}

std::optional<int> ConfigMapping::parseInteger(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

ConfigValues ConfigMapping::read(RegisterStore& store) {
    ConfigValues values;
    for (const ConfigField& field : Fields) {
        for (int entry = 0; entry < field.entryCount(); ++entry) {
            const int reg = field.reg(entry);
            if (field.kind == FieldKind::PhoneList)
                removeFinalDot(store, reg);
            if (field.text)
                field.text(values, entry) = store.text(reg);
            // Flags are bytes of the slot, also past the end of a shorter text.
            else if (field.flag)
                field.flag(values, entry) = store.character(reg, entry + 1) == onCharacter(field);
            else
                values.pulseDuration = readPulseDuration(store.text(reg));
        }
    }
    return values;
}

ConfigValues ConfigMapping::readCopy(const RegisterStore& store) {
    RegisterStore copy = store;
    return read(copy);
}

void ConfigMapping::write(const ConfigValues& values, RegisterStore& store) {
    ConfigValues& from = const_cast<ConfigValues&>(values); // the accessors only read here
    for (const ConfigField& field : Fields) {
        if (field.kind == FieldKind::OutputTypes)
            store.setText(field.reg(), QByteArray(field.entryCount(), offCharacter(field)));
        for (int entry = 0; entry < field.entryCount(); ++entry) {
            const int reg = field.reg(entry);
            if (field.text) {
                store.setText(reg, field.text(from, entry));
                if (field.kind == FieldKind::PhoneList)
                    removeFinalDot(store, reg);
            } else if (field.flag) {
                // Only characters 1 to 16 and, for the voice flags, no
                // terminator: later characters stay.
                store.slot(reg)[entry] =
                    field.flag(from, entry) ? onCharacter(field) : offCharacter(field);
            } else {
                store.setText(reg, QByteArray::number(values.pulseDuration));
            }
        }
    }
}

bool ConfigMapping::sameValue(const ConfigValues& a, const ConfigValues& b,
                              const FieldPlace& place) {
    const ConfigField& field = *place.field;
    ConfigValues& x = const_cast<ConfigValues&>(a); // the accessors only read here
    ConfigValues& y = const_cast<ConfigValues&>(b);
    if (field.text)
        return field.text(x, place.entry) == field.text(y, place.entry);
    if (field.flag)
        return field.flag(x, place.entry) == field.flag(y, place.entry);
    return a.pulseDuration == b.pulseDuration;
}

bool ConfigMapping::sameReading(const ConfigValues& a, const ConfigValues& b, int reg) {
    for (const ConfigField& field : Fields) {
        for (int entry = 0; entry < field.entryCount(); ++entry) {
            if (field.reg(entry) == reg && !sameValue(a, b, {&field, entry}))
                return false;
        }
    }
    return true;
}

QStringList differingFieldNames(const RegisterStore& a, const RegisterStore& b) {
    const ConfigValues valuesA = ConfigMapping::readCopy(a);
    const ConfigValues valuesB = ConfigMapping::readCopy(b);
    QStringList names;
    for (const FieldPlace& place : fieldPlaces()) {
        if (!ConfigMapping::sameValue(valuesA, valuesB, place))
            names << place.name();
    }
    return names;
}
