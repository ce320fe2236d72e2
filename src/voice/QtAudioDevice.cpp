#include "voice/QtAudioDevice.h"

#include "voice/SoundServer.h"
#include "voice/VoiceSource.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QAudioSource>
#include <QEventLoop>
#include <QMediaDevices>
#include <QScopeGuard>
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
// device; wait this long at most for them.
constexpr int DrainTimeoutMs = 500;
// How long a newly opened input may take to deliver its first sound.
constexpr int LiveTimeoutMs = 2500;

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

QtAudioDevice::QtAudioDevice(QObject* parent) : QObject(parent) {}

QtAudioDevice::~QtAudioDevice() {
    closeInput();
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
// delivers while no take runs is read and dropped.
bool QtAudioDevice::openInput() {
    if (source_)
        return true;
    // Asked again from the event loop that an opening under way runs: that
    // one goes on and tells.
    if (opening_) {
        error_ = tr("The sound input is still being opened. Try again in a moment.");
        return false;
    }
    opening_ = true;
    const auto done = qScopeGuard([this] { opening_ = false; });
    const quint64 generation = ++inputGeneration_;
    if (!serverAnswers())
        return false;
    // Closed while the server was being asked.
    if (generation != inputGeneration_)
        return false;
    const QAudioDevice input = QMediaDevices::defaultAudioInput();
    if (input.isNull()) {
        error_ = tr("No sound input is available: there is no sound card or sound "
                    "server to record from.");
        return false;
    }
    const QAudioFormat wanted = toQt(WaveFile::unitFormat(WaveFile::UnitSampleRate));
    const QAudioFormat format =
        !alwaysConvert_ && input.isFormatSupported(wanted) ? wanted : input.preferredFormat();
    if (!fromQt(format, &captureFormat_)) {
        error_ = tr("The sound input %1 offers no format that can be recorded.")
                     .arg(input.description());
        return false;
    }
    source_ = std::make_unique<QAudioSource>(input, format);
    source_->setBufferSize(format.bytesForDuration(CaptureBufferMs * 1000));
    connect(source_.get(), &QAudioSource::stateChanged, this, &QtAudioDevice::onSourceState);
    input_ = source_->start();
    if (!input_ || source_->error() != QAudio::NoError ||
        source_->state() == QAudio::StoppedState) {
        error_ = describe(source_->error());
        source_->disconnect(this);
        source_.reset();
        input_ = nullptr;
        return false;
    }
    connect(input_, &QIODevice::readyRead, this, &QtAudioDevice::readInput);
    waitUntilLive();
    if (!input_) { // failed, or closed, while it started
        if (error_.isEmpty())
            error_ = describe(QAudio::IOError);
        return false;
    }
    return true;
}

// A sound server that has just started can hold a new capture stream's first
// bytes back for up to two seconds (a null or suspended source renders its
// first long block before anyone listens); a take started meanwhile would
// lose everything up to then. So the input counts as open once sound flows,
// while the window keeps painting. A stream that stays silent longer is used
// as it is.
void QtAudioDevice::waitUntilLive() {
    delivered_ = false;
    QElapsedTimer waited;
    waited.start();
    QEventLoop wait;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &wait, [&] {
        if (delivered_ || !input_ || waited.elapsed() >= LiveTimeoutMs)
            wait.quit();
    });
    poll.start(2);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

void QtAudioDevice::closeInput() {
    ++inputGeneration_;
    stop();
    if (!source_)
        return;
    source_->disconnect(this);
    if (input_)
        input_->disconnect(this);
    source_->stop();
    source_.reset();
    input_ = nullptr;
}

void QtAudioDevice::readInput() {
    if (!input_)
        return;
    const QByteArray bytes = input_->readAll();
    if (bytes.isEmpty())
        return;
    delivered_ = true;
    if (!capturing_)
        return;
    if (!firstSample_.isValid())
        firstSample_.start();
    capture_.append(bytes);
}

bool QtAudioDevice::record(int sampleRate) {
    stop();
    ++session_;
    error_.clear();
    recording_.clear();
    recordRate_ = sampleRate;
    if (!openInput())
        return false;
    // What the device holds now was heard before Record was pressed.
    input_->readAll();
    capture_.clear();
    firstSample_.invalidate();
    recordPressed_.start();
    capturing_ = true;
    return true;
}

// Takes what the device still holds up to the Stop time, then cuts the take to
// the time between Record and Stop: the samples after the Stop time that came
// along in the last read were heard after the user pressed Stop.
void QtAudioDevice::finishRecording() {
    const qint64 frameBytes = captureFormat_.bytesPerFrame();
    const qint64 wanted =
        recordPressed_.nsecsElapsed() * captureFormat_.sampleRate / 1000000000 * frameBytes;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (input_)
            capture_.append(input_->readAll());
        if (capture_.size() >= wanted || waited.elapsed() >= DrainTimeoutMs || !input_)
            break;
        QThread::msleep(5);
    }
    capture_.truncate(std::min<qint64>(capture_.size(), wanted) / frameBytes * frameBytes);
    capturing_ = false;
    recording_ = WaveFile::convertPcm(capture_, captureFormat_, WaveFile::unitFormat(recordRate_));
    capture_.clear();
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

qint64 QtAudioDevice::lengthMs() const {
    if (!capturing_)
        return 0;
    const qint64 bytesPerSecond =
        qint64(captureFormat_.bytesPerFrame()) * captureFormat_.sampleRate;
    return bytesPerSecond > 0 ? capture_.size() * 1000 / bytesPerSecond : 0;
}

QElapsedTimer QtAudioDevice::firstSampleTime() const {
    return capturing_ ? firstSample_ : QElapsedTimer();
}

void QtAudioDevice::onSinkState(QAudio::State state) {
    // Idle with the whole buffer read is the end of the file; a stop with an
    // error is a failed playback.
    if (state == QAudio::IdleState && playback_.atEnd())
        postNotification(AudioNotification::Successful);
    else if (state == QAudio::StoppedState && sink_ && sink_->error() != QAudio::NoError)
        postNotification(AudioNotification::Failure);
}

void QtAudioDevice::onSourceState(QAudio::State state) {
    if (state == QAudio::StoppedState && source_ && source_->error() != QAudio::NoError) {
        // The stream is gone: the next take opens a new one.
        input_ = nullptr;
        if (capturing_)
            postNotification(AudioNotification::Failure);
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!capturing_)
                    closeInput();
            },
            Qt::QueuedConnection);
    }
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
