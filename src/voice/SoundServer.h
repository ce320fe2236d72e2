// Whether the sound server answers, asked without risking the window: Qt
// Multimedia's first call blocks for half a minute on a server that accepts
// connections and never replies (a stopped or hung PulseAudio), so the audio
// device asks here first and leaves Qt Multimedia alone when no answer comes.
#pragma once

#include <QString>

namespace SoundServer {

enum class Reply {
    Answers,       // the server completed a connection
    Absent,        // nothing to connect to, or it refused: Qt finds no device at once
    DoesNotAnswer, // connected, but no reply within the time allowed
};

constexpr int AnswerTimeoutMs = 3000;

// Connects to the server libpulse would use (PULSE_SERVER, client.conf, the
// user's runtime folder) on a thread of its own. The caller's thread keeps
// running its event loop meanwhile (timers and painting; the user's input
// waits), for at most timeoutMs. The thread ends by itself at its own
// deadline, so none is ever left behind blocked.
Reply ask(int timeoutMs = AnswerTimeoutMs);
// The same, blocking the calling thread for at most timeoutMs: for a thread
// that keeps no window.
Reply askHere(int timeoutMs = AnswerTimeoutMs);

// What the user is told when the server does not answer.
QString doesNotAnswerText();

} // namespace SoundServer
