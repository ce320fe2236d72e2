// How many SMS a register text takes when the unit sends it: the GSM 7-bit
// default alphabet with its extension table (an extension character takes
// two septets and an escape pair is never split between parts), 160 septets
// in one SMS and 153 per part beyond; UCS-2 when any character lies outside
// that alphabet, 70 characters in one SMS and 67 per part.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

enum class GsmClass { Basic, Extension, None };

// Where a character stands in the GSM 7-bit default alphabet.
GsmClass gsmClass(QChar c);

struct SmsCount {
    bool ucs2 = false;
    QChar firstNonGsm;  // for UCS-2: the first character that forced it
    int characters = 0; // septets for GSM-7, UTF-16 units for UCS-2
    int segments = 0;   // 0 for an empty text
    // What the segments hold: 160 or 153 per part (70 or 67 for UCS-2).
    int capacity() const;
    QString encodingName() const {
        return ucs2 ? QStringLiteral("UCS-2") : QStringLiteral("GSM-7");
    }
    // "23/160, 1 SMS" or "UCS-2 (Ž): 90/134, 2 SMS".
    QString label() const;
    // As a field's counter: `typed` characters of the field's `limit`, and
    // the SMS they take: "156/156, 1 SMS".
    QString label(int typed, int limit) const;
};

// The count of register bytes (code page 1252).
SmsCount countSms(const QByteArray& registerText);
SmsCount countSms(const QString& text);
