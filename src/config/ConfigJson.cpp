#include "config/ConfigJson.h"

#include "config/AnsiCodec.h"
#include "config/ConfigFields.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

namespace {
// This file's texts, in the program's language.
struct ConfigJsonText {
    Q_DECLARE_TR_FUNCTIONS(ConfigJsonText)
};
} // namespace

namespace {

QJsonValue text(const QByteArray& bytes) {
    return ansiToText(bytes);
}

QJsonValue fieldJson(ConfigValues& values, const ConfigField& field, int entry) {
    if (field.text)
        return text(field.text(values, entry));
    if (field.kind == FieldKind::OutputTypes)
        return field.flag(values, entry) ? OutputTypePulse : OutputTypeNormal;
    if (field.flag)
        return field.flag(values, entry);
    return values.pulseDuration;
}

// The member that numbers an entry of a list: {"input": 3}.
QString entryNumberKey(const QString& list) {
    return list.chopped(1);
}

QJsonObject toJson(const ConfigValues& constValues) {
    ConfigValues values = constValues;
    QJsonObject parameters;
    QJsonArray inputs, outputs;
    for (const FieldGroup group : {FieldGroup::Inputs, FieldGroup::Outputs}) {
        QJsonArray& list = group == FieldGroup::Inputs ? inputs : outputs;
        const int count = group == FieldGroup::Inputs ? ConfigInputCount : ConfigOutputCount;
        for (int entry = 0; entry < count; ++entry) {
            QJsonObject object;
            for (const ConfigField& field : configFields()) {
                if (field.group != group)
                    continue;
                object[entryNumberKey(field.groupKey())] = entry + 1;
                object[QLatin1String(field.key)] = fieldJson(values, field, entry);
            }
            list.append(object);
        }
    }
    for (const ConfigField& field : configFields()) {
        if (field.group == FieldGroup::Parameters)
            parameters[QLatin1String(field.key)] = fieldJson(values, field, 0);
    }
    return QJsonObject{{"parameters", parameters}, {"inputs", inputs}, {"outputs", outputs}};
}

// Keeps the first refusal only; always false.
bool refuseField(QString& error, const QString& name, const QString& rule) {
    if (error.isEmpty())
        error = name + QStringLiteral(": ") + rule;
    return false;
}

// Reads one JSON object's fields, each by its path, and keeps the first refusal.
class FieldReader {
public:
    FieldReader(const QJsonObject& object, QString path, QString& error, QStringList& warnings)
        : object_(object), path_(std::move(path)), error_(error), warnings_(warnings) {}

    bool refuse(const QString& field, const QString& rule) {
        return refuseField(error_, name(field), rule);
    }

    // A value the register holds but the editor would refuse: imported, and said.
    void warn(const QString& field, const QString& rule) {
        warnings_ << name(field) + QStringLiteral(": ") + rule;
    }

    // Every field must be one of `known`: a misspelt name is not silently ignored.
    bool onlyKnown(const QStringList& known) {
        for (auto it = object_.begin(); it != object_.end(); ++it) {
            if (!known.contains(it.key()))
                return refuse(it.key(), ConfigJsonText::tr("unknown field"));
        }
        return true;
    }

    // A register text: refused beyond what a register holds, a warning
    // beyond the editor's `limit`.
    bool textField(const QString& field, int limit, QByteArray& out) {
        if (!object_.contains(field))
            return true;
        const QJsonValue value = object_.value(field);
        if (!value.isString())
            return refuse(field, ConfigJsonText::tr("must be a text"));
        const QString characters = value.toString();
        if (characters.contains(QChar(0)))
            return refuse(field, ConfigJsonText::tr("must not hold a zero character, which ends "
                                                    "a register text"));
        const QByteArray bytes = textToAnsi(characters);
        if (ansiToText(bytes) != characters)
            return refuse(field, ConfigJsonText::tr("holds characters outside code page 1252"));
        if (bytes.size() > RegisterStore::MaxTextLength)
            return refuse(field, ConfigJsonText::tr("at most %1 characters, not %2")
                                     .arg(RegisterStore::MaxTextLength)
                                     .arg(bytes.size()));
        if (bytes.size() > limit)
            warn(field, ConfigJsonText::tr("the editor takes at most %1 characters, not %2")
                            .arg(limit)
                            .arg(bytes.size()));
        out = bytes;
        return true;
    }

