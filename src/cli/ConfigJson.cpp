#include "cli/ConfigJson.h"

#include "config/AnsiCodec.h"
#include "editor/ConfigSheetMapping.h"

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

QJsonObject toJson(const SheetValues& values) {
    QJsonObject parameters{{"callers", text(values.callers)},
                           {"clearCommand", text(values.clearCommand)},
                           {"pulseDuration", values.pulseDuration}};
    QJsonArray inputs;
    for (int n = 1; n <= SheetInputCount; ++n) {
        const InputEntry& input = values.inputs[n - 1];
        inputs.append(QJsonObject{{"input", n},
                                  {"phoneNumbers", text(input.phoneNumbers)},
                                  {"highText", text(input.highText)},
                                  {"lowText", text(input.lowText)},
                                  {"voiceOnHigh", input.voiceOnHigh},
                                  {"voiceOnLow", input.voiceOnLow}});
    }
    QJsonArray outputs;
    for (int n = 1; n <= SheetOutputCount; ++n) {
        const OutputEntry& output = values.outputs[n - 1];
        outputs.append(QJsonObject{{"output", n},
                                   {"type", output.pulse ? OutputTypePulse : OutputTypeNormal},
                                   {"highText", text(output.highText)},
                                   {"lowText", text(output.lowText)}});
    }
    return QJsonObject{{"parameters", parameters}, {"inputs", inputs}, {"outputs", outputs}};
}

