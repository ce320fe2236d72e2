#include "config/Profile.h"
#include "app/QuillaryApp.h"
#include "config/VoiceFiles.h"
#include "app/WidgetUserInteraction.h"
#include "unit/LinkApi.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillary"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLARY_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quillary.png")));

    LibraryLinkApi link;
    WidgetUserInteraction ui;
    Profile profile(Profile::defaultPath());
    SystemClock clock;
    AppServices services{link, ui, profile, clock, templateFolder()};
    return CQuillaryApp(services).InitInstance();
}
