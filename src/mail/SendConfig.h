// The "Send configuration using Email" dialog: recipient, subject and text,
// the send button, the mail settings and Cancel. While a send is under way the
// dialog shows it is busy and takes no input; the window behind it stays alive.
#pragma once

#include "mail/SendConfigCommand.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CSendConfig : public QDialog {
    Q_OBJECT
public:
    CSendConfig(const CurrentConfig& current, UserInteraction& ui, Profile& profile,
                MailTransportFactory transportFactory = {}, QWidget* parent = nullptr);

    QString m_to;
    QString m_subject;
    QString m_text;

    bool busy() const { return command_.busy(); }
    SendConfigCommand& command() { return command_; }

public slots:
    void OnSendConfiguration();
    void OnMailSettings();
    // Nothing ends the dialog while a send is under way.
    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setBusy(bool busy);
    void sendFinished(bool sent);

    UserInteraction& ui_;
    Profile& profile_;
    SendConfigCommand command_;
    QLineEdit* toEdit_ = nullptr;
    QLineEdit* subjectEdit_ = nullptr;
    QPlainTextEdit* textEdit_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* busyLabel_ = nullptr;
};
