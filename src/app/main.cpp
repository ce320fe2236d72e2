#include "app/QuillaryApp.h"
#include "app/WidgetUserInteraction.h"
#include "config/Profile.h"
#include "config/VoiceFiles.h"
#include "seams/Translations.h"
#include "unit/LinkApi.h"
#include "unit/StepNamingLinkApi.h"
#include "unit/UdevSerialDeviceFinder.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillary"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLARY_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quillary.png")));

    Profile profile(Profile::defaultPath());
    Translations::installPreferred(application, profile.language());
    // Failures then say where and why: the step, and whether the unit
    // refused, did not answer, or the line was lost.
    LibraryLinkApi library;
    StepNamingLinkApi link(library, nullptr);
    WidgetUserInteraction ui;
    SystemClock clock;
    UdevSerialDeviceFinder devices;
    AppServices services{link, ui, profile, clock, templateFolder()};
    services.devices = &devices;
    return CQuillaryApp(services, QApplication::arguments()).InitInstance();
}
