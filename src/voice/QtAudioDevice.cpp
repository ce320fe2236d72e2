#include "voice/QtAudioDevice.h"

#include "voice/SoundServer.h"
#include "voice/VoiceSource.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QAudioSource>
#include <QMediaDevices>
#include <QMutex>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <utility>

using WaveFile::PcmFormat;
using WaveFile::SampleType;

namespace {

// Short device buffers: the recording's length and the first samples show
// up soon after Record is pressed, not after a long default buffer fills.
constexpr int CaptureBufferMs = 40;
// At Stop the samples up to the Stop time are still on their way from the
// device; wait this long at most for them, well within what a click may take.
constexpr int DrainTimeoutMs = 20;

QAudioFormat toQt(const PcmFormat& pcm) {
    QAudioFormat format;
    format.setSampleRate(pcm.sampleRate);
    format.setChannelCount(pcm.channels);
    switch (pcm.sampleType) {
    case SampleType::UInt8:
        format.setSampleFormat(QAudioFormat::UInt8);
        break;
    case SampleType::Int16:
        format.setSampleFormat(QAudioFormat::Int16);
        break;
    case SampleType::Int32:
        format.setSampleFormat(QAudioFormat::Int32);
        break;
    case SampleType::Float:
        format.setSampleFormat(QAudioFormat::Float);
        break;
    }
    return format;
}

bool fromQt(const QAudioFormat& format, PcmFormat* pcm) {
    if (!format.isValid())
        return false;
    pcm->sampleRate = format.sampleRate();
    pcm->channels = format.channelCount();
    switch (format.sampleFormat()) {
    case QAudioFormat::UInt8:
        pcm->sampleType = SampleType::UInt8;
        return true;
    case QAudioFormat::Int16:
        pcm->sampleType = SampleType::Int16;
        return true;
    case QAudioFormat::Int32:
        pcm->sampleType = SampleType::Int32;
        return true;
    case QAudioFormat::Float:
        pcm->sampleType = SampleType::Float;
        return true;
    default:
        return false;
    }
}

} // namespace

// Filled on the input thread as the input delivers, read on the window's.
struct QtAudioDevice::Capture {
    QMutex mutex;
    QByteArray bytes;       // the running take's sound
    bool capturing = false; // a take runs: keep what arrives
    bool delivered = false; // the input has delivered sound since it opened
    QElapsedTimer firstSample;
};

// Touched only on the input thread.
struct QtAudioDevice::Input {
    std::unique_ptr<QAudioSource> source;
    QIODevice* io = nullptr; // owned by source

    void close() {
        if (!source)
            return;
        source->disconnect();
        if (io)
            io->disconnect();
        source->stop();
        source.reset();
        io = nullptr;
    }
};

struct QtAudioDevice::Opened {
    bool ok = false;
    bool serverSilent = false;
    QString error;
    PcmFormat format;
};

QtAudioDevice::QtAudioDevice(QObject* parent)
    : QObject(parent), inputThread_(new QThread(this)), inputContext_(new QObject),
      input_(std::make_shared<Input>()), capture_(std::make_shared<Capture>()) {
    inputThread_->setObjectName(QStringLiteral("sound input"));
    inputContext_->moveToThread(inputThread_);
    connect(inputThread_, &QThread::finished, inputContext_, &QObject::deleteLater);
    inputThread_->start();
}

QtAudioDevice::~QtAudioDevice() {
    closeInput();
    // The stream is Qt Multimedia's and belongs to the input thread; it waits
    // at most for an opening under way (the sound server's timeout).
    QMetaObject::invokeMethod(
        inputContext_, [input = input_] { input->close(); }, Qt::BlockingQueuedConnection);
    inputThread_->quit();
    inputThread_->wait();
}

QString QtAudioDevice::describe(QAudio::Error error) {
    switch (error) {
    case QAudio::OpenError:
        return tr("The audio device could not be opened: it is busy or refuses "
                  "the recording format.");
    case QAudio::IOError:
        return tr("The audio device stopped delivering or taking sound.");
    case QAudio::UnderrunError:
        return tr("The audio device ran out of sound data.");
    case QAudio::FatalError:
        return tr("The audio device failed and cannot be used.");
    case QAudio::NoError:
        break;
    }
    return tr("The audio device could not be started.");
}

// Qt Multimedia blocks the calling thread for half a minute on a sound server
// that takes the connection and never replies; ask first, off this thread.
bool QtAudioDevice::serverAnswers() {
    serverSilent_ = SoundServer::ask(serverTimeoutMs_) == SoundServer::Reply::DoesNotAnswer;
    if (serverSilent_) {
        error_ = SoundServer::doesNotAnswerText();
        // Speak would otherwise wait half a minute on it too.
        keepSpeechOffTheSoundServer();
    }
    return !serverSilent_;
}

