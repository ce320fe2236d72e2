// The configuration sheet's working copy of the registers, and the mapping
// between it and the register store. The sheet edits only this copy; the
// registers change when the Configure command writes it back after OK.
#pragma once

#include "config/RegisterStore.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

constexpr int SheetInputCount = 16;
constexpr int SheetOutputCount = 16;

// What the sheet accepts; a value outside these is refused when a page is left.
namespace SheetLimits {
constexpr int Callers = 156;
constexpr int ClearCommand = 155;
constexpr int InputText = 156;
// The output editor has no limit of its own; its fields stop at what a
// register holds.
constexpr int OutputText = RegisterStore::MaxTextLength;
constexpr int PulseMin = 100;
constexpr int PulseMax = 30000;
constexpr int DefaultPulse = 1000;
} // namespace SheetLimits

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

struct SheetValues {
    QByteArray callers;                            // the allowed callers
    QByteArray clearCommand;                       // the command that clears them
    int pulseDuration = SheetLimits::DefaultPulse; // milliseconds
    std::array<InputEntry, SheetInputCount> inputs;
    std::array<OutputEntry, SheetOutputCount> outputs;
    bool operator==(const SheetValues&) const = default;
};

class RegisterSheetMapping {
public:
    // Reads the sheet's values. One final "." is removed from each
    // phone-number register in the store itself first.
    static SheetValues fill(RegisterStore& store);
    // Writes every value back; a text longer than a register holds is cut
    // at 255 bytes.
    static void writeBack(const SheetValues& values, RegisterStore& store);

    // Whether register `reg` holds the same values in a and b: its field, or
    // for registers 83 to 85 all 16 of its flags. Register 86 has no field.
    static bool sameReading(const SheetValues& a, const SheetValues& b, int reg);

    // A whole field read as an integer (white space around it allowed).
    static std::optional<int> parseInteger(const QString& text);
};
