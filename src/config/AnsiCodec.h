// Register texts are 8-bit bytes in the Windows ANSI code page (1252). These
// convert them to on-screen text and back so that every byte 1 to 255 comes
// back unchanged; never decode register bytes as UTF-8.
#pragma once

#include <QByteArray>
#include <QString>

QString ansiToText(const QByteArray& bytes);
// Characters the code page cannot hold become '?'.
QByteArray textToAnsi(const QString& text);