// The input stays open from the recorder's opening to its closing: a freshly
// started capture stream delivers nothing for its first few hundred
// milliseconds, which cut the start off the first take. What the stream
// delivers while no take runs is read and dropped. All of it happens on the
// input thread; the outcome comes back through the event loop.
void QtAudioDevice::openInput() {
    if (inputOpen_ || opening_)
        return;
    opening_ = true;
    error_.clear();
    serverSilent_ = false;
    {
        const QMutexLocker lock(&capture_->mutex);
        capture_->delivered = false;
    }
    const quint64 generation = ++inputGeneration_;
    QPointer<QtAudioDevice> self(this);
    QMetaObject::invokeMethod(inputContext_, [self, generation, input = input_, capture = capture_,
                                              timeoutMs = serverTimeoutMs_,
                                              convert = alwaysConvert_, delayMs = openDelayMs_,
                                              context = inputContext_] {
        if (delayMs > 0)
            QThread::msleep(ulong(delayMs));
        Opened result;
        input->close();
        if (SoundServer::askHere(timeoutMs) == SoundServer::Reply::DoesNotAnswer) {
            result.serverSilent = true;
            result.error = SoundServer::doesNotAnswerText();
        } else if (const QAudioDevice device = QMediaDevices::defaultAudioInput();
                   device.isNull()) {
            result.error = tr("No sound input is available: there is no sound card or sound "
                              "server to record from.");
        } else {
            const QAudioFormat wanted = toQt(WaveFile::unitFormat(WaveFile::UnitSampleRate));
            const QAudioFormat format =
                !convert && device.isFormatSupported(wanted) ? wanted : device.preferredFormat();
            if (!fromQt(format, &result.format)) {
                result.error = tr("The sound input %1 offers no format that can be recorded.")
                                   .arg(device.description());
            } else {
                input->source = std::make_unique<QAudioSource>(device, format);
                input->source->setBufferSize(format.bytesForDuration(CaptureBufferMs * 1000));
                input->io = input->source->start();
                if (!input->io || input->source->error() != QAudio::NoError ||
                    input->source->state() == QAudio::StoppedState) {
                    result.error = describe(input->source->error());
                    input->close();
                } else {
                    result.ok = true;
                    QObject::connect(input->io, &QIODevice::readyRead, context,
                                     [io = input->io, capture] {
                                         const QByteArray bytes = io->readAll();
                                         if (bytes.isEmpty())
                                             return;
                                         const QMutexLocker lock(&capture->mutex);
                                         capture->delivered = true;
                                         if (!capture->capturing)
                                             return;
                                         if (!capture->firstSample.isValid())
                                             capture->firstSample.start();
                                         capture->bytes.append(bytes);
                                     });
                    QObject::connect(input->source.get(), &QAudioSource::stateChanged, context,
                                     [self, input](QAudio::State state) {
                                         if (state != QAudio::StoppedState || !input->source ||
                                             input->source->error() == QAudio::NoError)
                                             return;
                                         input->close();
                                         QMetaObject::invokeMethod(self, [self] {
                                             if (self)
                                                 self->onInputLost();
                                         });
                                     });
                }
            }
        }
        QMetaObject::invokeMethod(self, [self, generation, result] {
            if (self)
                self->onInputOpened(generation, result);
        });
    });
}

void QtAudioDevice::onInputOpened(quint64 generation, const Opened& result) {
    if (generation != inputGeneration_)
        return; // closed meanwhile
    opening_ = false;
    inputOpen_ = result.ok;
    if (result.ok) {
        captureFormat_ = result.format;
    } else {
        error_ = result.error;
        serverSilent_ = result.serverSilent;
        if (serverSilent_)
            keepSpeechOffTheSoundServer(); // Speak would wait half a minute on it too
        capturing_ = false;
        const QMutexLocker lock(&capture_->mutex);
        capture_->capturing = false;
        capture_->bytes.clear();
    }
    inputOpened(result.ok);
}

// The stream is gone: a take that runs fails, and the next opens a new one.
void QtAudioDevice::onInputLost() {
    inputOpen_ = false;
    if (capturing_)
        postNotification(AudioNotification::Failure);
}

void QtAudioDevice::closeInput() {
    ++inputGeneration_;
    stop();
    opening_ = false;
    inputOpen_ = false;
    QMetaObject::invokeMethod(inputContext_, [input = input_] { input->close(); });
}

