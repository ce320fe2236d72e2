// Small helpers for driving the link library's C interface from tests.
#pragma once

#include "velklink.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

constexpr int kRegisters = 87;
constexpr int kSlot = 256;

// A link with a port set as the program sets it.
inline int32_t openLink() {
    const int32_t link = LinkCreate();
    LinkSetPort(link, "USB1", "COM0");
    LinkConfigure(link, "");
    return link;
}

// Bytes that run through all 256 values, shifted by seed.
inline QByteArray patternBytes(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + seed * 31 + i / 256) & 0xFF);
    return bytes;
}

// A register image in which every register holds every byte value.
inline QByteArray patternImage(int seed) {
    QByteArray image;
    for (int reg = 1; reg <= kRegisters; ++reg) {
        QByteArray slot(kSlot, '\0');
        for (int i = 0; i < kSlot; ++i)
            slot[i] = static_cast<char>((i + reg * 13 + seed) & 0xFF);
        image += slot;
    }
    return image;
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Writes registers 1..last; the first failing result, or LINK_OK.
inline int32_t writeAllRegisters(int32_t link, const QByteArray& image, int last = kRegisters,
                                 int* failedAt = nullptr) {
    for (int reg = 1; reg <= last; ++reg) {
        const auto* slot =
            reinterpret_cast<const unsigned char*>(image.constData()) + (reg - 1) * kSlot;
        if (const int32_t result = LinkWriteRegister(link, reg, slot, 0, 0)) {
            if (failedAt)
                *failedAt = reg;
            return result;
        }
    }
    return LINK_OK;
}

inline int32_t readAllRegisters(int32_t link, QByteArray& image) {
    image = QByteArray(kRegisters * kSlot, '\0');
    for (int reg = 1; reg <= kRegisters; ++reg) {
        int32_t length = 0;
        auto* slot = reinterpret_cast<unsigned char*>(image.data()) + (reg - 1) * kSlot;
        if (const int32_t result = LinkReadRegister(link, reg, slot, &length, 0))
            return result;
        if (length != kSlot)
            return -1;
    }
    return LINK_OK;
}

// The array of name pointers the library takes; storage keeps the texts alive.
inline std::vector<const char*> namePointers(const QStringList& names,
                                             std::vector<QByteArray>& storage) {
    storage.clear();
    for (const auto& name : names)
        storage.push_back(QFile::encodeName(name));
    std::vector<const char*> pointers;
    for (const auto& bytes : storage)
        pointers.push_back(bytes.constData());
    return pointers;
}

inline void recordProgress(intptr_t context, int32_t position) {
    reinterpret_cast<std::vector<int32_t>*>(context)->push_back(position);
}

inline std::array<unsigned char, 8> clockRecord(int year, int month, int day, int hour, int minute,
                                                int second) {
    return {static_cast<unsigned char>(year & 0xFF),
            static_cast<unsigned char>(year >> 8),
            static_cast<unsigned char>(month),
            static_cast<unsigned char>(day),
            0,
            static_cast<unsigned char>(hour),
            static_cast<unsigned char>(minute),
            static_cast<unsigned char>(second)};
}
