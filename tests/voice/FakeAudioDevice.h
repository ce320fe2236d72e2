// An audio device that records its calls and finishes when told to.
#pragma once

#include "voice/AudioDevice.h"

#include <QFileInfo>
#include <QStringList>

class FakeAudioDevice final : public AudioDevice {
public:
    QStringList calls; // "open input", "record 8000", "play Alarm_H01.WAV", "stop"
    bool refuse = false;
    QString error = QStringLiteral("The audio device is busy.");
    qint64 length = 0;
    QByteArray samples;
    bool inputOpens = true;    // the outcome of openInput()
    bool silentServer = false; // serverDoesNotAnswer()
    bool openLater = false;    // openInput() ends only at finishOpening()

    void openInput() override {
        calls << QStringLiteral("open input");
        if (!openLater)
            inputOpened(inputOpens);
    }
    void finishOpening() { inputOpened(inputOpens); }
    bool serverDoesNotAnswer() const override { return silentServer; }
    bool record(int sampleRate) override {
        calls << QStringLiteral("record %1").arg(sampleRate);
        return !refuse;
    }
    bool play(const QString& path) override {
        calls << QStringLiteral("play ") + QFileInfo(path).fileName();
        return !refuse;
    }
    void stop() override { calls << QStringLiteral("stop"); }
    QByteArray takeRecording() override { return samples; }
    qint64 lengthMs() const override { return length; }
    QString errorText() const override { return error; }

    void finish(AudioNotification code) { notify(code); }
};