    bool flagField(const QString& field, bool& out) {
        if (!object_.contains(field))
            return true;
        const QJsonValue value = object_.value(field);
        if (!value.isBool())
            return refuse(field, ConfigJsonText::tr("must be true or false"));
        out = value.toBool();
        return true;
    }

    bool integerField(const QString& field, int low, int high, int& out) {
        if (!object_.contains(field))
            return true;
        const QJsonValue value = object_.value(field);
        const double number = value.toDouble();
        if (!value.isDouble())
            return refuse(field, ConfigJsonText::tr("must be a whole number"));
        // The range first: converting a number beyond any integer is undefined.
        if (number < low || number > high)
            return refuse(field, ConfigJsonText::tr("must lie from %1 to %2").arg(low).arg(high));
        if (number != std::trunc(number))
            return refuse(field, ConfigJsonText::tr("must be a whole number"));
        out = static_cast<int>(number);
        return true;
    }

    // The entry's own number, when given, must be its place in the list.
    bool numberField(const QString& field, int expected) {
        if (!object_.contains(field))
            return true;
        const QJsonValue value = object_.value(field);
        if (!value.isDouble() || value.toDouble() != expected)
            return refuse(
                field,
                ConfigJsonText::tr("must be %1, the entry's place in the list").arg(expected));
        return true;
    }

