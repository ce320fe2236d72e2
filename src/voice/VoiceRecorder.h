// What the voice recorder dialog does, without the window: records and plays
// one voice message through an AudioDevice, keeps the dialog's button states
// and its two usage bars, writes the recording when it is stopped, and
// recounts the configuration's voice memory. The dialog shows the state after
// each change() and feeds in the user's presses.
#pragma once

#include "voice/AudioDevice.h"
#include "voice/VoiceSource.h"
#include "voice/WaveFile.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class Profile;
class UserInteraction;

// One message to record: what a caller sets on the recorder dialog before it
// runs. The input editor builds one for each press of a Record button.
struct VoiceRecorderRequest {
    int capacity = WaveFile::UnitMemoryCapacity; // bytes of voice memory in the unit
    int used = 0;                                // bytes all the configuration's messages take now
    QString status;                              // e.g. "Voicemessage for high on input 7"
    QString fileName;   // the message's WAV file, a bare name in the configuration folder
    QString speechText; // what Speak says: the input's high or low text; empty: nothing
    bool operator==(const VoiceRecorderRequest&) const = default;
};

struct RecorderButtons {
    bool record = true;
    bool play = true;
    bool stop = false;
    bool close = true;
    bool operator==(const RecorderButtons&) const = default;
};

// How a message is made without the microphone: from a sound file, or spoken
// from a text (importSoundFile and speakToFile; tests give fakes). Both run
// on a thread of their own and touch nothing but their files.
struct VoiceMaker {
    std::function<VoiceMakeResult(const QString& source, const QString& target, bool lowQuality)>
        importFile = [](const QString& source, const QString& target, bool lowQuality) {
            return importSoundFile(source, target, lowQuality);
        };
    std::function<VoiceMakeResult(const QString& text, const QString& language,
                                  const QString& target, bool lowQuality)>
        speak = speakToFile;
};

class VoiceRecorder : public QObject {
    Q_OBJECT
public:
    static constexpr int TimerPeriodMs = 250;
    // Bytes per millisecond of the running estimate; the same at either rate.
    static constexpr int EstimateBytesPerMs = 8;

    // The device, the user and the profile must outlive the recorder.
    // configFolder holds the configuration file and its voice files; title is
    // the configuration's file name without extension.
    VoiceRecorder(AudioDevice& device, UserInteraction& user, Profile& profile,
                  QString configFolder, QString title);
    ~VoiceRecorder() override;

    // Opens on one message: fileName is a bare name in the configuration's
    // folder, used the memory taken by all messages, capacity the unit's.
    void open(const QString& fileName, int used, int capacity);
    // Starts opening the sound input ahead of the first take (see
    // AudioDevice::openInput); returns at once.
    void openInput();
    bool isOpeningInput() const { return openingInput_; }

    void record();
    void play();
    void stop();
    void setLowQuality(bool on); // stored in the profile at once
    void tick();                 // the 250 ms timer while recording
    void handleNotification(AudioNotification code);
    // The dialog is going away: stop what runs, keeping a recording as Stop does.
    void close();

    // Import...: asks for a sound file and makes the message from it. Speak:
    // speaks the speech text in the profile's language (the desktop's when
    // unset). Either runs while the window keeps painting, with every button
    // off; a failure is told and leaves the recording as it was.
    void importFile();
    void speak();
    void setSpeechText(const QString& text) { speechText_ = text; }
    QString speechText() const { return speechText_; }
    void setMaker(VoiceMaker maker) { maker_ = std::move(maker); }
    // Whether Import... and Speak can start: nothing records, plays or is being made.
    bool canMake() const { return !recording_ && !playing_ && busyText_.isEmpty(); }
    bool isBusy() const { return !busyText_.isEmpty(); }
    QString busyText() const { return busyText_; } // e.g. "Importing song.mp3..."

    RecorderButtons buttons() const { return buttons_; }
    bool isRecording() const { return recording_; }
    bool isPlaying() const { return playing_; }
    bool isTimerRunning() const { return timer_.isActive(); }
    bool lowQuality() const { return lowQuality_; }
    int used() const { return used_; }
    int capacity() const { return capacity_; }
    int totalPosition() const { return totalPosition_; }
    int messagePosition() const { return messagePosition_; }
    bool totalRed() const { return totalRed_; }
    bool messageRed() const { return messageRed_; }
    QString filePath() const; // the message's file, matched without regard to case

signals:
    void changed();

private:
    void inputOpened(bool opened);
    void startRecording();
    void stopRecording();
    void startPlayback();
    void stopPlayback();
    void recount();
    void failedToStart();
    void setButtons(bool record, bool play, bool stop, bool close);
    void make(const QString& busyText, const std::function<VoiceMakeResult()>& job);

    AudioDevice& device_;
    UserInteraction& user_;
    Profile& profile_;
    QString folder_;
    QString title_;
    QString fileName_;
    QTimer timer_;

    int used_ = 0;
    int capacity_ = 0;
    int recordingRate_ = 0;
    bool lowQuality_ = false;
    bool recording_ = false;
    bool playing_ = false;
    RecorderButtons buttons_;
    int totalPosition_ = 0;
    int messagePosition_ = 0;
    bool totalRed_ = false;
    bool messageRed_ = false;
    bool closed_ = false;
    bool openingInput_ = false; // the device is opening the sound input
    VoiceMaker maker_;
    QString speechText_;
    QString busyText_;
};
