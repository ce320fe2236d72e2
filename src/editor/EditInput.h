// "Modify input configuration": one input's phone numbers, texts and voice
// flags, and the Record buttons that open the voice recorder on its messages.
#pragma once

#include "editor/EditorServices.h"

#include <QByteArray>
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

class CEditInput : public QDialog {
    Q_OBJECT
public:
    explicit CEditInput(EditorServices& services, QWidget* parent = nullptr);

    int m_input = 0; // 0-based
    QByteArray m_highText;
    QByteArray m_lowText;
    QByteArray m_phoneNumbers;
    int m_voiceOnHigh = 0;
    int m_voiceOnLow = 0;

    // Moves the members into the controls and enables the Record buttons;
    // the page calls it once the members are set.
    void OnInitDialog();
    // Members into the controls, and back with the length check.
    void putValues();
    bool takeValues();

    void OnVoiceOnHigh();
    void OnVoiceOnLow();
    void OnRecordHigh();
    void OnRecordLow();

    void accept() override;

private:
    void record(bool high);

    EditorServices& services_;
    QLineEdit* phoneNumbersEdit_;
    QLineEdit* highTextEdit_;
    QLineEdit* lowTextEdit_;
    QCheckBox* voiceOnHighBox_;
    QCheckBox* voiceOnLowBox_;
    QPushButton* recordHighButton_;
    QPushButton* recordLowButton_;
};
