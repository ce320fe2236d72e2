#include "app/WidgetUserInteraction.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {
// This file's texts, in the program's language.
struct DialogText {
    Q_DECLARE_TR_FUNCTIONS(DialogText)
};
} // namespace

QString WidgetUserInteraction::chooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    const bool save = request.kind == FileDialogKind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setWindowTitle(save ? DialogText::tr("Save As") : DialogText::tr("Open"));
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

Answer WidgetUserInteraction::showMessage(const MessageRequest& request) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (request.icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Information:
        icon = QMessageBox::Information;
        break;
    case MessageIcon::Question:
        icon = QMessageBox::Question;
        break;
    case MessageIcon::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageIcon::Stop:
        icon = QMessageBox::Critical;
        break;
    }
    const bool yesNo = request.buttons == MessageButtons::YesNo;
    QMessageBox box(icon, request.caption, request.text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    if (yesNo)
        box.setDefaultButton(request.defaultButton == Answer::Yes ? QMessageBox::Yes
                                                                  : QMessageBox::No);
    const int pressed = box.exec();
    if (!yesNo)
        return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void WidgetUserInteraction::showAbout() {
    QMessageBox::about(QApplication::activeWindow(), DialogText::tr("About Quillary"),
                       DialogText::tr("<b>Quillary</b> %1<br>Configuration tool for the "
                                      "VELK-Ardo and VELK-Tisk GSM remote-control units.")
                           .arg(QApplication::applicationVersion()));
}
