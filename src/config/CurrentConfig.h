// Which configuration is current. The configuration session owns the one
// instance and changes it on load and save; everyone else only reads it.
#pragma once

#include <QByteArray>
#include <QString>

struct CurrentConfig {
    QString g_configPath;        // full path of the current configuration file; empty: none
    QString g_configTitle;       // its file name without folder and extension
    QByteArray g_voiceHighFlags; // copy of the high voice flags from the last load or save
    QByteArray g_voiceLowFlags;  // copy of the low voice flags from the last load or save
};
