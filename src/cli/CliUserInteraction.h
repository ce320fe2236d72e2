// The command-line program's answers to the questions the shared commands
// ask: no dialogs, no waiting for a user. Notices of success go to standard
// output, errors to standard error; yes/no questions and the save dialog are
// answered from the command line (--voice, the output file).
#pragma once

#include "cli/CliConsole.h"
#include "seams/UserInteraction.h"

#include <QStringList>

class CliUserInteraction final : public UserInteraction {
public:
    explicit CliUserInteraction(CliConsole& console) : console_(console) {}

    // The answer to every yes/no question (the voice question: --voice).
    void setYesNoAnswer(bool yes) { yes_ = yes; }
    // The file a save dialog "chooses"; empty: the dialog is cancelled.
    void setSavePath(const QString& path) { savePath_ = path; }
    // Quiet: messages are kept but not printed (a command run only for its result).
    void setQuiet(bool quiet) { quiet_ = quiet; }

    QString chooseFile(const FileDialogRequest& request) override;
    Answer showMessage(const MessageRequest& request) override;
    void showAbout() override {}

    // The errors shown so far (messages without the information icon).
    const QStringList& errors() const { return errors_; }

private:
    CliConsole& console_;
    bool yes_ = false;
    bool quiet_ = false;
    QString savePath_;
    QStringList errors_;
};
