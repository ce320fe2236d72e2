#include "voice/VoiceRecorder.h"

#include "config/Profile.h"
#include "config/VoiceFiles.h"
#include "seams/OffUiThread.h"
#include "seams/UserInteraction.h"
#include "voice/WaveFile.h"

#include <QEventLoop>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <utility>

namespace {

int clampToInt(qint64 value) {
    return int(std::clamp<qint64>(value, INT_MIN, INT_MAX));
}

} // namespace

VoiceRecorder::VoiceRecorder(AudioDevice& device, UserInteraction& user, Profile& profile,
                             QString configFolder, QString title)
    : device_(device), user_(user), profile_(profile), folder_(std::move(configFolder)),
      title_(std::move(title)) {
    timer_.setInterval(TimerPeriodMs);
    connect(&timer_, &QTimer::timeout, this, &VoiceRecorder::tick);
    device_.setNotificationHandler([this](AudioNotification code) { handleNotification(code); });
    device_.setInputHandler([this](bool opened) { inputOpened(opened); });
}

VoiceRecorder::~VoiceRecorder() {
    close();
    device_.setNotificationHandler({});
    device_.setInputHandler({});
}

QString VoiceRecorder::filePath() const {
    return VoiceFiles::resolveNoCase(folder_, fileName_);
}

void VoiceRecorder::open(const QString& fileName, int used, int capacity) {
    fileName_ = fileName;
    used_ = used;
    capacity_ = capacity;
    totalPosition_ = used;
    const qint64 size = WaveFile::WaveDataSize(filePath());
    messagePosition_ = size > 0 ? clampToInt(size) : 0;
    buttons_ = {true, size > 0, false, true};
    if (used_ > capacity_)
        totalRed_ = true;
    lowQuality_ = profile_.lowQualityRecording();
    closed_ = false;
    emit changed();
}

void VoiceRecorder::openInput() {
    openingInput_ = true;
    device_.openInput();
}

// The device has opened the input, or failed to. A take started meanwhile
// goes on; one whose input failed ends as a take that could not start.
void VoiceRecorder::inputOpened(bool opened) {
    openingInput_ = false;
    if (opened || closed_)
        return;
    if (recording_) {
        recording_ = false;
        failedToStart();
        emit changed();
        return;
    }
    // A missing sound card is told when Record is pressed; a server that does
    // not answer is told now, since the user would otherwise wait for it again.
    if (device_.serverDoesNotAnswer())
        user_.tell(device_.errorText(), MessageIcon::Warning);
}

void VoiceRecorder::setButtons(bool record, bool play, bool stop, bool close) {
    buttons_ = {record, play, stop, close};
}

// A take starts at the press, even while the input is still opening: the
// device keeps what the input delivers from this moment on.
void VoiceRecorder::record() {
    setButtons(false, true, true, false);
    if (playing_)
        stopPlayback();
    startRecording();
    emit changed();
}

void VoiceRecorder::play() {
    setButtons(true, false, true, false);
    if (recording_)
        stopRecording();
    startPlayback();
    emit changed();
}

void VoiceRecorder::stop() {
    if (recording_) {
        buttons_.play = buttons_.record = buttons_.close = true;
        stopRecording();
        recount();
    }
    if (playing_) {
        buttons_.play = buttons_.record = buttons_.close = true;
        stopPlayback();
        recount();
    }
    buttons_.stop = false;
    emit changed();
}

void VoiceRecorder::close() {
    closed_ = true;
    if (recording_) {
        stopRecording();
        recount();
    }
    if (playing_)
        stopPlayback();
    device_.closeInput();
}

void VoiceRecorder::setLowQuality(bool on) {
    lowQuality_ = on;
    profile_.setLowQualityRecording(on);
}

void VoiceRecorder::tick() {
    if (!recording_)
        return;
    const qint64 estimate = device_.lengthMs() * EstimateBytesPerMs;
    if (qint64(used_) + estimate > qint64(capacity_))
        totalRed_ = messageRed_ = true;
    totalPosition_ = clampToInt(qint64(used_) + estimate);
    messagePosition_ = clampToInt(estimate);
    emit changed();
}

