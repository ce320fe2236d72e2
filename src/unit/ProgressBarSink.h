// The unit commands' progress on the main window's progress bar. The link
// calls block the window's thread, so each step also lets the window paint
// and its clock tick; the user's input meanwhile is dropped, as a busy window
// ignores it, rather than kept to act once the buttons are enabled again.
#pragma once

#include "seams/ProgressSink.h"

#include <QObject>
#include <QLabel>
#include <QPointer>

class QProgressBar;

class ProgressBarSink final : public QObject, public ProgressSink {
public:
    explicit ProgressBarSink(QProgressBar* bar);
    void setProgress(int position) override;
    // The step is shown in `status` (the window's status line) when set.
    void setStep(const QString& step) override;
    void setStatusLabel(QLabel* status) { status_ = status; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QProgressBar> bar_;
    QPointer<QLabel> status_;
};
