#include "editor/EditInput.h"

#include "config/ConfigFields.h"
#include "config/VoiceFiles.h"
#include "editor/EditorWidgets.h"
#include "voice/WaveFile.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

CEditInput::CEditInput(EditorServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("editInputDialog"));
    setWindowTitle(tr("Modify input configuration"));

    auto* okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(okButton, &QPushButton::clicked, this, &CEditInput::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CEditInput::reject);

    phoneNumbersEdit_ = new QLineEdit(this);
    phoneNumbersEdit_->setObjectName(QStringLiteral("phoneNumbersEdit"));
    highTextEdit_ = new QLineEdit(this);
    highTextEdit_->setObjectName(QStringLiteral("highTextEdit"));
    lowTextEdit_ = new QLineEdit(this);
    lowTextEdit_->setObjectName(QStringLiteral("lowTextEdit"));
    for (QLineEdit* edit : {phoneNumbersEdit_, highTextEdit_, lowTextEdit_}) {
        edit->setMinimumWidth(300);
        limitTyping(edit, FieldLimits::InputText);
    }

    voiceOnHighBox_ = new QCheckBox(tr("Active"), this);
    voiceOnHighBox_->setObjectName(QStringLiteral("voiceOnHighCheckBox"));
    voiceOnLowBox_ = new QCheckBox(tr("Active"), this);
    voiceOnLowBox_->setObjectName(QStringLiteral("voiceOnLowCheckBox"));
    recordHighButton_ = new QPushButton(tr("Record"), this);
    recordHighButton_->setObjectName(QStringLiteral("recordHighButton"));
    recordLowButton_ = new QPushButton(tr("Record"), this);
    recordLowButton_->setObjectName(QStringLiteral("recordLowButton"));
    for (QPushButton* button : {okButton, cancelButton, recordHighButton_, recordLowButton_})
        button->setAutoDefault(false);
    okButton->setAutoDefault(true);

    auto* grid = new QGridLayout;
    // Under each field what the unit will make of it, as the user types.
    addFieldWithNote(grid, 0,
                     labelFor(tr("Phonenumbers:\nSeperate each number with a \",\" (comma)"),
                              phoneNumbersEdit_, this),
                     phoneNumbersEdit_,
                     phoneListNote(phoneNumbersEdit_, services_.phoneRegion, this), 2);
    addFieldWithNote(grid, 1, labelFor(tr("High text:"), highTextEdit_, this), highTextEdit_,
                     smsCounter(highTextEdit_, FieldLimits::InputText, this), 2);
    addFieldWithNote(grid, 2, labelFor(tr("Low text:"), lowTextEdit_, this), lowTextEdit_,
                     smsCounter(lowTextEdit_, FieldLimits::InputText, this), 2);
    const QString highLabel = tr("Voice on High:");
    const QString lowLabel = tr("Voice on Low:");
    grid->addWidget(labelFor(highLabel, voiceOnHighBox_, this), 3, 0);
    grid->addWidget(voiceOnHighBox_, 3, 1);
    grid->addWidget(recordHighButton_, 3, 2, Qt::AlignLeft);
    grid->addWidget(labelFor(lowLabel, voiceOnLowBox_, this), 4, 0);
    grid->addWidget(voiceOnLowBox_, 4, 1);
    grid->addWidget(recordLowButton_, 4, 2, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    // Both boxes read "Active"; their labels tell them apart.
    const QString named = QStringLiteral("%1 %2");
    voiceOnHighBox_->setAccessibleName(named.arg(highLabel, voiceOnHighBox_->text()));
    voiceOnLowBox_->setAccessibleName(named.arg(lowLabel, voiceOnLowBox_->text()));
    recordHighButton_->setAccessibleName(named.arg(highLabel, recordHighButton_->text()));
    recordLowButton_->setAccessibleName(named.arg(lowLabel, recordLowButton_->text()));

    layOutEditor(this, grid, okButton, cancelButton);

    // OK first and focused: Enter keeps the input as it stands.
    setTabChain({okButton, cancelButton, phoneNumbersEdit_, highTextEdit_, lowTextEdit_,
                 voiceOnHighBox_, voiceOnLowBox_, recordHighButton_, recordLowButton_});
    okButton->setFocus();

    connect(recordHighButton_, &QPushButton::clicked, this, &CEditInput::OnRecordHigh);
    connect(recordLowButton_, &QPushButton::clicked, this, &CEditInput::OnRecordLow);
    // toggled, not clicked: an assistive tool's toggle action emits only it.
    connect(voiceOnHighBox_, &QCheckBox::toggled, this, &CEditInput::OnVoiceOnHigh);
    connect(voiceOnLowBox_, &QCheckBox::toggled, this, &CEditInput::OnVoiceOnLow);
}

