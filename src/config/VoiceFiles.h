// Names of a configuration's voice recordings, of the unit's copies and of the
// program's templates; the copy that seeds a new configuration with them.
// Names are matched without regard to case, as on the systems where
// configurations are made.
#pragma once

#include "config/CurrentConfig.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace VoiceFiles {

constexpr int InputCount = 16;

// Beside the configuration file: the title, '_' and the unit's name. Every
// configuration-side name is made here, whatever the title holds.
QString configName(const QString& title, const QString& unitName);
QString configHighName(const QString& title, int input); // "Alarm_H01.WAV"
QString configLowName(const QString& title, int input);  // "Alarm_L01.WAV"
QString configSelectOutputName(const QString& title);    // "Alarm_SelectOutput.wav"
QString configSelectOnOffName(const QString& title);     // "Alarm_SelectOnOff.wav"
// The 32 input messages: high then low for inputs 1 to 16.
QStringList configInputNames(const QString& title);

// The unit's names, which are also the templates' names.
QString unitHighName(int input); // "H01.WAV"
QString unitLowName(int input);  // "L01.WAV"
QString unitSelectOutputName();  // "SelectOutput.wav"
QString unitSelectOnOffName();   // "SelectOnOff.wav"

// The path of the entry of `folder` whose name equals `name` without regard to
// case (the exact spelling wins); folder/name when there is none.
QString resolveNoCase(const QString& folder, const QString& name);
// The same entry when it is a regular file (or a link to one); empty otherwise.
QString findFileNoCase(const QString& folder, const QString& name);

struct Recording {
    QString own;      // the configuration's recording, full path ("" when missing)
    QString unitName; // "H01.WAV"
    bool switchedOn;
    bool required = false; // a prompt: without it nothing is sent
};
// All 34 recordings in the order the unit receives them, whether switched
// on or not: the high messages, the low messages, the two prompts. What
// Transfer to unit then sends are the switched-on ones that exist.
QList<Recording> recordingsInSendingOrder(const QString& configFolder,
                                          const CurrentConfig& current);

} // namespace VoiceFiles

enum CopyResult {
    CopyDone = 0,
    CopyDestinationExists = 1,
    CopyDestinationNotCreated = 2, // also: the copy could not be written in full
    CopySourceNotOpened = 3,       // the destination stays behind, empty
    CopySourceLengthUnknown = 4,
};

// Copies source to destination unless the destination exists (any case of its
// name); never overwrites. Returns a CopyResult.
int CopyFileIfAbsent(const QString& destination, const QString& source);

// Gives a new configuration the 34 template recordings under its own names in
// configFolder; recordings that exist already are left alone.
void SeedVoiceFiles(const QString& configFolder, const QString& title,
                    const QString& templateFolder);

// The folder that holds the template recordings: beside the executable in a
// build tree, the installed data folder otherwise.
QString templateFolder();