SheetValues sheetValues(const RegisterStore& store) {
    RegisterStore copy = store; // filling the sheet removes final dots in the store
    return RegisterSheetMapping::fill(copy);
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

bool readParameters(const QJsonValue& value, SheetValues& values, QString& error,
                    QStringList& warnings) {
    if (!value.isObject())
        return refuseField(error, QStringLiteral("parameters"),
                           ConfigJsonText::tr("must be an object"));
    const QJsonObject object = value.toObject();
    FieldReader fields(object, QStringLiteral("parameters"), error, warnings);
    // Below 1 a register's pulse reads as the default; beyond INT_MAX as INT_MAX.
    if (!(fields.onlyKnown({"callers", "clearCommand", "pulseDuration"}) &&
          fields.textField("callers", SheetLimits::Callers, values.callers) &&
          fields.textField("clearCommand", SheetLimits::ClearCommand, values.clearCommand) &&
          fields.integerField("pulseDuration", 1, INT_MAX, values.pulseDuration)))
        return false;
    if (values.pulseDuration < SheetLimits::PulseMin ||
        values.pulseDuration > SheetLimits::PulseMax)
        fields.warn("pulseDuration", ConfigJsonText::tr("the editor takes %1 to %2, not %3")
                                         .arg(SheetLimits::PulseMin)
                                         .arg(SheetLimits::PulseMax)
                                         .arg(values.pulseDuration));
    return true;
}

// "inputs[2] (input 3)": the JSON path and the number on the unit's terminal.
QString entryPath(const QString& list, int index) {
    if (list == QLatin1String("inputs"))
        return ConfigJsonText::tr("%1[%2] (input %3)").arg(list).arg(index).arg(index + 1);
    if (list == QLatin1String("outputs"))
        return ConfigJsonText::tr("%1[%2] (output %3)").arg(list).arg(index).arg(index + 1);
    const QString entry = list.endsWith('s') ? list.chopped(1) : list;
    return QStringLiteral("%1[%2] (%3 %4)").arg(list).arg(index).arg(entry).arg(index + 1);
}

// The list of 16 entries under `key`; each one read by `readEntry`.
template <typename ReadEntry>
bool readList(const QJsonValue& value, const QString& key, int count, const QString& listRule,
              QString& error, QStringList& warnings, ReadEntry readEntry) {
    if (!value.isArray() || value.toArray().size() != count)
        return refuseField(error, key, listRule);
    const QJsonArray list = value.toArray();
    for (int i = 0; i < count; ++i) {
        const QString path = entryPath(key, i);
        if (!list[i].isObject())
            return refuseField(error, path, ConfigJsonText::tr("must be an object"));
        const QJsonObject object = list[i].toObject();
        FieldReader fields(object, path, error, warnings);
        if (!readEntry(fields, i))
            return false;
    }
    return true;
}

bool readInputs(const QJsonValue& value, SheetValues& values, QString& error,
                QStringList& warnings) {
    return readList(
        value, QStringLiteral("inputs"), SheetInputCount,
        ConfigJsonText::tr("must be a list of %n inputs", "", SheetInputCount), error, warnings,
        [&](FieldReader& fields, int i) {
            InputEntry& input = values.inputs[i];
            if (!(fields.onlyKnown({"input", "phoneNumbers", "highText", "lowText", "voiceOnHigh",
                                    "voiceOnLow"}) &&
                  fields.numberField("input", i + 1) &&
                  fields.textField("phoneNumbers", SheetLimits::InputText, input.phoneNumbers) &&
                  fields.textField("highText", SheetLimits::InputText, input.highText) &&
                  fields.textField("lowText", SheetLimits::InputText, input.lowText) &&
                  fields.flagField("voiceOnHigh", input.voiceOnHigh) &&
                  fields.flagField("voiceOnLow", input.voiceOnLow)))
                return false;
            return true;
        });
}

bool readOutputs(const QJsonValue& value, SheetValues& values, QString& error,
                 QStringList& warnings) {
    return readList(
        value, QStringLiteral("outputs"), SheetOutputCount,
        ConfigJsonText::tr("must be a list of %n outputs", "", SheetOutputCount), error, warnings,
        [&](FieldReader& fields, int i) {
            OutputEntry& output = values.outputs[i];
            QByteArray type = OutputTypeNormal.toLatin1();
            if (!(fields.onlyKnown({"output", "type", "highText", "lowText"}) &&
                  fields.numberField("output", i + 1) && fields.textField("type", 6, type) &&
                  fields.textField("highText", SheetLimits::OutputText, output.highText) &&
                  fields.textField("lowText", SheetLimits::OutputText, output.lowText)))
                return false;
            const QString typeName = ansiToText(type);
            if (typeName != OutputTypeNormal && typeName != OutputTypePulse)
                return fields.refuse("type", ConfigJsonText::tr("must be \"%1\" or \"%2\"")
                                                 .arg(OutputTypeNormal, OutputTypePulse));
            output.pulse = typeName == OutputTypePulse;
            return true;
        });
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

QJsonObject residue(const RegisterStore& store, const SheetValues& values) {
    RegisterStore fieldsOnly;
    RegisterSheetMapping::writeBack(values, fieldsOnly);
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
RegisterStore withResidue(const SheetValues& values, const std::map<int, Residue>& extra) {
    RegisterStore store;
    RegisterSheetMapping::writeBack(values, store);
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
    RegisterSheetMapping::writeBack(values, edited);
    for (const auto& [reg, residue] : extra) {
        RegisterStore trial = edited;
        std::copy(laid.slot(reg), laid.slot(reg) + RegisterStore::SlotSize, trial.slot(reg));
        const RegisterStore& chosen =
            RegisterSheetMapping::sameReading(sheetValues(trial), values, reg) ? laid : edited;
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

SheetValues longerOfEach(const SheetValues& a, const SheetValues& b) {
    SheetValues values = b;
    values.callers = longerText(a.callers, b.callers);
    values.clearCommand = longerText(a.clearCommand, b.clearCommand);
    if (QByteArray::number(a.pulseDuration).size() > QByteArray::number(b.pulseDuration).size())
        values.pulseDuration = a.pulseDuration;
    for (int i = 0; i < SheetInputCount; ++i) {
        InputEntry& input = values.inputs[i];
        input.phoneNumbers = longerText(a.inputs[i].phoneNumbers, b.inputs[i].phoneNumbers);
        input.highText = longerText(a.inputs[i].highText, b.inputs[i].highText);
        input.lowText = longerText(a.inputs[i].lowText, b.inputs[i].lowText);
    }
    for (int i = 0; i < SheetOutputCount; ++i) {
        OutputEntry& output = values.outputs[i];
        output.highText = longerText(a.outputs[i].highText, b.outputs[i].highText);
        output.lowText = longerText(a.outputs[i].lowText, b.outputs[i].lowText);
    }
    return values;
}

} // namespace

QByteArray configToJson(const RegisterStore& store) {
    const SheetValues values = sheetValues(store);
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
    SheetValues values;
    std::map<int, Residue> extra;
    QStringList& warnings = result.warnings;
    FieldReader fields(top, {}, result.error, warnings);
    if (!fields.onlyKnown({"parameters", "inputs", "outputs", "extra"}) ||
        (top.contains("parameters") &&
         !readParameters(top["parameters"], values, result.error, warnings)) ||
        (top.contains("inputs") && !readInputs(top["inputs"], values, result.error, warnings)) ||
        (top.contains("outputs") && !readOutputs(top["outputs"], values, result.error, warnings)) ||
        (top.contains("extra") && !readExtra(top["extra"], extra, result.error)))
        return result;
    result.store = withResidue(values, extra);

    const SheetValues stored = sheetValues(*result.store);
    for (int i = 0; i < SheetInputCount; ++i) {
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
    const SheetValues valuesA = sheetValues(a);
    const SheetValues valuesB = sheetValues(b);
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
    const SheetValues longer = longerOfEach(valuesA, valuesB);
    RegisterStore hiddenA = a, hiddenB = b;
    RegisterSheetMapping::writeBack(longer, hiddenA);
    RegisterSheetMapping::writeBack(longer, hiddenB);
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
    RegisterSheetMapping::writeBack(valuesA, canonA);
    RegisterSheetMapping::writeBack(valuesB, canonB);
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
