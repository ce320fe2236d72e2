#include "editor/EditOutput.h"

#include "config/ConfigFields.h"
#include "editor/EditorWidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CEditOutput::CEditOutput(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("editOutputDialog"));
    setWindowTitle(tr("Modify output configuration"));

    highTextEdit_ = new QLineEdit(this);
    highTextEdit_->setObjectName(QStringLiteral("highTextEdit"));
    auto* okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setAutoDefault(false);
    lowTextEdit_ = new QLineEdit(this);
    lowTextEdit_->setObjectName(QStringLiteral("lowTextEdit"));
    pulseBox_ = new QCheckBox(tr("Pulse"), this);
    pulseBox_->setObjectName(QStringLiteral("pulseCheckBox"));
    connect(okButton, &QPushButton::clicked, this, &CEditOutput::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CEditOutput::reject);
    // toggled, not clicked: an assistive tool's toggle action emits only it.
    connect(pulseBox_, &QCheckBox::toggled, this, &CEditOutput::OnPulse);

    // A register holds 255 characters; the fields stop there.
    for (QLineEdit* edit : {highTextEdit_, lowTextEdit_}) {
        edit->setMinimumWidth(300);
        limitTyping(edit, FieldLimits::OutputText);
    }

    const QString typeLabel = tr("Output type:");
    auto* grid = new QGridLayout;
    // Under each text how many SMS it takes, as the user types.
    addFieldWithNote(grid, 0, labelFor(tr("High text:"), highTextEdit_, this), highTextEdit_,
                     smsCounter(highTextEdit_, FieldLimits::OutputText, this));
    grid->addWidget(labelFor(typeLabel, pulseBox_, this), 1, 0);
    grid->addWidget(pulseBox_, 1, 1);
    lowTextCount_ = smsCounter(lowTextEdit_, FieldLimits::OutputText, this);
    addFieldWithNote(grid, 2, labelFor(tr("Low text:"), lowTextEdit_, this), lowTextEdit_,
                     lowTextCount_);
    pulseBox_->setAccessibleName(QStringLiteral("%1 %2").arg(typeLabel, pulseBox_->text()));

    layOutEditor(this, grid, okButton, cancelButton);

    // The high text, the field most often changed, first and focused; then
    // OK, Cancel, the low text and the check box.
    setTabChain({highTextEdit_, okButton, cancelButton, lowTextEdit_, pulseBox_});
    highTextEdit_->setFocus();
}

void CEditOutput::OnInitDialog() {
    putBytes(highTextEdit_, m_highText);
    putBytes(lowTextEdit_, m_lowText);
    pulseBox_->setChecked(m_pulse != 0);
    enableLowText();
}

void CEditOutput::enableLowText() {
    // A pulsed output sends no low text; its count is greyed with the field.
    lowTextEdit_->setEnabled(m_pulse == 0);
    lowTextCount_->setEnabled(m_pulse == 0);
}

void CEditOutput::takeValues() {
    // A disabled low-text field still gives its text.
    m_highText = takeBytes(highTextEdit_);
    m_lowText = takeBytes(lowTextEdit_);
    m_pulse = pulseBox_->isChecked() ? 1 : 0;
}

void CEditOutput::OnPulse() {
    m_pulse = pulseBox_->isChecked() ? 1 : 0;
    enableLowText();
}

void CEditOutput::accept() {
    takeValues();
    QDialog::accept();
}
