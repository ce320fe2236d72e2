// The sound card as the voice recorder sees it: record from the default
// input, play a file on the default output, stop, and tell how long the
// recording is. The real device sits on Qt Multimedia; tests use a fake.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// How a record or play command ended, with the values the recorder's
// handling was written against.
enum class AudioNotification {
    Successful = 1, // playback reached the end of the file
    Superseded = 2,
    Aborted = 4,
    Failure = 8, // the device failed while recording or playing
};

class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // Starts a take at once, opening the default input first if need be, and
    // records 8-bit unsigned mono PCM at sampleRate (converting if the input
    // delivers another format). False, with errorText() set, when the input
    // cannot be opened; an input still opening that fails later ends the take
    // through the input handler.
    virtual bool record(int sampleRate) = 0;
    // Starts opening the default input ahead of the first record(), so that a
    // take holds its sound from the moment Record is pressed instead of
    // losing what passes while a fresh stream starts. Opening can take
    // seconds (a sound server that has just started or does not answer), so
    // a device may finish it later, off the caller's thread: it then calls
    // the input handler with the outcome from the event loop. A record()
    // meanwhile starts the take at once. closeInput() releases the input.
    virtual void openInput() { inputOpened(true); }
    virtual void closeInput() {}
    // Opens the WAV file at path and the default output and starts playing.
    // False, with errorText() set, when either cannot be opened.
    virtual bool play(const QString& path) = 0;
    // Ends recording or playback and closes the device; no notification.
    virtual void stop() = 0;
    // The samples of the last recording in the unit's format; empties it.
    virtual QByteArray takeRecording() = 0;
    // Milliseconds recorded so far; 0 when nothing is being recorded.
    virtual qint64 lengthMs() const = 0;
    // Why the last record or play failed, in the audio layer's words.
    virtual QString errorText() const = 0;
    // Whether the last failure was a sound server that took the connection
    // but did not answer (stopped or hung), rather than a missing device.
    virtual bool serverDoesNotAnswer() const { return false; }

    // Called when a record or play command ends by itself. The real device
    // calls it from the event loop, never from inside one of the calls above.
    void setNotificationHandler(std::function<void(AudioNotification)> handler) {
        handler_ = std::move(handler);
    }

    // Called when an opening of the input ends: true when it is open, false
    // with errorText() (and serverDoesNotAnswer()) set when it failed.
    void setInputHandler(std::function<void(bool opened)> handler) {
        inputHandler_ = std::move(handler);
    }

protected:
    void notify(AudioNotification code) {
        if (handler_)
            handler_(code);
    }
    void inputOpened(bool opened) {
        if (inputHandler_)
            inputHandler_(opened);
    }

private:
    std::function<void(AudioNotification)> handler_;
    std::function<void(bool)> inputHandler_;
};
