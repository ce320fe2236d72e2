// The unit's whole configuration: 87 text registers of 256 bytes, register N
// in slot N-1. Owned by the main window; the configuration file and the unit
// transfers move these bytes unchanged.
#pragma once

#include <QByteArray>
#include <array>
#include <cstddef>

class RegisterStore {
public:
    static constexpr int RegisterCount = 87;
    static constexpr int SlotSize = 256;
    static constexpr int MaxTextLength = SlotSize - 1;
    static constexpr std::size_t ImageSize = std::size_t(RegisterCount) * SlotSize; // 22,272

    RegisterStore() { clear(); }

    void clear();

    // The register's text up to its terminating zero, never past its slot.
    QByteArray text(int reg) const;
    // Writes at most 255 bytes and the terminating zero; later bytes of the
    // slot are kept as they lie.
    void setText(int reg, const QByteArray& text);

    // Byte n-1 of the slot as it stands, also past the terminating zero.
    char character(int reg, int n) const { return slot(reg)[n - 1]; }

    unsigned char* slot(int reg);
    const unsigned char* slot(int reg) const;

    unsigned char* data() { return bytes_.data(); }
    const unsigned char* data() const { return bytes_.data(); }

    bool operator==(const RegisterStore&) const = default;

private:
    std::array<unsigned char, ImageSize> bytes_;
};
