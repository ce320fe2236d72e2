// Where long work reports how far it has come: the main window's progress
// bar, a command-line progress line, or a test's list of values.
#pragma once

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // A position from 0 to 100.
    virtual void setProgress(int position) = 0;
};
