// "Modify output configuration": one output's type and texts. The low text
// does not apply to a pulsed output, so its field is disabled while "Pulse"
// is ticked.
#pragma once

#include <QByteArray>
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

class CEditOutput : public QDialog {
    Q_OBJECT
public:
    explicit CEditOutput(QWidget* parent = nullptr);

    QByteArray m_highText;
    QByteArray m_lowText;
    int m_pulse = 0;

    // Moves the members into the controls; the page calls it once they are set.
    void OnInitDialog();
    void takeValues();
    void OnPulse();

    void accept() override;

private:
    void enableLowText();

    QLineEdit* highTextEdit_;
    QLineEdit* lowTextEdit_;
    QCheckBox* pulseBox_;
    QLabel* lowTextCount_;
};
