// The one sound format the unit plays: a RIFF/WAVE file of 8-bit mono PCM at
// 8000 or 4000 samples per second, as the voice recorder writes it.
#pragma once

#include <QString>

// Why the file at `path` cannot go to the unit, as the end of a sentence
// ("it is not a WAV file"); empty when it can.
QString unitWavProblem(const QString& path);
