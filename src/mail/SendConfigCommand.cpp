#include "mail/SendConfigCommand.h"

#include "config/Profile.h"
#include "mail/ConfigArchive.h"
#include "mail/MapiMailSession.h"

#include <QCoreApplication>
#include <QThread>

namespace {
// This file's texts, in the program's language.
struct SendConfigCommandText {
    Q_DECLARE_TR_FUNCTIONS(SendConfigCommandText)
};
} // namespace

namespace {

QString notSentText() {
    return SendConfigCommandText::tr(
        "Configurationfile could not be sent using Email ! Please make sure that you have an Email "
        "program installed that supports MAPI.");
}
QString sentText() {
    return SendConfigCommandText::tr("Configurationfile has been sent !");
}

} // namespace

SendConfigCommand::SendConfigCommand(const CurrentConfig& current, UserInteraction& ui,
                                     Profile& profile, MailTransportFactory transportFactory)
    : current_(current), ui_(ui), profile_(profile),
      transportFactory_(std::move(transportFactory)) {
    if (!transportFactory_)
        transportFactory_ = [](const MailSettings& settings) {
            return std::make_unique<SmtpTransport>(settings);
        };
}

SendConfigCommand::~SendConfigCommand() {
    if (worker_) {
        worker_->wait();
        delete worker_;
    }
}

bool SendConfigCommand::start(const SendTexts& texts) {
    if (worker_)
        return false;
    if (current_.g_configPath.isEmpty()) {
        outcome_ = {SendOutcome::NoConfiguration, 0, {}, {}};
        ui_.showMessage(messageFor(outcome_));
        emit finished(false);
        return false;
    }
    // Everything the worker touches is its own copy.
    MailSettings settings;
    settings.serverUrl = profile_.mailServerUrl();
    settings.senderAddress = profile_.mailSender();
    settings.userName = profile_.mailUserName();
    settings.caFile = profile_.mailCaFile();
    std::shared_ptr<MailTransport> transport = transportFactory_(settings);
    const CurrentConfig current = current_;
    worker_ = QThread::create(
        [this, current, texts, transport] { outcome_ = run(current, texts, transport.get()); });
    connect(worker_, &QThread::finished, this, &SendConfigCommand::workerDone);
    worker_->start();
    return true;
}

void SendConfigCommand::workerDone() {
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    ui_.showMessage(messageFor(outcome_));
    emit finished(outcome_.kind == SendOutcome::Sent);
}

SendOutcome SendConfigCommand::run(const CurrentConfig& current, const SendTexts& texts,
                                   MailTransport* transport) {
    SendOutcome outcome;
    if (current.g_configPath.isEmpty()) {
        outcome.kind = SendOutcome::NoConfiguration;
        return outcome;
    }
    outcome.archivePath = ConfigArchive::archivePathFor(current.g_configPath);
    const ConfigArchive::PackResult packed =
        ConfigArchive::pack(current.g_configPath, current.g_configTitle, outcome.archivePath);
    if (!packed.ok) {
        outcome.kind = SendOutcome::ArchiveFailed;
        outcome.reason = packed.error;
        return outcome;
    }

    CMapiMessage message;
    message.m_To.append(texts.to);
    message.m_sSubject = texts.subject;
    message.m_sBody = texts.text;
    message.m_AttachmentPaths.append(outcome.archivePath);
    message.m_AttachmentNames.append(current.g_configTitle + QStringLiteral(".zip"));

    CMapiMailSession session(transport);
    if (!session.IsMapiAvailable()) {
        outcome.kind = SendOutcome::MailUnavailable;
        outcome.reason =
            SendConfigCommandText::tr("No mail server is set up: enter one under \"Mail "
                                      "settings...\".");
        return outcome;
    }
    if (!session.Logon(QString::fromLatin1(kLogonProfile), QString())) {
        outcome.kind = SendOutcome::LogonFailed;
    } else if (!session.Send(message)) {
        outcome.kind = SendOutcome::SendFailed;
    } else {
        outcome.kind = SendOutcome::Sent;
    }
    outcome.lastError = session.LastError();
    outcome.reason = session.LastErrorReason();
    return outcome;
}

MessageRequest SendConfigCommand::messageFor(const SendOutcome& outcome) {
    MessageRequest request;
    switch (outcome.kind) {
    case SendOutcome::Sent:
        request.text = sentText();
        request.icon = MessageIcon::Information;
        break;
    case SendOutcome::NoConfiguration:
        request.text =
            SendConfigCommandText::tr("There is no configuration file to send. Please save the "
                                      "configuration first.");
        break;
    case SendOutcome::ArchiveFailed:
        request.text =
            SendConfigCommandText::tr("The configuration could not be packed for sending; no "
                                      "e-mail was sent.\n\n%1")
                .arg(outcome.reason);
        break;
    case SendOutcome::MailUnavailable:
    case SendOutcome::LogonFailed:
    case SendOutcome::SendFailed:
        request.text =
            outcome.reason.isEmpty() ? notSentText() : notSentText() + "\n\n" + outcome.reason;
        request.icon = MessageIcon::Stop;
        break;
    }
    return request;
}
