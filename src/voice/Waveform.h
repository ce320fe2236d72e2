// What the recorder's waveform shows of a recording: its length, its peak
// level and the outline of its samples, from the unit's 8-bit unsigned mono
// samples.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace Waveform {

struct Column {
    float low = 0; // the lowest and highest sample in the column, -1 .. 1
    float high = 0;
    bool clipped = false; // a sample at full scale
};

struct Summary {
    qint64 samples = 0;
    int sampleRate = 0;
    int peak = 0;         // largest distance from the middle, 0 .. 128
    bool clipped = false; // a sample at full scale
    double seconds() const { return sampleRate > 0 ? double(samples) / sampleRate : 0; }
    // "1.4 s, peak -3 dBFS", "1.4 s, silent", "2.0 s, peak 0 dBFS, clipped".
    QString describe() const;
};

Summary summarise(const QByteArray& samples, int sampleRate);
// The samples cut into `count` columns of equal length (none when empty).
QList<Column> columns(const QByteArray& samples, int count);

} // namespace Waveform
