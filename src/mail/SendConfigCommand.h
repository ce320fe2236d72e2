// Sending the current configuration by e-mail: packs it with its voice files
// into a zip archive beside it and mails the archive through a mail session.
// The packing and sending run on a worker thread, so the window stays alive;
// the outcome is told to the user on the thread that started the command.
#pragma once

#include "config/CurrentConfig.h"
#include "mail/MailTransport.h"
#include "mail/SmtpTransport.h"
#include "seams/UserInteraction.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class Profile;
class QThread;

struct SendTexts {
    QString to;
    QString subject;
    QString text;
};

struct SendOutcome {
    enum Kind { Sent, NoConfiguration, ArchiveFailed, MailUnavailable, LogonFailed, SendFailed };
    Kind kind = Sent;
    quint32 lastError = 0; // the session's result code
    QString reason;        // in words, for the user
    QString archivePath;
};

// Builds the transport for one send from the profile's mail settings.
using MailTransportFactory = std::function<std::unique_ptr<MailTransport>(const MailSettings&)>;

class SendConfigCommand : public QObject {
    Q_OBJECT
public:
    // The profile name handed to Logon; it selects nothing with SMTP.
    static constexpr const char* kLogonProfile = "MS Exchange Settings";

    // `current`, `ui` and `profile` must outlive the command. Without a
    // factory the mail goes out over SMTP.
    SendConfigCommand(const CurrentConfig& current, UserInteraction& ui, Profile& profile,
                      MailTransportFactory transportFactory = {});
    // Waits for a send still under way: the worker uses this object's data.
    ~SendConfigCommand() override;

    // Starts packing and sending. False when nothing was started: no
    // configuration file (the user is told so) or a send already under way.
    bool start(const SendTexts& texts);
    bool busy() const { return worker_ != nullptr; }
    const SendOutcome& lastOutcome() const { return outcome_; }

    // The whole send, without any question to the user: for the worker.
    static SendOutcome run(const CurrentConfig& current, const SendTexts& texts,
                           MailTransport* transport);
    // What the user is shown for an outcome.
    static MessageRequest messageFor(const SendOutcome& outcome);

signals:
    // After the outcome has been shown.
    void finished(bool sent);

private:
    void workerDone();

    const CurrentConfig& current_;
    UserInteraction& ui_;
    Profile& profile_;
    MailTransportFactory transportFactory_;
    QThread* worker_ = nullptr;
    SendOutcome outcome_;
};
