#include "voice/QtAudioDevice.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QAudioSource>
#include <QMediaDevices>

#include <utility>

using WaveFile::PcmFormat;
using WaveFile::SampleType;

// Collects what the input delivers, in the input's own format.
class CaptureBuffer final : public QIODevice {
public:
    QByteArray data;
    QElapsedTimer firstSample;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* bytes, qint64 size) override {
        if (size > 0 && !firstSample.isValid())
            firstSample.start();
        data.append(bytes, size);
        return size;
    }
};

namespace {

// Short device buffers: the recording's length and the first samples show
// up soon after Record is pressed, not after a long default buffer fills.
constexpr int CaptureBufferMs = 40;

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
    stop();
}

QString QtAudioDevice::describe(QAudio::Error error) {
    switch (error) {
    case QAudio::OpenError:
        return QStringLiteral("The audio device could not be opened: it is busy or refuses "
                              "the recording format.");
    case QAudio::IOError:
        return QStringLiteral("The audio device stopped delivering or taking sound.");
    case QAudio::UnderrunError:
        return QStringLiteral("The audio device ran out of sound data.");
    case QAudio::FatalError:
        return QStringLiteral("The audio device failed and cannot be used.");
    case QAudio::NoError:
        break;
    }
    return QStringLiteral("The audio device could not be started.");
}

bool QtAudioDevice::record(int sampleRate) {
    stop();
    ++session_;
    error_.clear();
    recording_.clear();
    recordRate_ = sampleRate;

    const QAudioDevice input = QMediaDevices::defaultAudioInput();
    if (input.isNull()) {
        error_ = QStringLiteral("No sound input is available: there is no sound card or sound "
                                "server to record from.");
        return false;
    }
    const QAudioFormat wanted = toQt(WaveFile::unitFormat(sampleRate));
    const QAudioFormat format =
        !alwaysConvert_ && input.isFormatSupported(wanted) ? wanted : input.preferredFormat();
    if (!fromQt(format, &captureFormat_)) {
        error_ = QStringLiteral("The sound input %1 offers no format that can be recorded.")
                     .arg(input.description());
        return false;
    }

    capture_ = std::make_unique<CaptureBuffer>();
    capture_->open(QIODevice::WriteOnly);
    source_ = std::make_unique<QAudioSource>(input, format);
    source_->setBufferSize(format.bytesForDuration(CaptureBufferMs * 1000));
    connect(source_.get(), &QAudioSource::stateChanged, this, &QtAudioDevice::onSourceState);
    source_->start(capture_.get());
    if (source_->error() != QAudio::NoError || source_->state() == QAudio::StoppedState) {
        error_ = describe(source_->error());
        ++session_;
        source_.reset();
        capture_.reset();
        return false;
    }
    return true;
}

bool QtAudioDevice::play(const QString& path) {
    stop();
    ++session_;
    error_.clear();

    WaveFile::WaveContents wave;
    if (!WaveFile::readWave(path, &wave, &error_))
        return false;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        error_ = QStringLiteral("No sound output is available: there is no sound card or sound "
                                "server to play on.");
        return false;
    }
    QAudioFormat format = toQt(wave.format);
    playbackData_ = std::move(wave.data);
    if (!output.isFormatSupported(format)) {
        PcmFormat deviceFormat;
        format = output.preferredFormat();
        if (!fromQt(format, &deviceFormat)) {
            error_ = QStringLiteral("The sound output %1 offers no format that can be played.")
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
    if (source_) {
        source_->disconnect(this);
        source_->stop();
        recording_ =
            WaveFile::convertPcm(capture_->data, captureFormat_, WaveFile::unitFormat(recordRate_));
        source_.reset();
        capture_.reset();
    }
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
    if (!capture_)
        return 0;
    const qint64 bytesPerSecond =
        qint64(captureFormat_.bytesPerFrame()) * captureFormat_.sampleRate;
    return bytesPerSecond > 0 ? capture_->data.size() * 1000 / bytesPerSecond : 0;
}

QElapsedTimer QtAudioDevice::firstSampleTime() const {
    return capture_ ? capture_->firstSample : QElapsedTimer();
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
    if (state == QAudio::StoppedState && source_ && source_->error() != QAudio::NoError)
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
