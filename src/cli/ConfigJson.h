// A configuration as JSON with named fields, as the configuration sheet
// shows it: the parameters, 16 inputs and 16 outputs. Texts are register
// bytes, written as the code-page-1252 characters they stand for, so every
// byte 1 to 255 comes back unchanged. Reading applies the sheet's rules and
// refuses a bad field by name.
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
};
// The configuration that the JSON describes, written into empty registers the
// way the sheet writes them. Missing fields keep the sheet's defaults.
ConfigFromJson configFromJson(const QByteArray& json);

// The differences between two configurations, one line each, by field name
// ("inputs[3].highText (input 4): \"a\" -> \"b\""); then registers that
// differ in bytes no field shows. Empty when the two images are equal.
QStringList configDifferences(const RegisterStore& a, const RegisterStore& b);

// The numbers of the registers whose whole slots differ, in order.
QStringList differingRegisters(const RegisterStore& a, const RegisterStore& b);
