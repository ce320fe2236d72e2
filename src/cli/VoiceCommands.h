// voice import, voice speak, voice list: a configuration's voice messages
// made from sound files or text, and listed with what Transfer to unit would
// send.
#pragma once

#include "cli/CliConsole.h"

#include <QString>
#include <optional>

struct VoiceCommandOptions {
    QString configPath;
    QString message;             // "H03", "SelectOutput", ...
    QString audioPath;           // import
    std::optional<QString> text; // speak: instead of the input's text
    QString language;            // speak: empty for the profile's or the desktop's
    bool lowQuality = false;
    bool json = false;   // list
    QString profilePath; // the window's settings, for VoiceRecorder/Language
};

// 0 written; 2 a bad message name, or (speak) nothing to speak or an unknown
// language; 3 the sound file or the recording cannot be read or written, is
// not sound, is silent or too long.
int voiceImport(CliConsole& console, const VoiceCommandOptions& options);
int voiceSpeak(CliConsole& console, const VoiceCommandOptions& options);
// 0 listed; 3 the configuration cannot be read.
int voiceList(CliConsole& console, const VoiceCommandOptions& options);
