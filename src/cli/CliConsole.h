// Where the command-line program talks to its user: results on standard
// output, failures and progress on standard error. On a terminal long work
// shows one progress bar line, redrawn in place, naming the register or file
// being sent; otherwise each step is one line, so a log reads well.
#pragma once

#include "seams/ProgressSink.h"

#include <QString>
#include <cstdio>

class CliConsole final : public ProgressSink {
public:
    CliConsole(std::FILE* out, std::FILE* err, bool terminal);
    // Standard output and error, with a bar only when standard error is a terminal.
    static CliConsole& standard();

    bool isTerminal() const { return terminal_; }

    void setProgress(int position) override;
    // What the work is doing now, e.g. "writing register 40 of 87".
    void setStep(const QString& step) override;
    // Takes the progress bar off the screen, so the next text starts on a clean line.
    void endProgress();

    void out(const QString& line);
    void err(const QString& line);
    // A failure on standard error, after the program's name.
    void fail(const QString& message);

private:
    void drawBar();
    void write(std::FILE* stream, const QString& text);

    std::FILE* out_;
    std::FILE* err_;
    bool terminal_;
    bool barShown_ = false;
    int position_ = 0;
    QString step_;
};
