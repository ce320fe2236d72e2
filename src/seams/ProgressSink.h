// Where long work reports how far it has come: the main window's progress
// bar, a command-line progress line, or a test's list of values.
#pragma once

#include <QString>

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // A position from 0 to 100.
    virtual void setProgress(int position) = 0;
    // What the work is doing now, e.g. "writing register 40 of 87".
    virtual void setStep(const QString&) {}
};
