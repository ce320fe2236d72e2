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
class QThread;

class QtAudioDevice final : public QObject, public AudioDevice {
    Q_OBJECT
public:
    explicit QtAudioDevice(QObject* parent = nullptr);
    ~QtAudioDevice() override;

    bool record(int sampleRate) override;
    void openInput() override;
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
    // Tests: the input takes this much longer to open, as on a sound server
    // that has just started.
    void setOpenDelay(int ms) { openDelayMs_ = ms; }
    // The format the input is being recorded in.
    WaveFile::PcmFormat captureFormat() const { return captureFormat_; }
    // When the first captured bytes of the running recording reached its
    // buffer (a started monotonic timer); invalid while none have arrived.
    QElapsedTimer firstSampleTime() const;
    // Whether the input stream is open (it stays open between takes).
    bool isInputOpen() const { return inputOpen_; }
    // How long to wait for the sound server's answer.
    void setServerTimeout(int ms) { serverTimeoutMs_ = ms; }

    struct Capture; // what the input thread hands over
    struct Input;   // the input stream, kept on the input thread

private:
    struct Opened;
    void onInputOpened(quint64 generation, const Opened& result);
    void onInputLost();
    bool serverAnswers();
    void onSinkState(QAudio::State state);
    void finishRecording();
    void postNotification(AudioNotification code);
    static QString describe(QAudio::Error error);

    // Qt Multimedia's opening of an input blocks for a few hundred
    // milliseconds on a sound server that has just started (seconds on one
    // that does not answer), so the input lives on a thread of its own.
    QThread* inputThread_;
    QObject* inputContext_; // lives on inputThread_
    std::shared_ptr<Input> input_;
    std::shared_ptr<Capture> capture_;
    bool inputOpen_ = false;
    bool opening_ = false;
    // The running take: since when, and whether it began before the input
    // delivered sound (its start is then silence).
    bool capturing_ = false;
    bool startedBeforeSound_ = false;
    QElapsedTimer recordPressed_;
    std::unique_ptr<QAudioSink> sink_;
    QBuffer playback_;
    QByteArray playbackData_;
    WaveFile::PcmFormat captureFormat_;
    int recordRate_ = WaveFile::UnitSampleRate;
    QByteArray recording_;
    QString error_;
    bool alwaysConvert_ = false;
    bool serverSilent_ = false;
    int openDelayMs_ = 0;
    quint64 inputGeneration_ = 0; // counts opens and closes of the input
    int serverTimeoutMs_ = SoundServer::AnswerTimeoutMs;
    // Counts record/play sessions, so a notification posted for one that has
    // since been stopped is dropped.
    quint64 session_ = 0;
};
