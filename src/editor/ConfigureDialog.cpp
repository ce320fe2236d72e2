#include "editor/ConfigureDialog.h"

#include "check/ConfigCheck.h"
#include "editor/ConfigureCommand.h"
#include "editor/PropertySheet.h"
#include "voice/VoiceNewDlg.h"

#include <QApplication>

void runConfigureCommand(QWidget* window, const CommandContext& context) {
    const QString folder = context.session.configFolder();
    const QString title = context.session.current().g_configTitle;
    const auto openRecorder = [&context, folder, title](const VoiceRecorderRequest& request) {
        // Over the input editor that asked for it.
        RunVoiceRecorder(context.ui, context.profile, folder, title, request,
                         QApplication::activeModalWidget());
    };
    WidgetConfigSheet sheet(EditorServices{context.ui, folder, title, openRecorder, localeRegion()},
                            window);
    ConfigureCommand(context.session, context.ui, context.buttons, sheet).run();
}
