// The unit commands' progress on the main window's progress bar and status
// line. The commands run off the window's thread (see OffUiThread.h), so the
// window paints by itself meanwhile.
#pragma once

#include "seams/ProgressSink.h"

#include <QLabel>
#include <QPointer>

class QProgressBar;

class ProgressBarSink final : public ProgressSink {
public:
    explicit ProgressBarSink(QProgressBar* bar);
    void setProgress(int position) override;
    // The step is shown in `status` (the window's status line) when set.
    void setStep(const QString& step) override;
    void setStatusLabel(QLabel* status) { status_ = status; }

private:
    QPointer<QProgressBar> bar_;
    QPointer<QLabel> status_;
};
