// The real audio device: records from the default input with QAudioSource and
// plays on the default output with QAudioSink (PulseAudio on Linux). When a
// device cannot take the unit's format directly it records or plays the
// device's preferred format and converts.
#pragma once

#include "voice/AudioDevice.h"
#include "voice/SoundServer.h"
#include "voice/WaveFile.h"

#include <QAudio>
#include <QBuffer>
#include <QElapsedTimer>
#include <QObject>

#include <memory>

class QAudioSink;
class QAudioSource;

class QtAudioDevice final : public QObject, public AudioDevice {
    Q_OBJECT
public:
    explicit QtAudioDevice(QObject* parent = nullptr);
    ~QtAudioDevice() override;

    bool record(int sampleRate) override;
    bool openInput() override;
    void closeInput() override;
    bool play(const QString& path) override;
    void stop() override;
    QByteArray takeRecording() override;
    qint64 lengthMs() const override;
    QString errorText() const override { return error_; }
    bool serverDoesNotAnswer() const override { return serverSilent_; }

    // Tests: record in the input's preferred format even when it could take
    // the unit's, to exercise the conversion.
    void setAlwaysConvert(bool on) { alwaysConvert_ = on; }
    // The format the input is being recorded in.
    WaveFile::PcmFormat captureFormat() const { return captureFormat_; }
    // When the first captured bytes of the running recording reached its
    // buffer (a started monotonic timer); invalid while none have arrived.
    QElapsedTimer firstSampleTime() const;
    // Whether the input stream is open (it stays open between takes).
    bool isInputOpen() const { return bool(source_); }
    // How long to wait for the sound server's answer.
    void setServerTimeout(int ms) { serverTimeoutMs_ = ms; }

private:
    bool serverAnswers();
    void waitUntilLive();
    void onSinkState(QAudio::State state);
    void onSourceState(QAudio::State state);
    void readInput();
    void finishRecording();
    void postNotification(AudioNotification code);
    static QString describe(QAudio::Error error);

    std::unique_ptr<QAudioSource> source_;
    QIODevice* input_ = nullptr; // owned by source_
    // The running take: what arrived since Record, and when Record was pressed.
    bool capturing_ = false;
    QByteArray capture_;
    QElapsedTimer recordPressed_;
    QElapsedTimer firstSample_;
    std::unique_ptr<QAudioSink> sink_;
    QBuffer playback_;
    QByteArray playbackData_;
    WaveFile::PcmFormat captureFormat_;
    int recordRate_ = WaveFile::UnitSampleRate;
    QByteArray recording_;
    QString error_;
    bool alwaysConvert_ = false;
    bool serverSilent_ = false;
    quint64 inputGeneration_ = 0; // counts opens and closes of the input
    bool opening_ = false;
    bool delivered_ = false; // the input has delivered sound since it opened
    int serverTimeoutMs_ = SoundServer::AnswerTimeoutMs;
    // Counts record/play sessions, so a notification posted for one that has
    // since been stopped is dropped.
    quint64 session_ = 0;
};
