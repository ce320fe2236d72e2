// A configuration as JSON with named fields, as the configuration sheet
// shows it: the parameters, 16 inputs and 16 outputs. Texts are register
// bytes, written as the code-page-1252 characters they stand for, so every
// byte 1 to 255 comes back unchanged. What the fields do not show goes into
// one more member, "extra", by register number and only for registers that
// hold any: {"86": {"text": ...}, "17": {"tail": ...}}, "text" being the
// register's own spelling where it differs from the field's ("0250"), "tail"
// the bytes after its terminating zero (a zero byte as U+0000). So show and
// import give back any configuration file byte for byte.
#pragma once

#include "config/RegisterStore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The registers as the sheet shows them, as indented JSON.
QByteArray configToJson(const RegisterStore& store);

struct ConfigFromJson {
    std::optional<RegisterStore> store; // empty when refused
    QString error;                      // "<field>: <rule>" when refused
    QStringList warnings;               // "<field>: <rule>" for values the editor would refuse
};
// The configuration that the JSON describes, written into empty registers the
// way the sheet writes them, with the residue of "extra". Missing fields keep
// the sheet's defaults. Refused: what a register cannot hold (more than 255
// bytes, a zero, a character outside the code page); imported with a warning:
// what the editor would refuse (its text limits, the pulse range).
ConfigFromJson configFromJson(const QByteArray& json);

// The differences between two configurations, one line each, by field name
// ("inputs[3].highText (input 4): \"a\" -> \"b\""); then registers that
// differ in bytes no field shows. Empty when the two images are equal.
QStringList configDifferences(const RegisterStore& a, const RegisterStore& b);

// The numbers of the registers whose whole slots differ, in order.
QStringList differingRegisters(const RegisterStore& a, const RegisterStore& b);
