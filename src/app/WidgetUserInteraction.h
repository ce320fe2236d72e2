// The real user interaction: Qt file dialogs and message boxes, over the
// window that is active when asked.
#pragma once

#include "seams/UserInteraction.h"

class WidgetUserInteraction final : public UserInteraction {
public:
    QString chooseFile(const FileDialogRequest& request) override;
    Answer showMessage(const MessageRequest& request) override;
    void showAbout() override;
};
