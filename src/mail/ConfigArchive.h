// The zip archive that carries a configuration by e-mail: the configuration
// file under its folder path, then the voice files that exist beside it under
// the names the configuration's title gives them.
#pragma once

#include <QString>
#include <QStringList>

namespace ConfigArchive {

// Beside the configuration: its file name in lower case with ".qrb" turned
// into ".zip", or ".zip" appended, so the archive never replaces the file
// itself. "/home/u/Cfg/Test.Qrb" gives "/home/u/Cfg/test.zip".
QString archivePathFor(const QString& configPath);

// The voice files in the order they are packed: the two prompts, then high
// and low for inputs 1 to 16 ("Plant1_SelectOutput.WAV", ..., "Plant1_L16.WAV").
QStringList voiceEntryNames(const QString& title);

struct PackResult {
    bool ok = false;
    QString error; // cause and file, for the user
};

// Writes the archive into a new file beside it and renames that over the
// archive's name, so a failure leaves no trace and any earlier archive as it
// was; a symbolic link of that name is replaced, never written through. The
// archive is no more readable than the configuration. Voice files are found
// without regard to case; a missing or unreadable one is left out. Anything
// else under a voice file's name that cannot be a recording (not a regular
// file, or larger than WaveFile::MaxRecordingFileSize) fails the pack before
// anything is written. Every failure of the zip writer is caught and described.
PackResult pack(const QString& configPath, const QString& title, const QString& archivePath);

} // namespace ConfigArchive
