// "Voicemessage": the modal dialog in which the user records one voice
// message of an input, plays it back and sees how much of the unit's voice
// memory the messages take. The logic is VoiceRecorder's; this is its window.
//
// Opening it (e.g. from the input editor):
//
//     QtAudioDevice device;   // or any AudioDevice; a fake in tests
//     CVoiceNewDlg recorder(device, user, profile, configFolder, configTitle);
//     recorder.m_filename = VoiceFiles::configHighName(configTitle, 7);
//     recorder.m_status = QStringLiteral("Voicemessage for high on input %1").arg(7);
//     recorder.m_used = WaveFile::CountUsedVoiceMemory(configFolder, configTitle);
//     recorder.m_capacity = WaveFile::UnitMemoryCapacity;
//     recorder.exec();        // the result means nothing
//
// or, on the default sound devices, RunVoiceRecorder() below.
//
// device, user and profile must outlive the dialog. configFolder is the
// configuration file's folder (where m_filename lives and where the 32
// message files are recounted after Stop); configTitle the configuration's
// file name without extension. Closing the dialog while recording stops and
// keeps the recording, as Stop does; while playing, stops the playback.
// Import... makes the message from a sound file and Speak from m_speechText;
// a waveform under the bars shows the recording.
#pragma once

#include "voice/VoiceRecorder.h"
#include "voice/WaveFile.h"

#include <QDialog>
#include <QString>

class AudioDevice;
class CTextProgressCtrl;
class CWaveformView;
class Profile;
class QCheckBox;
class QLabel;
class QPushButton;
class UserInteraction;

class CVoiceNewDlg : public QDialog {
    Q_OBJECT
public:
    CVoiceNewDlg(AudioDevice& device, UserInteraction& user, Profile& profile,
                 const QString& configFolder, const QString& configTitle,
                 QWidget* parent = nullptr);
    ~CVoiceNewDlg() override;

    // Set before the dialog runs.
    QString m_filename; // bare file name in the configuration folder
    QString m_status;   // the line at the top
    int m_used = 0;     // voice memory used by all messages, this one included
    int m_capacity = 0; // the unit's voice memory
    // "Low quality" (4000 samples a second instead of 8000), from the profile.
    int m_halfrate = 0;
    // What Speak says: the input's high or low text; Speak is off without one.
    QString m_speechText;

    VoiceRecorder& recorder() { return recorder_; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void initDialog();
    void applyState();

    VoiceRecorder recorder_;
    bool initialised_ = false;
    QLabel* statusLabel_;
    CTextProgressCtrl* totalBar_;
    CTextProgressCtrl* messageBar_;
    QCheckBox* lowQualityCheckBox_;
    QPushButton* playButton_;
    QPushButton* recordButton_;
    QPushButton* stopButton_;
    QPushButton* importButton_;
    QPushButton* speakButton_;
    QPushButton* closeButton_;
    CWaveformView* waveform_;
    bool waitCursor_ = false;
};

// Runs the recorder modally on the default sound input and output.
void RunVoiceRecorder(UserInteraction& user, Profile& profile, const QString& configFolder,
                      const QString& configTitle, const VoiceRecorderRequest& request,
                      QWidget* parent = nullptr);
