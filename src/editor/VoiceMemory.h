// The unit's voice memory and how much of it a configuration's recordings
// take, counted from the WAV files beside the configuration file.
#pragma once

#include <QString>

namespace EditorVoice {

constexpr int VoiceMemoryCapacity = 540672; // bytes

// Bytes of sound data behind the 44-byte header: the RIFF size field minus
// 36. A missing, unreadable or too short file counts 0, never less.
int soundDataSize(const QString& path);

// The sound data of all 32 input messages ("<title>_H01.WAV" ... "_L16.WAV")
// in `folder`, names matched without regard to case.
int countUsedVoiceMemory(const QString& folder, const QString& title);

} // namespace EditorVoice
