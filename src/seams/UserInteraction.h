// Every question to the user goes through this interface: file dialogs,
// message boxes, yes/no questions. The application uses dialogs; tests use a
// scripted fake that records what was shown.
#pragma once

#include <QString>

enum class MessageIcon { None, Information, Question, Warning, Stop };
enum class MessageButtons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

struct MessageRequest {
    QString text;
    QString caption = QStringLiteral("Quillary");
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    Answer defaultButton = Answer::Ok;
    bool operator==(const MessageRequest&) const = default;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString filter;        // e.g. "Configuration files (*.QRB)"
    QString defaultSuffix; // added when the typed name has none
    QString folder;        // where the dialog starts; empty: its own choice
};

class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    // The chosen full path; empty when the user cancelled.
    virtual QString chooseFile(const FileDialogRequest& request) = 0;
    virtual Answer showMessage(const MessageRequest& request) = 0;
    virtual void showAbout() = 0;

    // An error or notice with only an OK button.
    void tell(const QString& text, MessageIcon icon = MessageIcon::None) {
        showMessage({text, QStringLiteral("Quillary"), MessageButtons::Ok, icon, Answer::Ok});
    }
    // A Yes/No question with the question icon; No is the default.
    bool askYesNo(const QString& text) {
        return showMessage({text, QStringLiteral("Quillary"), MessageButtons::YesNo,
                            MessageIcon::Question, Answer::No}) == Answer::Yes;
    }
};