void CEditInput::OnInitDialog() {
    putValues();
    recordHighButton_->setEnabled(m_voiceOnHigh != 0);
    recordLowButton_->setEnabled(m_voiceOnLow != 0);
}

void CEditInput::putValues() {
    putBytes(highTextEdit_, m_highText);
    putBytes(lowTextEdit_, m_lowText);
    putBytes(phoneNumbersEdit_, m_phoneNumbers);
    // Setting the boxes is no user's toggle.
    const QSignalBlocker blockHigh(voiceOnHighBox_);
    const QSignalBlocker blockLow(voiceOnLowBox_);
    voiceOnHighBox_->setChecked(m_voiceOnHigh != 0);
    voiceOnLowBox_->setChecked(m_voiceOnLow != 0);
}

bool CEditInput::takeValues() {
    // High text, low text, then phone numbers: a refusal leaves the later
    // members as they were.
    const struct {
        QLineEdit* edit;
        QByteArray* member;
        QString tooLong;
    } texts[] = {{highTextEdit_, &m_highText, tr("The high text can hold at most %1 characters.")},
                 {lowTextEdit_, &m_lowText, tr("The low text can hold at most %1 characters.")},
                 {phoneNumbersEdit_, &m_phoneNumbers,
                  tr("The phone numbers can hold at most %1 characters.")}};
    for (const auto& text : texts) {
        if (!takeLimitedBytes(services_.ui, text.edit, FieldLimits::InputText,
                              text.tooLong.arg(FieldLimits::InputText), *text.member))
            return false;
    }
    m_voiceOnHigh = voiceOnHighBox_->isChecked() ? 1 : 0;
    m_voiceOnLow = voiceOnLowBox_->isChecked() ? 1 : 0;
    return true;
}

void CEditInput::OnVoiceOnHigh() {
    takeValues();
    recordHighButton_->setEnabled(m_voiceOnHigh != 0);
    putValues();
}

void CEditInput::OnVoiceOnLow() {
    takeValues();
    recordLowButton_->setEnabled(m_voiceOnLow != 0);
    putValues();
}

void CEditInput::OnRecordHigh() {
    record(true);
}

void CEditInput::OnRecordLow() {
    record(false);
}

void CEditInput::record(bool high) {
    // Voice messages live beside the configuration file; without one there is
    // nowhere to keep them.
    if (services_.configFolder.isEmpty()) {
        services_.ui.tell(tr("Save the configuration to a file first: its voice "
                             "messages are kept beside it."),
                          MessageIcon::Warning);
        return;
    }
    const int input = m_input + 1;
    VoiceRecorderRequest request;
    request.used = WaveFile::CountUsedVoiceMemory(services_.configFolder, services_.configTitle);
    request.status = high ? tr("Voicemessage for high on input %1").arg(input)
                          : tr("Voicemessage for low on input %1").arg(input);
    request.fileName = high ? VoiceFiles::configHighName(services_.configTitle, input)
                            : VoiceFiles::configLowName(services_.configTitle, input);
    // As it stands in the editor, typed but not yet stored.
    request.speechText = (high ? highTextEdit_ : lowTextEdit_)->text();
    if (services_.openRecorder)
        services_.openRecorder(request);
}

void CEditInput::accept() {
    if (takeValues())
        QDialog::accept();
}
