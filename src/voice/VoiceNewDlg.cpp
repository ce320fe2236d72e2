#include "voice/VoiceNewDlg.h"

#include "config/Profile.h"
#include "controls/TextProgressCtrl.h"
#include "voice/QtAudioDevice.h"
#include "voice/WaveformView.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QColor Red(255, 0, 0);

QLabel* centredLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

CVoiceNewDlg::CVoiceNewDlg(AudioDevice& device, UserInteraction& user, Profile& profile,
                           const QString& configFolder, const QString& configTitle, QWidget* parent)
    : QDialog(parent), recorder_(device, user, profile, configFolder, configTitle) {
    setWindowTitle(tr("Voicemessage"));
    setObjectName(QStringLiteral("voiceRecorderDialog"));

    statusLabel_ = centredLabel(tr("Status"), this);
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));
    auto* totalLabel = centredLabel(tr("Total usage of voice memory"), this);
    totalLabel->setObjectName(QStringLiteral("totalUsageLabel"));
    totalBar_ = new CTextProgressCtrl(this);
    totalBar_->setObjectName(QStringLiteral("totalUsageBar"));
    totalLabel->setBuddy(totalBar_);
    totalBar_->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* messageLabel = centredLabel(tr("This message usage of total voice memory"), this);
    messageLabel->setObjectName(QStringLiteral("messageUsageLabel"));
    messageBar_ = new CTextProgressCtrl(this);
    messageBar_->setObjectName(QStringLiteral("messageUsageBar"));
    messageLabel->setBuddy(messageBar_);
    messageBar_->setFrameStyle(QFrame::Box | QFrame::Plain);
    waveform_ = new CWaveformView(this);

    auto* function = new QGroupBox(tr("Function"), this);
    function->setObjectName(QStringLiteral("functionGroupBox"));
    lowQualityCheckBox_ = new QCheckBox(tr("Low quality"), this);
    lowQualityCheckBox_->setObjectName(QStringLiteral("lowQualityCheckBox"));
    playButton_ = new QPushButton(tr("Play"), function);
    playButton_->setObjectName(QStringLiteral("playButton"));
    recordButton_ = new QPushButton(tr("Record"), function);
    recordButton_->setObjectName(QStringLiteral("recordButton"));
    stopButton_ = new QPushButton(tr("Stop"), function);
    stopButton_->setObjectName(QStringLiteral("stopButton"));
    importButton_ = new QPushButton(tr("&Import..."), function);
    importButton_->setObjectName(QStringLiteral("importButton"));
    importButton_->setToolTip(tr("Make this message from a sound file"));
    speakButton_ = new QPushButton(tr("&Speak"), function);
    speakButton_->setObjectName(QStringLiteral("speakButton"));
    closeButton_ = new QPushButton(tr("Close"), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    closeButton_->setDefault(true);

    auto* functionLayout = new QVBoxLayout(function);
    functionLayout->addWidget(playButton_);
    functionLayout->addWidget(recordButton_);
    functionLayout->addWidget(stopButton_);
    functionLayout->addWidget(importButton_);
    functionLayout->addWidget(speakButton_);

    auto* controls = new QGridLayout;
    controls->addWidget(lowQualityCheckBox_, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    controls->addWidget(function, 0, 1);
    controls->setColumnStretch(0, 1);
    controls->setColumnStretch(2, 1);

    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(closeButton_);
    closeRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(statusLabel_);
    layout->addWidget(totalLabel);
    layout->addWidget(totalBar_);
    layout->addWidget(messageLabel);
    layout->addWidget(messageBar_);
    layout->addWidget(waveform_);
    layout->addLayout(controls);
    layout->addLayout(closeRow);

    setTabOrder(lowQualityCheckBox_, playButton_);
    setTabOrder(playButton_, recordButton_);
    setTabOrder(recordButton_, stopButton_);
    setTabOrder(stopButton_, importButton_);
    setTabOrder(importButton_, speakButton_);
    setTabOrder(speakButton_, closeButton_);

    connect(recordButton_, &QPushButton::clicked, &recorder_, &VoiceRecorder::record);
    connect(playButton_, &QPushButton::clicked, &recorder_, &VoiceRecorder::play);
    connect(stopButton_, &QPushButton::clicked, &recorder_, &VoiceRecorder::stop);
    connect(importButton_, &QPushButton::clicked, &recorder_, &VoiceRecorder::importFile);
    connect(speakButton_, &QPushButton::clicked, &recorder_, &VoiceRecorder::speak);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(lowQualityCheckBox_, &QCheckBox::clicked, this, [this](bool on) {
        m_halfrate = on ? 1 : 0;
        recorder_.setLowQuality(on);
    });
    connect(&recorder_, &VoiceRecorder::changed, this, &CVoiceNewDlg::applyState);
}

CVoiceNewDlg::~CVoiceNewDlg() {
    if (waitCursor_)
        QApplication::restoreOverrideCursor();
}

void CVoiceNewDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!initialised_)
        initDialog();
}

void CVoiceNewDlg::initDialog() {
    initialised_ = true;
    totalBar_->SetRange(0, m_capacity);
    messageBar_->SetRange(0, m_capacity);
    recorder_.setSpeechText(m_speechText);
    speakButton_->setToolTip(m_speechText.trimmed().isEmpty()
                                 ? tr("This message has no text to speak")
                                 : tr("Speak \"%1\"").arg(m_speechText));
    recorder_.open(m_filename, m_used, m_capacity);
    m_halfrate = recorder_.lowQuality() ? 1 : 0;
    statusLabel_->setText(m_status);
    lowQualityCheckBox_->setChecked(m_halfrate != 0);
    // Once the dialog shows; the input opens off this thread, and a Record
    // pressed meanwhile starts the take at once.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            recorder_.openInput();
    });
}

void CVoiceNewDlg::applyState() {
    const RecorderButtons buttons = recorder_.buttons();
    recordButton_->setEnabled(buttons.record);
    playButton_->setEnabled(buttons.play);
    stopButton_->setEnabled(buttons.stop);
    closeButton_->setEnabled(buttons.close);
    importButton_->setEnabled(recorder_.canMake());
    speakButton_->setEnabled(recorder_.canMake() && !recorder_.speechText().trimmed().isEmpty());
    const bool busy = recorder_.isBusy();
    statusLabel_->setText(busy ? recorder_.busyText() : m_status);
    if (busy != waitCursor_) {
        waitCursor_ = busy;
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
    // The recording changes with a take, an import or speech.
    if (!busy && !recorder_.isRecording() && !recorder_.isPlaying())
        waveform_->load(recorder_.filePath());
    // Once red, a bar stays red for the rest of the dialog.
    if (recorder_.totalRed())
        totalBar_->SetBarColour(Red);
    if (recorder_.messageRed())
        messageBar_->SetBarColour(Red);
    totalBar_->SetPos(recorder_.totalPosition());
    messageBar_->SetPos(recorder_.messagePosition());
    m_used = recorder_.used();
}

void CVoiceNewDlg::reject() {
    recorder_.close();
    applyState();
    QDialog::reject();
}

void RunVoiceRecorder(UserInteraction& user, Profile& profile, const QString& configFolder,
                      const QString& configTitle, const VoiceRecorderRequest& request,
                      QWidget* parent) {
    QtAudioDevice device;
    CVoiceNewDlg recorder(device, user, profile, configFolder, configTitle, parent);
    recorder.m_filename = request.fileName;
    recorder.m_status = request.status;
    recorder.m_used = request.used;
    recorder.m_capacity = request.capacity;
    recorder.m_speechText = request.speechText;
    recorder.exec();
}