bool QtAudioDevice::record(int sampleRate) {
    stop();
    ++session_;
    recording_.clear();
    recordRate_ = sampleRate;
    if (!inputOpen_)
        openInput();
    // What arrived before this moment was heard before Record was pressed.
    const QMutexLocker lock(&capture_->mutex);
    capture_->bytes.clear();
    capture_->firstSample.invalidate();
    capture_->capturing = true;
    startedBeforeSound_ = !capture_->delivered;
    recordPressed_.start();
    capturing_ = true;
    return true;
}

// Takes what the input still holds up to the Stop time, for a moment at most
// (the window would stop answering), and makes the take exactly as long as
// the time between Record and Stop: the samples after the Stop time that came
// along in the last read were heard after the user pressed Stop, and a time
// the input had not yet delivered is silence, at the start when the take
// began before the input delivered sound (a fresh stream), else at the end.
void QtAudioDevice::finishRecording() {
    const qint64 elapsedNs = recordPressed_.nsecsElapsed();
    capturing_ = false;
    QByteArray take;
    if (inputOpen_) {
        const qint64 frameBytes = captureFormat_.bytesPerFrame();
        const qint64 wanted = elapsedNs * captureFormat_.sampleRate / 1000000000 * frameBytes;
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            {
                const QMutexLocker lock(&capture_->mutex);
                if (capture_->bytes.size() >= wanted || waited.elapsed() >= DrainTimeoutMs) {
                    capture_->capturing = false;
                    take = std::exchange(capture_->bytes, {});
                    break;
                }
            }
            QThread::msleep(2);
        }
        take.truncate(std::min<qint64>(take.size(), wanted) / frameBytes * frameBytes);
        recording_ = WaveFile::convertPcm(take, captureFormat_, WaveFile::unitFormat(recordRate_));
    } else {
        const QMutexLocker lock(&capture_->mutex);
        capture_->capturing = false;
        capture_->bytes.clear();
    }
    const qsizetype wantedSamples = qsizetype(elapsedNs * recordRate_ / 1000000000);
    if (recording_.size() < wantedSamples) {
        const QByteArray silence(wantedSamples - recording_.size(), '\x80');
        recording_ = startedBeforeSound_ ? silence + recording_ : recording_ + silence;
    }
}

bool QtAudioDevice::play(const QString& path) {
    stop();
    ++session_;
    error_.clear();

    WaveFile::WaveContents wave;
    if (!WaveFile::readWave(path, &wave, &error_))
        return false;
    if (!serverAnswers())
        return false;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        error_ = tr("No sound output is available: there is no sound card or sound "
                    "server to play on.");
        return false;
    }
    QAudioFormat format = toQt(wave.format);
    playbackData_ = std::move(wave.data);
    if (!output.isFormatSupported(format)) {
        PcmFormat deviceFormat;
        format = output.preferredFormat();
        if (!fromQt(format, &deviceFormat)) {
            error_ = tr("The sound output %1 offers no format that can be played.")
                         .arg(output.description());
            return false;
        }
        playbackData_ = WaveFile::convertPcm(playbackData_, wave.format, deviceFormat);
    }

    playback_.setBuffer(&playbackData_);
    playback_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(output, format);
    connect(sink_.get(), &QAudioSink::stateChanged, this, &QtAudioDevice::onSinkState);
    sink_->start(&playback_);
    if (sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState) {
        error_ = describe(sink_->error());
        ++session_;
        sink_.reset();
        playback_.close();
        return false;
    }
    return true;
}

void QtAudioDevice::stop() {
    ++session_;
    if (capturing_)
        finishRecording();
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
        sink_.reset();
        playback_.close();
        playbackData_.clear();
    }
}

QByteArray QtAudioDevice::takeRecording() {
    return std::exchange(recording_, {});
}

// The take runs from the press, whatever the input has delivered so far.
qint64 QtAudioDevice::lengthMs() const {
    return capturing_ ? recordPressed_.elapsed() : 0;
}

QElapsedTimer QtAudioDevice::firstSampleTime() const {
    const QMutexLocker lock(&capture_->mutex);
    return capturing_ ? capture_->firstSample : QElapsedTimer();
}

void QtAudioDevice::onSinkState(QAudio::State state) {
    // Idle with the whole buffer read is the end of the file; a stop with an
    // error is a failed playback.
    if (state == QAudio::IdleState && playback_.atEnd())
        postNotification(AudioNotification::Successful);
    else if (state == QAudio::StoppedState && sink_ && sink_->error() != QAudio::NoError)
        postNotification(AudioNotification::Failure);
}

void QtAudioDevice::postNotification(AudioNotification code) {
    QMetaObject::invokeMethod(
        this,
        [this, session = session_, code] {
            if (session == session_)
                notify(code);
        },
        Qt::QueuedConnection);
}
