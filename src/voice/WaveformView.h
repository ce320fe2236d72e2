// The recorder's small picture of the current recording: its outline, so that
// silence, clipping and a cut-off start show, with its length and peak level
// written on a line above it and given to screen readers as the description.
#pragma once

#include "voice/Waveform.h"

#include <QByteArray>
#include <QWidget>

class CWaveformView : public QWidget {
    Q_OBJECT
public:
    explicit CWaveformView(QWidget* parent = nullptr);

    // Reads the recording at path (a regular file no larger than a recording
    // can be; anything else shows as no recording) and redraws.
    void load(const QString& path);
    QString summaryText() const { return text_; }

    QSize sizeHint() const override;
    // Where the length and level are written, and where the outline is drawn:
    // one above the other, so the text never hides the outline.
    QRect textArea() const;
    QRect waveArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QByteArray samples_; // the unit's 8-bit unsigned mono samples
    QString text_;
};