void VoiceRecorder::handleNotification(AudioNotification code) {
    switch (code) {
    case AudioNotification::Successful:
        if (playing_) {
            stopPlayback();
            buttons_.close = true;
            buttons_.stop = false;
            buttons_.play = true;
        }
        if (recording_) {
            stopRecording();
            buttons_.close = true;
            buttons_.stop = false;
        }
        emit changed();
        break;
    case AudioNotification::Superseded:
        user_.tell(tr("Playback stopped!"));
        break;
    case AudioNotification::Failure:
        user_.tell(tr("Playback interrupted!"));
        break;
    case AudioNotification::Aborted:
        break;
    }
}

void VoiceRecorder::startRecording() {
    timer_.start();
    recordingRate_ = lowQuality_ ? WaveFile::UnitSampleRate / 2 : WaveFile::UnitSampleRate;
    if (!device_.record(recordingRate_)) {
        failedToStart();
        return;
    }
    recording_ = true;
}

void VoiceRecorder::stopRecording() {
    timer_.stop();
    device_.stop();
    recording_ = false;
    // Saving ends with a sync to the disk, which may take a while.
    QString error;
    bool saved = false;
    waitForThread(
        [&, take = device_.takeRecording(), path = filePath()] {
            saved = WaveFile::writeUnitWave(path, recordingRate_, take, &error);
        },
        QEventLoop::ExcludeUserInputEvents);
    if (!saved) {
        user_.tell(tr("The recording could not be saved as %1: %2").arg(filePath(), error),
                   MessageIcon::Warning);
    }
}

void VoiceRecorder::startPlayback() {
    if (!device_.play(filePath())) {
        failedToStart();
        return;
    }
    playing_ = true;
}

void VoiceRecorder::stopPlayback() {
    device_.stop();
    playing_ = false;
}

void VoiceRecorder::recount() {
    used_ = WaveFile::CountUsedVoiceMemory(folder_, title_);
}

// A start that failed is told and leaves nothing running: without this the
// dialog would keep Stop on and Record and Close off with nothing to stop,
// and only Escape would get the user out.
void VoiceRecorder::failedToStart() {
    const QString why = device_.errorText();
    user_.tell(why.isEmpty() ? tr("The audio device could not be started.") : why,
               MessageIcon::Warning);
    timer_.stop();
    buttons_ = {true, WaveFile::WaveDataSize(filePath()) > 0, false, true};
}

void VoiceRecorder::importFile() {
    if (!canMake())
        return;
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.filter = tr("Sound files (*.wav *.WAV *.flac *.ogg *.oga *.opus *.mp3 "
                        "*.MP3);;All files (*)");
    request.folder = folder_;
    const QString source = user_.chooseFile(request);
    if (source.isEmpty())
        return;
    const QString target = filePath();
    const bool low = lowQuality_;
    make(tr("Importing %1...").arg(QFileInfo(source).fileName()),
         [this, source, target, low] { return maker_.importFile(source, target, low); });
}

void VoiceRecorder::speak() {
    if (!canMake() || speechText_.trimmed().isEmpty())
        return;
    QString language = profile_.speechLanguage();
    if (language.isEmpty())
        language = defaultSpeechLanguage();
    const QString text = speechText_;
    const QString target = filePath();
    const bool low = lowQuality_;
    make(tr("Speaking the text (%1)...").arg(language),
         [this, text, language, target, low] { return maker_.speak(text, language, target, low); });
}

// The job takes a second or more (decoding, synthesis): it runs on a thread of
// its own while this one keeps the window painting. The user's input waits
// until it ends, and the thread is always waited for, so no two jobs overlap.
void VoiceRecorder::make(const QString& busyText, const std::function<VoiceMakeResult()>& job) {
    const RecorderButtons before = buttons_;
    buttons_ = {false, false, false, false};
    busyText_ = busyText;
    emit changed();

    VoiceMakeResult result;
    waitForThread([&] { result = job(); }, QEventLoop::ExcludeUserInputEvents);

    busyText_.clear();
    buttons_ = before;
    if (result.ok) {
        recount();
        const qint64 size = WaveFile::WaveDataSize(filePath());
        messagePosition_ = size > 0 ? clampToInt(size) : 0;
        totalPosition_ = used_;
        if (used_ > capacity_)
            totalRed_ = messageRed_ = true;
        buttons_.play = size > 0;
    } else if (!closed_) {
        user_.tell(result.message.isEmpty() ? tr("The voice message could not be made.")
                                            : result.message,
                   MessageIcon::Warning);
    }
    emit changed();
}