    QString name(const QString& field) const {
        return path_.isEmpty() ? field : path_ + '.' + field;
    }

private:
    const QJsonObject& object_;
    QString path_;
    QString& error_;
    QStringList& warnings_;
};

// "inputs[2] (input 3)": the JSON path and the number on the unit's terminal.
QString entryPath(const QString& list, int index) {
    if (list == QLatin1String("inputs"))
        return ConfigJsonText::tr("%1[%2] (input %3)").arg(list).arg(index).arg(index + 1);
    if (list == QLatin1String("outputs"))
        return ConfigJsonText::tr("%1[%2] (output %3)").arg(list).arg(index).arg(index + 1);
    const QString entry = list.endsWith('s') ? list.chopped(1) : list;
    return QStringLiteral("%1[%2] (%3 %4)").arg(list).arg(index).arg(entry).arg(index + 1);
}

// Reads the fields of one entry of `group` (the parameters: entry 0), each in
// the table's order, so the first refusal is the first field that is wrong.
bool readFields(FieldReader& fields, FieldGroup group, int entry, ConfigValues& values) {
    QStringList known;
    QString numberKey;
    for (const ConfigField& field : configFields()) {
        if (field.group != group)
            continue;
        if (group != FieldGroup::Parameters && numberKey.isEmpty())
            known << (numberKey = entryNumberKey(field.groupKey()));
        known << QLatin1String(field.key);
    }
    if (!fields.onlyKnown(known) ||
        (!numberKey.isEmpty() && !fields.numberField(numberKey, entry + 1)))
        return false;
    const ConfigField* typeField = nullptr;
    QByteArray type = OutputTypeNormal.toLatin1();
    for (const ConfigField& field : configFields()) {
        if (field.group != group)
            continue;
        const QString key = QLatin1String(field.key);
        switch (field.kind) {
        case FieldKind::PhoneList:
        case FieldKind::SmsText:
        case FieldKind::CommandText:
            if (!fields.textField(key, field.editorLimit, field.text(values, entry)))
                return false;
            break;
        case FieldKind::VoiceFlags:
            if (!fields.flagField(key, field.flag(values, entry)))
                return false;
            break;
        case FieldKind::OutputTypes:
            typeField = &field;
            if (!fields.textField(key, int(OutputTypeNormal.size()), type))
                return false;
            break;
        case FieldKind::PulseDuration:
            // Below 1 a register's pulse reads as the default; beyond INT_MAX as INT_MAX.
            if (!fields.integerField(key, 1, INT_MAX, values.pulseDuration))
                return false;
            if (values.pulseDuration < FieldLimits::PulseMin ||
                values.pulseDuration > FieldLimits::PulseMax)
                fields.warn(key, ConfigJsonText::tr("the editor takes %1 to %2, not %3")
                                     .arg(FieldLimits::PulseMin)
                                     .arg(FieldLimits::PulseMax)
                                     .arg(values.pulseDuration));
            break;
        }
    }
    if (typeField) {
        const QString typeName = ansiToText(type);
        if (typeName != OutputTypeNormal && typeName != OutputTypePulse)
            return fields.refuse(QLatin1String(typeField->key),
                                 ConfigJsonText::tr("must be \"%1\" or \"%2\"")
                                     .arg(OutputTypeNormal, OutputTypePulse));
        typeField->flag(values, entry) = typeName == OutputTypePulse;
    }
    return true;
}

bool readParameters(const QJsonValue& value, ConfigValues& values, QString& error,
                    QStringList& warnings) {
    if (!value.isObject())
        return refuseField(error, QStringLiteral("parameters"),
                           ConfigJsonText::tr("must be an object"));
    const QJsonObject object = value.toObject();
    FieldReader fields(object, QStringLiteral("parameters"), error, warnings);
    return readFields(fields, FieldGroup::Parameters, 0, values);
}

// The list of 16 inputs or outputs under its key, each entry read by its fields.
bool readEntries(const QJsonValue& value, FieldGroup group, ConfigValues& values, QString& error,
                 QStringList& warnings) {
    const bool inputs = group == FieldGroup::Inputs;
    const QString key = inputs ? QStringLiteral("inputs") : QStringLiteral("outputs");
    const int count = inputs ? ConfigInputCount : ConfigOutputCount;
    if (!value.isArray() || value.toArray().size() != count)
        return refuseField(error, key,
                           inputs ? ConfigJsonText::tr("must be a list of %n inputs", "", count)
                                  : ConfigJsonText::tr("must be a list of %n outputs", "", count));
    const QJsonArray list = value.toArray();
    for (int i = 0; i < count; ++i) {
        const QString path = entryPath(key, i);
        if (!list[i].isObject())
            return refuseField(error, path, ConfigJsonText::tr("must be an object"));
        const QJsonObject object = list[i].toObject();
        FieldReader fields(object, path, error, warnings);
        if (!readFields(fields, group, i, values))
            return false;
    }
    return true;
}

// What a register holds beyond its field: its own text where that is spelt
// otherwise than the field writes it ("0250", a final ".", flag characters
// past the 16th, register 86), and the bytes after that text's terminating
// zero up to the last one that is not zero.
struct Residue {
    std::optional<QByteArray> text;
    QByteArray tail;
};

// A text of 255 characters leaves no room for its zero: the slot's last byte
// is then all its tail.
qsizetype tailStart(const QByteArray& text) {
    return std::min<qsizetype>(text.size() + 1, RegisterStore::MaxTextLength);
}

QByteArray slotBytes(const RegisterStore& store, int reg) {
    return QByteArray(reinterpret_cast<const char*>(store.slot(reg)), RegisterStore::SlotSize);
}

QJsonObject residue(const RegisterStore& store, const ConfigValues& values) {
    RegisterStore fieldsOnly;
    ConfigMapping::write(values, fieldsOnly);
    QJsonObject extra;
    for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg) {
        const QByteArray slot = slotBytes(store, reg);
        if (slot == slotBytes(fieldsOnly, reg))
            continue;
        QJsonObject entry;
        const QByteArray own = store.text(reg);
        if (own != fieldsOnly.text(reg))
            entry["text"] = ansiToText(own);
        QByteArray tail = slot.mid(tailStart(own));
        while (tail.endsWith('\0'))
            tail.chop(1);
        if (!tail.isEmpty())
            entry["tail"] = ansiToText(tail); // zero bytes as U+0000
        extra[QString::number(reg)] = entry;
    }
    return extra;
}

// A text of the code page, zero characters allowed or not.
bool residueText(const QJsonValue& value, bool zeroAllowed, QByteArray& out) {
    if (!value.isString())
        return false;
    const QString characters = value.toString();
    out = textToAnsi(characters);
    return ansiToText(out) == characters && (zeroAllowed || !out.contains('\0'));
}

