#include "voice/Waveform.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace {
// This file's texts, in the program's language.
struct WaveformText {
    Q_DECLARE_TR_FUNCTIONS(WaveformText)
};
} // namespace

namespace {

// 8-bit unsigned samples sit around 128; 0 and 255 are full scale.
int level(char sample) {
    return int(quint8(sample)) - 128;
}

bool atFullScale(char sample) {
    return quint8(sample) == 0 || quint8(sample) == 255;
}

} // namespace

namespace Waveform {

QString Summary::describe() const {
    const QString length = QStringLiteral("%1 s").arg(seconds(), 0, 'f', 1);
    if (peak == 0)
        return length + WaveformText::tr(", silent");
    // Full scale is 128 below the middle and 127 above it.
    const double dbfs = std::min(0.0, 20 * std::log10(std::min(peak, 128) / 128.0));
    QString text = WaveformText::tr("%1, peak %2 dBFS").arg(length).arg(std::lround(dbfs));
    if (clipped)
        text += WaveformText::tr(", clipped");
    return text;
}

Summary summarise(const QByteArray& samples, int sampleRate) {
    Summary summary;
    summary.samples = samples.size();
    summary.sampleRate = sampleRate;
    for (char sample : samples) {
        summary.peak = std::max(summary.peak, std::abs(level(sample)));
        summary.clipped = summary.clipped || atFullScale(sample);
    }
    return summary;
}

QList<Column> columns(const QByteArray& samples, int count) {
    QList<Column> result;
    if (samples.isEmpty() || count <= 0)
        return result;
    result.reserve(count);
    const qint64 total = samples.size();
    for (int c = 0; c < count; ++c) {
        const qint64 begin = total * c / count;
        const qint64 end = std::max(begin + 1, total * (c + 1) / count);
        int low = 127, high = -128;
        bool clipped = false;
        for (qint64 i = begin; i < end && i < total; ++i) {
            low = std::min(low, level(samples[i]));
            high = std::max(high, level(samples[i]));
            clipped = clipped || atFullScale(samples[i]);
        }
        result.append({low / 128.0f, high / 128.0f, clipped});
    }
    return result;
}

} // namespace Waveform
