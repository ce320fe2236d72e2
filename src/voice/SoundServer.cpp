#include "voice/SoundServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <pulse/context.h>
#include <pulse/mainloop.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Runs on the probe's own thread; every wait is bounded by the deadline.
SoundServer::Reply connectOnce(Clock::time_point deadline) {
    using SoundServer::Reply;
    pa_mainloop* loop = pa_mainloop_new();
    if (!loop)
        return Reply::Absent;
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "Quillary sound check");
    Reply reply = Reply::Absent;
    if (context && pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(context);
            if (state == PA_CONTEXT_READY) {
                reply = Reply::Answers;
                break;
            }
            if (!PA_CONTEXT_IS_GOOD(state))
                break;
            const auto left =
                std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                reply = Reply::DoesNotAnswer;
                break;
            }
            if (pa_mainloop_prepare(loop, int(left.count())) < 0 || pa_mainloop_poll(loop) < 0 ||
                pa_mainloop_dispatch(loop) < 0)
                break;
        }
        pa_context_disconnect(context);
    }
    if (context)
        pa_context_unref(context);
    pa_mainloop_free(loop);
    return reply;
}

} // namespace

namespace SoundServer {

Reply ask(int timeoutMs) {
    // Shared with the thread, which may outlive this call by a moment.
    struct Outcome {
        std::atomic<int> reply{-1};
    };
    const auto outcome = std::make_shared<Outcome>();
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::thread([outcome, deadline] { outcome->reply = int(connectOnce(deadline)); }).detach();

    // A server that answers does so within milliseconds; look often.
    QEventLoop wait;
    QTimer poll;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&poll, &QTimer::timeout, &wait, [&] {
        if (outcome->reply >= 0 || waited.elapsed() >= timeoutMs)
            wait.quit();
    });
    poll.start(5);
    if (outcome->reply < 0)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    const int reply = outcome->reply;
    return reply < 0 ? Reply::DoesNotAnswer : Reply(reply);
}

Reply askHere(int timeoutMs) {
    return connectOnce(Clock::now() + std::chrono::milliseconds(timeoutMs));
}

QString doesNotAnswerText() {
    return QCoreApplication::translate(
        "SoundServer",
        "The sound server does not answer, so nothing can be recorded or played: it is running "
        "but stopped or hung. Restart it (log out and in again, or run \"systemctl --user restart "
        "pipewire pipewire-pulse\" or \"systemctl --user restart pulseaudio\") and try again.");
}

} // namespace SoundServer