bool readExtra(const QJsonValue& value, std::map<int, Residue>& extra, QString& error) {
    if (!value.isObject())
        return refuseField(error, QStringLiteral("extra"), ConfigJsonText::tr("must be an object"));
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString path = QStringLiteral("extra.") + it.key();
        bool isNumber = false;
        const int reg = it.key().toInt(&isNumber);
        if (!isNumber || reg < 1 || reg > RegisterStore::RegisterCount ||
            QString::number(reg) != it.key())
            return refuseField(error, path,
                               ConfigJsonText::tr("must be a register number, 1 to 87"));
        if (!it.value().isObject())
            return refuseField(error, path, ConfigJsonText::tr("must be an object"));
        const QJsonObject entry = it.value().toObject();
        Residue& residue = extra[reg];
        for (auto field = entry.begin(); field != entry.end(); ++field) {
            const QString name = path + '.' + field.key();
            if (field.key() == QLatin1String("text")) {
                QByteArray text;
                if (!residueText(field.value(), false, text) ||
                    text.size() > RegisterStore::MaxTextLength)
                    return refuseField(
                        error, name,
                        ConfigJsonText::tr("must be a text of at most 255 characters "
                                           "of code page 1252 without a zero"));
                residue.text = text;
            } else if (field.key() == QLatin1String("tail")) {
                if (!residueText(field.value(), true, residue.tail) ||
                    residue.tail.size() > RegisterStore::MaxTextLength)
                    return refuseField(
                        error, name,
                        ConfigJsonText::tr("must be a text of at most 255 characters "
                                           "of code page 1252"));
            } else {
                return refuseField(error, name, ConfigJsonText::tr("unknown field"));
            }
        }
        if (residue.text &&
            tailStart(*residue.text) + residue.tail.size() > RegisterStore::SlotSize)
            return refuseField(error, path,
                               ConfigJsonText::tr("text and tail together exceed the register's "
                                                  "256 bytes"));
    }
    return true;
}

// The registers the fields describe, with each register's residue. A
// register whose residue still reads as its fields say is taken as the
// residue lays it out; otherwise the fields are written onto the residue as
// the editor writes them, so the fields win where the two disagree.
RegisterStore withResidue(const ConfigValues& values, const std::map<int, Residue>& extra) {
    RegisterStore store;
    ConfigMapping::write(values, store);
    if (extra.empty())
        return store;
    RegisterStore laid = store;
    for (const auto& [reg, residue] : extra) {
        const QByteArray text = residue.text.value_or(store.text(reg));
        QByteArray slot = text;
        slot.resize(tailStart(text), '\0');
        slot = (slot + residue.tail).left(RegisterStore::SlotSize);
        slot.append(QByteArray(RegisterStore::SlotSize - slot.size(), '\0'));
        std::copy(slot.begin(), slot.end(), laid.slot(reg));
    }
    RegisterStore edited = laid;
    ConfigMapping::write(values, edited);
    for (const auto& [reg, residue] : extra) {
        RegisterStore trial = edited;
        std::copy(laid.slot(reg), laid.slot(reg) + RegisterStore::SlotSize, trial.slot(reg));
        const RegisterStore& chosen =
            ConfigMapping::sameReading(ConfigMapping::readCopy(trial), values, reg) ? laid : edited;
        std::copy(chosen.slot(reg), chosen.slot(reg) + RegisterStore::SlotSize, store.slot(reg));
    }
    return store;
}

QString jsonText(const QJsonValue& value) {
    // A one-element array gives the value's own JSON spelling.
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// Every leaf of a JSON object by its path ("inputs[3] (input 4).highText").
void leaves(const QJsonValue& value, const QString& path, QList<QPair<QString, QJsonValue>>& out) {
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            leaves(it.value(), path.isEmpty() ? it.key() : path + '.' + it.key(), out);
    } else if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (int i = 0; i < array.size(); ++i)
            leaves(array[i], entryPath(path, i), out);
    } else {
        out.append({path, value});
    }
}

const QByteArray& longerText(const QByteArray& a, const QByteArray& b) {
    return a.size() > b.size() ? a : b;
}

ConfigValues longerOfEach(const ConfigValues& a, const ConfigValues& b) {
    ConfigValues values = b;
    ConfigValues x = a;
    for (const FieldPlace& place : fieldPlaces()) {
        if (place.field->text)
            place.field->text(values, place.entry) = longerText(
                place.field->text(x, place.entry), place.field->text(values, place.entry));
    }
    if (QByteArray::number(a.pulseDuration).size() > QByteArray::number(b.pulseDuration).size())
        values.pulseDuration = a.pulseDuration;
    return values;
}

} // namespace

QByteArray configToJson(const RegisterStore& store) {
    const ConfigValues values = ConfigMapping::readCopy(store);
    QJsonObject json = toJson(values);
    if (const QJsonObject extra = residue(store, values); !extra.isEmpty())
        json["extra"] = extra;
    return QJsonDocument(json).toJson(QJsonDocument::Indented);
}

