// An audio device that records its calls and finishes when told to.
#pragma once

#include "voice/AudioDevice.h"

#include <QFileInfo>
#include <QStringList>

#include <functional>
#include <utility>

class FakeAudioDevice final : public AudioDevice {
public:
    QStringList calls; // "open input", "record 8000", "play Alarm_H01.WAV", "stop"
    bool refuse = false;
    QString error = QStringLiteral("The audio device is busy.");
    qint64 length = 0;
    QByteArray samples;
    bool inputOpens = true;    // what openInput() answers
    bool silentServer = false; // serverDoesNotAnswer()
    // Run once inside the next openInput() or record(), while the real device
    // would wait for the sound server: what arrives meanwhile.
    std::function<void()> meanwhile;

    bool openInput() override {
        calls << QStringLiteral("open input");
        opening_ = true;
        runMeanwhile();
        opening_ = false;
        return inputOpens;
    }
    bool serverDoesNotAnswer() const override { return silentServer; }
    bool record(int sampleRate) override {
        calls << QStringLiteral("record %1").arg(sampleRate);
        // As the real device did: no take, and no reason, while the input opens.
        refusedWhileOpening_ = opening_;
        opening_ = true;
        runMeanwhile();
        opening_ = false;
        return !refuse && !refusedWhileOpening_;
    }
    bool play(const QString& path) override {
        calls << QStringLiteral("play ") + QFileInfo(path).fileName();
        return !refuse;
    }
    void stop() override { calls << QStringLiteral("stop"); }
    QByteArray takeRecording() override { return samples; }
    qint64 lengthMs() const override { return length; }
    QString errorText() const override { return refusedWhileOpening_ ? QString() : error; }

    void finish(AudioNotification code) { notify(code); }

private:
    bool opening_ = false;
    bool refusedWhileOpening_ = false;

    void runMeanwhile() {
        if (const auto run = std::exchange(meanwhile, {}))
            run();
    }
};
