#include "cli/CliConsole.h"

#include <unistd.h>

namespace {
constexpr int BarWidth = 30;
}

CliConsole::CliConsole(std::FILE* out, std::FILE* err, bool terminal)
    : out_(out), err_(err), terminal_(terminal) {}

CliConsole& CliConsole::standard() {
    static CliConsole console(stdout, stderr, ::isatty(STDERR_FILENO) == 1);
    return console;
}

void CliConsole::setProgress(int position) {
    position = qBound(0, position, 100);
    if (position == position_)
        return;
    position_ = position;
    if (terminal_ && barShown_)
        drawBar();
}

void CliConsole::setStep(const QString& step) {
    step_ = step;
    if (terminal_)
        drawBar();
    else
        write(err_, step + '\n');
}

void CliConsole::endProgress() {
    if (barShown_)
        write(err_, QStringLiteral("\r\033[K"));
    barShown_ = false;
    position_ = 0;
    step_.clear();
}

void CliConsole::out(const QString& line) {
    endProgress();
    write(out_, line + '\n');
}

void CliConsole::err(const QString& line) {
    endProgress();
    write(err_, line + '\n');
}

void CliConsole::fail(const QString& message) {
    err(QStringLiteral("quillary-cli: ") + message);
}

void CliConsole::drawBar() {
    const int filled = position_ * BarWidth / 100;
    const QString bar = QString(filled, '#') + QString(BarWidth - filled, '-');
    write(err_, QStringLiteral("\r[%1] %2%  %3\033[K").arg(bar).arg(position_, 3).arg(step_));
    barShown_ = true;
}

void CliConsole::write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}
