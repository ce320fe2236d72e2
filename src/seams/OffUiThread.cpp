#include "seams/OffUiThread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

#include <memory>
#include <type_traits>

namespace {

// Drops the user's input to every window while installed; the window ends
// only through its own Close command, so a close request is dropped too.
class InputHold final : public QObject {
public:
    void hold(bool on) {
        if (on)
            QCoreApplication::instance()->installEventFilter(this);
        else
            QCoreApplication::instance()->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::Close:
            return true;
        default:
            return false;
        }
    }
};

// Runs call on the thread of `home` and returns its result; the calling
// thread waits.
template <typename Call> auto onThreadOf(QObject& home, Call call) {
    if (QThread::currentThread() == home.thread())
        return call();
    using Result = decltype(call());
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(&home, call, Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            &home, [&] { result = call(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

// Runs call on the window's thread with the user's input let through, for a
// dialog that call opens.
template <typename Call> auto asking(InputHold& hold, Call call) {
    return onThreadOf(hold, [&] {
        hold.hold(false);
        struct Rehold {
            InputHold& hold;
            ~Rehold() { hold.hold(true); }
        } rehold{hold};
        return call();
    });
}

// The seams as the work's thread sees them: each call is made on the
// window's thread, and a dialog there gets the user's input meanwhile.
class ForwardedSeams final : public UserInteraction, public ProgressSink, public CommandButtons {
public:
    ForwardedSeams(const CommandSeams& seams, InputHold& hold) : seams_(seams), hold_(hold) {}

    QString chooseFile(const FileDialogRequest& request) override {
        return asking(hold_, [&] { return seams_.ui.chooseFile(request); });
    }
    Answer showMessage(const MessageRequest& request) override {
        return asking(hold_, [&] { return seams_.ui.showMessage(request); });
    }
    void showAbout() override {
        asking(hold_, [&] { seams_.ui.showAbout(); });
    }
    void setProgress(int position) override {
        onThreadOf(hold_, [&] { seams_.progress.setProgress(position); });
    }
    void setStep(const QString& step) override {
        onThreadOf(hold_, [&] { seams_.progress.setStep(step); });
    }
    void apply(EnableState state) override {
        onThreadOf(hold_, [&] { seams_.buttons.apply(state); });
    }

private:
    const CommandSeams& seams_;
    InputHold& hold_;
};

} // namespace

void runOffUiThread(const CommandSeams& seams,
                    const std::function<void(const CommandSeams&)>& work) {
    if (!QCoreApplication::instance()) {
        work(seams);
        return;
    }
    InputHold hold;
    ForwardedSeams forwarded(seams, hold);
    const CommandSeams there{forwarded, forwarded, forwarded};
    hold.hold(true);
    waitForThread([&] { work(there); });
    hold.hold(false);
}

void waitForThread(const std::function<void()>& job, QEventLoop::ProcessEventsFlags flags) {
    if (!QCoreApplication::instance()) {
        job();
        return;
    }
    QEventLoop loop;
    const std::unique_ptr<QThread> thread(QThread::create(job));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    thread->start();
    loop.exec(flags);
    thread->wait();
}
