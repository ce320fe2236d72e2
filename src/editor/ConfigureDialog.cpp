#include "editor/ConfigureDialog.h"

#include "check/ConfigCheck.h"
#include "editor/ConfigureCommand.h"
#include "editor/PropertySheet.h"
#include "voice/VoiceNewDlg.h"

#include <QApplication>

void runConfigureCommand(QWidget* window, ConfigSession& session, UserInteraction& ui,
                         CommandButtons& buttons, Profile& profile) {
    const QString folder = session.configFolder();
    const QString title = session.current().g_configTitle;
    const auto openRecorder = [&ui, &profile, folder, title](const VoiceRecorderRequest& request) {
        // Over the input editor that asked for it.
        RunVoiceRecorder(ui, profile, folder, title, request, QApplication::activeModalWidget());
    };
    WidgetConfigSheet sheet(EditorServices{ui, folder, title, openRecorder, localeRegion()},
                            window);
    ConfigureCommand(session, ui, buttons, sheet).run();
}