ConfigFromJson configFromJson(const QByteArray& json) {
    ConfigFromJson result;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull()) {
        result.error = ConfigJsonText::tr("not JSON: %1 at byte %2")
                           .arg(parseError.errorString())
                           .arg(parseError.offset);
        return result;
    }
    if (!document.isObject()) {
        result.error = ConfigJsonText::tr("the configuration must be a JSON object");
        return result;
    }
    const QJsonObject top = document.object();
    ConfigValues values;
    std::map<int, Residue> extra;
    QStringList& warnings = result.warnings;
    FieldReader fields(top, {}, result.error, warnings);
    if (!fields.onlyKnown({"parameters", "inputs", "outputs", "extra"}) ||
        (top.contains("parameters") &&
         !readParameters(top["parameters"], values, result.error, warnings)) ||
        (top.contains("inputs") &&
         !readEntries(top["inputs"], FieldGroup::Inputs, values, result.error, warnings)) ||
        (top.contains("outputs") &&
         !readEntries(top["outputs"], FieldGroup::Outputs, values, result.error, warnings)) ||
        (top.contains("extra") && !readExtra(top["extra"], extra, result.error)))
        return result;
    result.store = withResidue(values, extra);

    const ConfigValues stored = ConfigMapping::readCopy(*result.store);
    for (int i = 0; i < ConfigInputCount; ++i) {
        if (stored.inputs[i].phoneNumbers != values.inputs[i].phoneNumbers)
            warnings << ConfigJsonText::tr("%1.phoneNumbers: a final \".\" is removed when "
                                           "storing, as the editor does")
                            .arg(entryPath(QStringLiteral("inputs"), i));
    }
    return result;
}

QStringList differingRegisters(const RegisterStore& a, const RegisterStore& b) {
    QStringList numbers;
    for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg) {
        if (!std::equal(a.slot(reg), a.slot(reg) + RegisterStore::SlotSize, b.slot(reg)))
            numbers << QString::number(reg);
    }
    return numbers;
}

QStringList configDifferences(const RegisterStore& a, const RegisterStore& b) {
    QStringList lines;
    if (a == b)
        return lines;
    const ConfigValues valuesA = ConfigMapping::readCopy(a);
    const ConfigValues valuesB = ConfigMapping::readCopy(b);
    QList<QPair<QString, QJsonValue>> leavesA, leavesB;
    const QJsonObject jsonA = toJson(valuesA), jsonB = toJson(valuesB);
    for (const char* part : {"parameters", "inputs", "outputs"}) {
        leaves(jsonA[part], QString::fromLatin1(part), leavesA);
        leaves(jsonB[part], QString::fromLatin1(part), leavesB);
    }
    for (int i = 0; i < leavesA.size(); ++i) {
        if (leavesA[i].second != leavesB[i].second)
            lines << QStringLiteral("%1: %2 -> %3")
                         .arg(leavesA[i].first, jsonText(leavesA[i].second),
                              jsonText(leavesB[i].second));
    }
    // With the same field values written into both, what still differs lies in
    // bytes no field shows: register 86, bytes after a text's end, flag
    // characters past the 16th. The longer of each two texts is written, so
    // a shorter text's tail is not mistaken for such bytes.
    const ConfigValues longer = longerOfEach(valuesA, valuesB);
    RegisterStore hiddenA = a, hiddenB = b;
    ConfigMapping::write(longer, hiddenA);
    ConfigMapping::write(longer, hiddenB);
    const QStringList hidden = differingRegisters(hiddenA, hiddenB);
    auto registers = [](const QStringList& numbers) {
        return (numbers.size() == 1 ? ConfigJsonText::tr("register ")
                                    : ConfigJsonText::tr("registers ")) +
               numbers.join(QStringLiteral(", "));
    };
    if (!hidden.isEmpty())
        lines << registers(hidden) + ConfigJsonText::tr(": bytes that no field shows differ");
    // Each written back with its own values reads alike where only the
    // spelling differs; listed whatever else differs too.
    RegisterStore canonA = a, canonB = b;
    ConfigMapping::write(valuesA, canonA);
    ConfigMapping::write(valuesB, canonB);
    QStringList spelled;
    for (const QString& number : differingRegisters(a, b)) {
        const int reg = number.toInt();
        if (std::equal(canonA.slot(reg), canonA.slot(reg) + RegisterStore::SlotSize,
                       canonB.slot(reg)))
            spelled << number;
    }
    if (!spelled.isEmpty()) {
        lines << registers(spelled) +
                     ConfigJsonText::tr(": spelled differently, read alike (such as \"0250\" and "
                                        "\"250\", or a final \".\")");
    }
    return lines;
}
