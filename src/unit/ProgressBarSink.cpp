#include "unit/ProgressBarSink.h"

#include <QProgressBar>

ProgressBarSink::ProgressBarSink(QProgressBar* bar) : bar_(bar) {}

void ProgressBarSink::setStep(const QString& step) {
    if (status_)
        status_->setText(step);
}

void ProgressBarSink::setProgress(int position) {
    if (bar_)
        bar_->setValue(position);
}
