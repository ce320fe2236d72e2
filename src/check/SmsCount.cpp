#include "check/SmsCount.h"

#include "config/AnsiCodec.h"

#include <QCoreApplication>

namespace {

constexpr int GsmSingle = 160;
constexpr int GsmPart = 153;
constexpr int Ucs2Single = 70;
constexpr int Ucs2Part = 67;

// The default alphabet in code order; 0x1B (the escape) is left out.
const QString& basicAlphabet() {
    static const QString alphabet =
        QString::fromUtf8("@£$¥èéùìòÇ\nØø\rÅåΔ_ΦΓΛΩΠΨΣΘΞÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?"
                          "¡ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿abcdefghijklmnopqrstuvwxyzäöñüà");
    return alphabet;
}

const QString& extensionTable() {
    static const QString table = QString::fromUtf8("\f^{}\\[~]|€");
    return table;
}

} // namespace

GsmClass gsmClass(QChar c) {
    if (basicAlphabet().contains(c))
        return GsmClass::Basic;
    if (extensionTable().contains(c))
        return GsmClass::Extension;
    return GsmClass::None;
}

int SmsCount::capacity() const {
    const int single = ucs2 ? Ucs2Single : GsmSingle;
    const int part = ucs2 ? Ucs2Part : GsmPart;
    return segments <= 1 ? single : part * segments;
}

QString SmsCount::label() const {
    return label(characters, capacity());
}

QString SmsCount::label(int typed, int limit) const {
    const QString count = QCoreApplication::translate("SmsCount", "%1/%2, %n SMS", nullptr,
                                                      segments < 1 ? 1 : segments)
                              .arg(typed)
                              .arg(limit);
    return ucs2 ? QStringLiteral("UCS-2 (%1): %2").arg(firstNonGsm, count) : count;
}

SmsCount countSms(const QString& text) {
    SmsCount count;
    for (const QChar c : text) {
        if (gsmClass(c) == GsmClass::None) {
            count.ucs2 = true;
            count.firstNonGsm = c;
            break;
        }
    }
    if (text.isEmpty())
        return count;
    if (count.ucs2) {
        count.characters = int(text.size());
        count.segments =
            count.characters <= Ucs2Single ? 1 : (count.characters + Ucs2Part - 1) / Ucs2Part;
        return count;
    }
    int septets = 0;
    for (const QChar c : text)
        septets += gsmClass(c) == GsmClass::Extension ? 2 : 1;
    count.characters = septets;
    if (septets <= GsmSingle) {
        count.segments = 1;
        return count;
    }
    // Parts of 153 septets; an escape pair that would straddle a boundary
    // moves whole into the next part.
    int parts = 1, used = 0;
    for (const QChar c : text) {
        const int width = gsmClass(c) == GsmClass::Extension ? 2 : 1;
        if (used + width > GsmPart) {
            ++parts;
            used = 0;
        }
        used += width;
    }
    count.segments = parts;
    return count;
}

SmsCount countSms(const QByteArray& registerText) {
    return countSms(ansiToText(registerText));
}
