#include "mail/SendConfig.h"

#include "mail/MailSettingsDlg.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// This file's texts, in the program's language.
struct SendConfigText {
    Q_DECLARE_TR_FUNCTIONS(SendConfigText)
};
} // namespace

CSendConfig::CSendConfig(const CurrentConfig& current, UserInteraction& ui, Profile& profile,
                         MailTransportFactory transportFactory, QWidget* parent)
    : QDialog(parent), m_to(QStringLiteral("type.the.recipient@example.com")),
      m_subject(SendConfigText::tr("Configuration file for VELK-Ardo/VELK-Tisk module")),
      m_text(SendConfigText::tr("Configuration file is attached this email.")), ui_(ui),
      profile_(profile), command_(current, ui, profile, std::move(transportFactory)) {
    setObjectName(QStringLiteral("sendConfigDialog"));
    setWindowTitle(SendConfigText::tr("Send configuration using Email"));

    auto* group = new QGroupBox(SendConfigText::tr("Information"), this);
    group->setObjectName(QStringLiteral("informationGroupBox"));
    auto* grid = new QGridLayout(group);
    const auto addRow = [&](int row, const QString& caption, QWidget* edit, const char* name) {
        auto* label = new QLabel(caption, group);
        label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
        label->setBuddy(edit); // the label names the edit for screen readers too
        grid->addWidget(label, row, 0, Qt::AlignTop);
        grid->addWidget(edit, row, 1);
    };
    toEdit_ = new QLineEdit(m_to, group);
    toEdit_->setObjectName(QStringLiteral("toLineEdit"));
    subjectEdit_ = new QLineEdit(m_subject, group);
    subjectEdit_->setObjectName(QStringLiteral("subjectLineEdit"));
    textEdit_ = new QPlainTextEdit(m_text, group);
    textEdit_->setObjectName(QStringLiteral("textPlainTextEdit"));
    textEdit_->setTabChangesFocus(true);
    addRow(0, SendConfigText::tr("To:"), toEdit_, "to");
    addRow(1, SendConfigText::tr("Subject:"), subjectEdit_, "subject");
    addRow(2, SendConfigText::tr("Text:"), textEdit_, "text");

    busyLabel_ = new QLabel(SendConfigText::tr("Sending the configuration..."), this);
    busyLabel_->setObjectName(QStringLiteral("busyLabel"));
    busyLabel_->setVisible(false);

    sendButton_ = new QPushButton(SendConfigText::tr("Send configuration as EMail"), this);
    sendButton_->setObjectName(QStringLiteral("sendConfigurationButton"));
    settingsButton_ = new QPushButton(SendConfigText::tr("Mail settings..."), this);
    settingsButton_->setObjectName(QStringLiteral("mailSettingsButton"));
    cancelButton_ = new QPushButton(SendConfigText::tr("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton* button : {sendButton_, settingsButton_, cancelButton_})
        button->setDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sendButton_);
    buttons->addWidget(settingsButton_);
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(busyLabel_);
    layout->addLayout(buttons);

    connect(sendButton_, &QPushButton::clicked, this, &CSendConfig::OnSendConfiguration);
    connect(settingsButton_, &QPushButton::clicked, this, &CSendConfig::OnMailSettings);
    connect(cancelButton_, &QPushButton::clicked, this, &CSendConfig::reject);
    connect(&command_, &SendConfigCommand::finished, this, &CSendConfig::sendFinished);
}

void CSendConfig::OnSendConfiguration() {
    if (busy())
        return;
    m_to = toEdit_->text();
    m_subject = subjectEdit_->text();
    m_text = textEdit_->toPlainText();
    setBusy(true);
    if (!command_.start({m_to, m_subject, m_text}))
        setBusy(false);
}

void CSendConfig::sendFinished(bool sent) {
    setBusy(false);
    if (sent)
        accept();
}

void CSendConfig::OnMailSettings() {
    CMailSettingsDlg dialog(profile_, ui_, this);
    dialog.exec();
}

void CSendConfig::setBusy(bool busy) {
    for (QWidget* widget : std::initializer_list<QWidget*>{
             toEdit_, subjectEdit_, textEdit_, sendButton_, settingsButton_, cancelButton_})
        widget->setEnabled(!busy);
    busyLabel_->setVisible(busy);
    if (busy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void CSendConfig::accept() {
    if (!busy())
        QDialog::accept();
}

void CSendConfig::reject() {
    if (!busy())
        QDialog::reject();
}

void CSendConfig::keyPressEvent(QKeyEvent* event) {
    // Enter outside the text closes the dialog without sending; on a focused
    // button it presses the button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
            return;
        }
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
