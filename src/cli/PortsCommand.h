// quillary-cli ports: the serial devices attached, one line each, with the
// --port value that picks each one.
#pragma once

#include "cli/CliConsole.h"

class SerialDeviceFinder;

int listPorts(CliConsole& console, SerialDeviceFinder& finder, bool json);
