#include "voice/WaveformView.h"

#include "voice/WaveFile.h"

#include <QPaintEvent>
#include <QPainter>

CWaveformView::CWaveformView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("waveformView"));
    setAccessibleName(tr("Recording"));
    setMinimumHeight(sizeHint().height());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    load(QString());
}

void CWaveformView::load(const QString& path) {
    WaveFile::WaveContents wave;
    QString error;
    if (!path.isEmpty() && WaveFile::readWave(path, &wave, &error)) {
        const WaveFile::PcmFormat unit = WaveFile::unitFormat(wave.format.sampleRate);
        samples_ =
            wave.format == unit ? wave.data : WaveFile::convertPcm(wave.data, wave.format, unit);
        text_ = Waveform::summarise(samples_, wave.format.sampleRate).describe();
    } else {
        samples_.clear();
        text_ = tr("No recording");
    }
    setAccessibleDescription(text_);
    setToolTip(text_);
    update();
}

namespace {
constexpr int WaveHeight = 40;
}

QSize CWaveformView::sizeHint() const {
    return {300, fontMetrics().height() + 2 + WaveHeight};
}

QRect CWaveformView::textArea() const {
    return {0, 0, width(), fontMetrics().height() + 2};
}

QRect CWaveformView::waveArea() const {
    const int top = textArea().bottom() + 1;
    return {0, top, width(), height() - top};
}

void CWaveformView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().windowText().color());
    painter.drawText(textArea().adjusted(4, 1, -4, -1), Qt::AlignRight | Qt::AlignVCenter, text_);
    const QRect area = waveArea().adjusted(0, 0, -1, -1);
    painter.fillRect(waveArea(), palette().base());
    painter.setPen(palette().mid().color());
    painter.drawRect(area);
    const int middle = area.center().y();
    const double half = (area.height() - 2) / 2.0;
    painter.drawLine(area.left() + 1, middle, area.right() - 1, middle);

    const QList<Waveform::Column> columns = Waveform::columns(samples_, area.width() - 1);
    const QColor wave = palette().text().color();
    const QColor clipped(220, 0, 0);
    for (int x = 0; x < columns.size(); ++x) {
        const Waveform::Column& column = columns[x];
        painter.setPen(column.clipped ? clipped : wave);
        painter.drawLine(area.left() + 1 + x, middle - int(column.high * half), area.left() + 1 + x,
                         middle - int(column.low * half));
    }
}
