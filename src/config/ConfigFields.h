// What the 87 registers mean: the configuration's fields (the parameters,
// 16 inputs and 16 outputs) and the one table that says, for each field,
// which register holds it, what kind of value it is, its JSON path, its name
// for people and its limits. Every reader of a configuration (the editor,
// the JSON form, diff, the check, the listing, the voice list) goes through
// this table; a field's register number is written here and nowhere else.
#pragma once

#include "config/RegisterStore.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>

constexpr int ConfigInputCount = 16;
constexpr int ConfigOutputCount = 16;

// What the editor accepts; a value outside these is refused when a page is left.
namespace FieldLimits {
constexpr int Callers = 156;
constexpr int ClearCommand = 155;
constexpr int InputText = 156;
// The output editor has no limit of its own; its fields stop at what a
// register holds.
constexpr int OutputText = RegisterStore::MaxTextLength;
constexpr int PulseMin = 100;
constexpr int PulseMax = 30000;
constexpr int DefaultPulse = 1000;
} // namespace FieldLimits

// How the configuration as JSON names an output's type.
inline const QString OutputTypeNormal = QStringLiteral("Normal");
inline const QString OutputTypePulse = QStringLiteral("Pulse");

// Texts are register bytes; the widgets convert them for display.
struct InputEntry {
    QByteArray phoneNumbers; // separated by ","
    QByteArray highText;
    QByteArray lowText;
    bool voiceOnHigh = false;
    bool voiceOnLow = false;
    bool operator==(const InputEntry&) const = default;
};

struct OutputEntry {
    bool pulse = false; // shown as OutputTypeNormal or OutputTypePulse
    QByteArray highText;
    QByteArray lowText;
    bool operator==(const OutputEntry&) const = default;
};

// The configuration as its fields, read from (and written to) the registers.
struct ConfigValues {
    QByteArray callers;                            // the allowed callers
    QByteArray clearCommand;                       // the command that clears them
    int pulseDuration = FieldLimits::DefaultPulse; // milliseconds
    std::array<InputEntry, ConfigInputCount> inputs;
    std::array<OutputEntry, ConfigOutputCount> outputs;
    bool operator==(const ConfigValues&) const = default;
};

enum class FieldKind { PhoneList, SmsText, CommandText, VoiceFlags, OutputTypes, PulseDuration };
// The table lists the groups in this order, which is also the order in which
// the check reports its findings.
enum class FieldGroup { Inputs, Outputs, Parameters };
enum class FieldId {
    PhoneNumbers,
    InputHighText,
    InputLowText,
    VoiceOnHigh,
    VoiceOnLow,
    OutputType,
    OutputHighText,
    OutputLowText,
    Callers,
    ClearCommand,
    PulseDuration,
};

// One row of the field table. An entry is 0 to 15 for inputs and outputs and
// 0 for a parameter.
struct ConfigField {
    FieldId id;
    FieldGroup group;
    FieldKind kind;
    const char* key;      // the JSON member: "highText"
    int firstRegister;    // entry 1's register, or the parameter's
    bool shared;          // one register for all 16 entries, a character each
    const char* nameText; // for people, untranslated; %1 is the entry's number
    int editorLimit;      // characters the editor takes; for the pulse, its maximum
    int registerLimit;    // what the register holds
    QByteArray& (*text)(ConfigValues&, int entry); // the text kinds
    bool& (*flag)(ConfigValues&, int entry);       // voice flags and output types

    int entryCount() const;
    int reg(int entry = 0) const { return shared ? firstRegister : firstRegister + entry; }
    bool isText() const { return text != nullptr; }
    // "inputs[2].highText", "parameters.callers".
    QString path(int entry = 0) const;
    // "input 3 high text", in the program's language.
    QString name(int entry = 0) const;
    // The list the group is under in JSON: "inputs", "outputs", "parameters".
    QString groupKey() const;
};

// Every field, inputs first, then outputs, then the parameters.
const QList<ConfigField>& configFields();
const ConfigField& configField(FieldId id);

// One field of one entry: "input 3 high text" in register 19.
struct FieldPlace {
    const ConfigField* field = nullptr;
    int entry = 0;
    int reg() const { return field->reg(entry); }
    QString path() const { return field->path(entry); }
    QString name() const { return field->name(entry); }
};

// Every field of every entry in table order: input 1's fields, input 2's, ...,
// then the outputs', then the parameters.
QList<FieldPlace> fieldPlaces();

class ConfigMapping {
public:
    // Reads the fields. One final "." is removed from each phone-number
    // register in the store itself first.
    static ConfigValues read(RegisterStore& store);
    // A copy of the store is read, so the store itself stays as it is.
    static ConfigValues readCopy(const RegisterStore& store);
    // Writes every value back; a text longer than a register holds is cut
    // at 255 bytes.
    static void write(const ConfigValues& values, RegisterStore& store);

    // Whether register `reg` holds the same values in a and b: its field, or
    // for a shared register all 16 of its characters. Register 86 has no field.
    static bool sameReading(const ConfigValues& a, const ConfigValues& b, int reg);
    // Whether the field of the place holds the same value in a and b.
    static bool sameValue(const ConfigValues& a, const ConfigValues& b, const FieldPlace& place);

    // A whole field read as an integer (white space around it allowed).
    static std::optional<int> parseInteger(const QString& text);
};

// The fields, by their names for people, whose values differ between two
// configurations, in table order.
QStringList differingFieldNames(const RegisterStore& a, const RegisterStore& b);
