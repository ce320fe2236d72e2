#include "editor/ConfigureDialog.h"

#include "editor/ConfigureCommand.h"
#include "editor/PropertySheet.h"

namespace {

// Stands in for the voice recorder until it is part of the program.
void openVoiceRecorder(const RecorderRequest&, UserInteraction& ui) {
    ui.tell(QStringLiteral("The voice recorder is not available in this version."));
}

} // namespace

void runConfigureCommand(QWidget* window, const CommandContext& context) {
    UserInteraction& ui = context.ui;
    EditorServices services{
        ui, context.session.configFolder(), context.session.current().g_configTitle,
        [&ui](const RecorderRequest& request) { openVoiceRecorder(request, ui); }};
    WidgetConfigSheet sheet(std::move(services), window);
    ConfigureCommand(context.session, context.ui, context.buttons, sheet).run();
}
