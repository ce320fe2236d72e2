#include "config/RegisterStore.h"

#include <QtGlobal>
#include <algorithm>
#include <cstring>

void RegisterStore::clear() {
    bytes_.fill(0);
}

unsigned char* RegisterStore::slot(int reg) {
    Q_ASSERT(reg >= 1 && reg <= RegisterCount);
    return bytes_.data() + std::size_t(reg - 1) * SlotSize;
}

const unsigned char* RegisterStore::slot(int reg) const {
    Q_ASSERT(reg >= 1 && reg <= RegisterCount);
    return bytes_.data() + std::size_t(reg - 1) * SlotSize;
}

QByteArray RegisterStore::text(int reg) const {
    const auto* s = slot(reg);
    const auto* end = static_cast<const unsigned char*>(std::memchr(s, 0, SlotSize));
    // A slot without a zero byte yields its first 255 bytes, as if terminated.
    const qsizetype length = end ? end - s : MaxTextLength;
    return QByteArray(reinterpret_cast<const char*>(s), length);
}

void RegisterStore::setText(int reg, const QByteArray& text) {
    auto* s = slot(reg);
    // A zero byte inside the text ends it, as it would in the unit.
    const qsizetype zero = text.indexOf('\0');
    const qsizetype length =
        std::min<qsizetype>(zero >= 0 ? zero : text.size(), qsizetype(MaxTextLength));
    std::memcpy(s, text.constData(), std::size_t(length));
    s[length] = 0;
}
