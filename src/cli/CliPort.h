// The port the command-line program reaches the unit through: --port, else
// the profile's COMPORT, the same setting the window uses.
#pragma once

#include <QString>
#include <optional>

struct CliPort {
    QString portText; // handed to the link library: "USB1", "COM1" to "COM4"
    QString device;   // a device path, used in place of the port text; empty: none
};

// "USB", "COM1" to "COM4" (in any case), or a device path (it holds a "/").
std::optional<CliPort> parsePortOption(const QString& text);
