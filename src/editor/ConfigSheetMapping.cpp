#include "editor/ConfigSheetMapping.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int CallersRegister = 81;
constexpr int ClearCommandRegister = 82;
constexpr int OutputTypesRegister = 83;
constexpr int VoiceHighRegister = 84;
constexpr int VoiceLowRegister = 85;
constexpr int PulseRegister = 87;

int phoneRegister(int input) {
    return input;
}
int inputHighRegister(int input) {
    return 16 + input;
}
int inputLowRegister(int input) {
    return 32 + input;
}
int outputHighRegister(int output) {
    return 48 + output;
}
int outputLowRegister(int output) {
    return 64 + output;
}

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
        return SheetLimits::DefaultPulse;
    return value > INT_MAX ? INT_MAX : int(value);
}

void removeFinalDot(RegisterStore& store, int reg) {
    const QByteArray text = store.text(reg);
    if (text.endsWith('.'))
        store.slot(reg)[text.size() - 1] = 0;
}

} // namespace

std::optional<int> RegisterSheetMapping::parseInteger(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

SheetValues RegisterSheetMapping::fill(RegisterStore& store) {
    SheetValues values;
    values.callers = store.text(CallersRegister);
    values.clearCommand = store.text(ClearCommandRegister);
    values.pulseDuration = readPulseDuration(store.text(PulseRegister));
    for (int n = 1; n <= SheetInputCount; ++n) {
        removeFinalDot(store, phoneRegister(n));
        InputEntry& entry = values.inputs[n - 1];
        entry.phoneNumbers = store.text(phoneRegister(n));
        entry.highText = store.text(inputHighRegister(n));
        entry.lowText = store.text(inputLowRegister(n));
        // Flags are bytes of the slot, also past the end of a shorter text.
        entry.voiceOnHigh = store.character(VoiceHighRegister, n) == '1';
        entry.voiceOnLow = store.character(VoiceLowRegister, n) == '1';
    }
    for (int n = 1; n <= SheetOutputCount; ++n) {
        OutputEntry& entry = values.outputs[n - 1];
        entry.pulse = store.character(OutputTypesRegister, n) == 'P';
        entry.highText = store.text(outputHighRegister(n));
        entry.lowText = store.text(outputLowRegister(n));
    }
    return values;
}

void RegisterSheetMapping::writeBack(const SheetValues& values, RegisterStore& store) {
    store.setText(CallersRegister, values.callers);
    store.setText(ClearCommandRegister, values.clearCommand);
    store.setText(PulseRegister, QByteArray::number(values.pulseDuration));
    for (int n = 1; n <= SheetInputCount; ++n) {
        const InputEntry& entry = values.inputs[n - 1];
        store.setText(phoneRegister(n), entry.phoneNumbers);
        removeFinalDot(store, phoneRegister(n));
        store.setText(inputHighRegister(n), entry.highText);
        store.setText(inputLowRegister(n), entry.lowText);
    }
    // Only characters 1 to 16 and no terminator: later characters stay.
    for (int n = 1; n <= SheetInputCount; ++n)
        store.slot(VoiceHighRegister)[n - 1] = values.inputs[n - 1].voiceOnHigh ? '1' : '0';
    for (int n = 1; n <= SheetInputCount; ++n)
        store.slot(VoiceLowRegister)[n - 1] = values.inputs[n - 1].voiceOnLow ? '1' : '0';
    store.setText(OutputTypesRegister, QByteArray(SheetOutputCount, 'O'));
    for (int n = 1; n <= SheetOutputCount; ++n) {
        const OutputEntry& entry = values.outputs[n - 1];
        store.slot(OutputTypesRegister)[n - 1] = entry.pulse ? 'P' : 'O';
        store.setText(outputHighRegister(n), entry.highText);
        store.setText(outputLowRegister(n), entry.lowText);
    }
}

bool RegisterSheetMapping::sameReading(const SheetValues& a, const SheetValues& b, int reg) {
    const auto all = [](const auto& listA, const auto& listB, auto field) {
        return std::equal(listA.begin(), listA.end(), listB.begin(),
                          [&](const auto& x, const auto& y) { return field(x) == field(y); });
    };
    const int n = (reg - 1) % 16; // the entry of registers 1 to 80
    switch (reg) {
    case CallersRegister:
        return a.callers == b.callers;
    case ClearCommandRegister:
        return a.clearCommand == b.clearCommand;
    case OutputTypesRegister:
        return all(a.outputs, b.outputs, [](const OutputEntry& e) { return e.pulse; });
    case VoiceHighRegister:
        return all(a.inputs, b.inputs, [](const InputEntry& e) { return e.voiceOnHigh; });
    case VoiceLowRegister:
        return all(a.inputs, b.inputs, [](const InputEntry& e) { return e.voiceOnLow; });
    case PulseRegister:
        return a.pulseDuration == b.pulseDuration;
    default:
        break;
    }
    if (reg >= phoneRegister(1) && reg <= phoneRegister(SheetInputCount))
        return a.inputs[n].phoneNumbers == b.inputs[n].phoneNumbers;
    if (reg >= inputHighRegister(1) && reg <= inputHighRegister(SheetInputCount))
        return a.inputs[n].highText == b.inputs[n].highText;
    if (reg >= inputLowRegister(1) && reg <= inputLowRegister(SheetInputCount))
        return a.inputs[n].lowText == b.inputs[n].lowText;
    if (reg >= outputHighRegister(1) && reg <= outputHighRegister(SheetOutputCount))
        return a.outputs[n].highText == b.outputs[n].highText;
    if (reg >= outputLowRegister(1) && reg <= outputLowRegister(SheetOutputCount))
        return a.outputs[n].lowText == b.outputs[n].lowText;
    return true;
}
