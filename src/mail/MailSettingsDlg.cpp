#include "mail/MailSettingsDlg.h"

#include "config/Profile.h"
#include "mail/SmtpTransport.h"
#include "seams/UserInteraction.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// This file's texts, in the program's language.
struct MailSettingsDlgText {
    Q_DECLARE_TR_FUNCTIONS(MailSettingsDlgText)
};
} // namespace

CMailSettingsDlg::CMailSettingsDlg(Profile& profile, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), profile_(profile), ui_(ui) {
    setObjectName(QStringLiteral("mailSettingsDialog"));
    setWindowTitle(MailSettingsDlgText::tr("Mail settings"));

    serverEdit_ = new QLineEdit(profile.mailServerUrl(), this);
    serverEdit_->setObjectName(QStringLiteral("serverUrlLineEdit"));
    // The example is the field's only hint of the form it takes: whole, with
    // the field's frame, its margins and the cursor beside it (a line edit's
    // hint is 17 "x" wide plus those; two "x" more cover the cursor and the
    // bearing the field keeps).
    const QString example = QStringLiteral("smtps://mail.example.com:465");
    serverEdit_->setPlaceholderText(example);
    const QFontMetrics metrics = serverEdit_->fontMetrics();
    serverEdit_->setMinimumWidth(serverEdit_->sizeHint().width() -
                                 15 * metrics.horizontalAdvance(QLatin1Char('x')) +
                                 metrics.horizontalAdvance(example));
    senderEdit_ = new QLineEdit(profile.mailSender(), this);
    senderEdit_->setObjectName(QStringLiteral("senderLineEdit"));
    userEdit_ = new QLineEdit(profile.mailUserName(), this);
    userEdit_->setObjectName(QStringLiteral("userNameLineEdit"));

    auto* form = new QFormLayout;
    form->addRow(MailSettingsDlgText::tr("&Server URL:"), serverEdit_);
    form->addRow(MailSettingsDlgText::tr("S&ender address:"), senderEdit_);
    form->addRow(MailSettingsDlgText::tr("&User name:"), userEdit_);

    auto* note =
        new QLabel(MailSettingsDlgText::tr(
                       "The password is read from ~/.netrc (a line \"machine HOST login USER "
                       "password SECRET\"); Quillary does not store it. On smtp:// the "
                       "connection must switch to TLS unless the server is this computer."),
                   this);
    note->setObjectName(QStringLiteral("passwordNoteLabel"));
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CMailSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMailSettingsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

void CMailSettingsDlg::accept() {
    const QString server = serverEdit_->text().trimmed();
    const QString sender = senderEdit_->text().trimmed();
    if (!server.isEmpty() && !SmtpTransport::hasSmtpScheme(QUrl(server))) {
        ui_.tell(MailSettingsDlgText::tr("The server URL must begin with smtp:// or smtps://, for "
                                         "example smtps://mail.example.com:465."));
        return;
    }
    if (const QString refusal = SmtpTransport::passwordRefusal(server); !refusal.isEmpty()) {
        ui_.tell(refusal);
        return;
    }
    if (!sender.isEmpty() && !SmtpTransport::isAddress(sender)) {
        ui_.tell(MailSettingsDlgText::tr("The sender address \"%1\" is not an e-mail address.")
                     .arg(sender));
        return;
    }
    profile_.setMailServer(server, sender, userEdit_->text().trimmed());
    QDialog::accept();
}
