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

    // Opens the default input and starts recording 8-bit unsigned mono PCM at
    // sampleRate (converting if the input delivers another format). False,
    // with errorText() set, when the input cannot be opened.
    virtual bool record(int sampleRate) = 0;
    // Opens the default input ahead of the first record(), so that a take
    // holds its sound from the moment Record is pressed instead of losing
    // what passes while a fresh stream starts. False when it cannot be opened
    // (record() then tries again and tells why). closeInput() releases it.
    virtual bool openInput() { return true; }
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

protected:
    void notify(AudioNotification code) {
        if (handler_)
            handler_(code);
    }

private:
    std::function<void(AudioNotification)> handler_;
};
