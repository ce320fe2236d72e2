#include "app/QuillaryApp.h"

#include <QTimer>
#include <QUrl>

QString configFileArgument(const QStringList& arguments) {
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == QLatin1String("--")) {
            options = false;
            continue;
        }
        if (options && argument.startsWith('-'))
            continue;
        if (argument.isEmpty())
            continue;
        if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
            // A URL that names no local file is refused by the load, by name.
            if (const QString local = QUrl(argument).toLocalFile(); !local.isEmpty())
                return local;
        }
        return argument;
    }
    return {};
}

int CQuillaryApp::InitInstance() {
    services_.link.LinkStartup();
    {
        CQuillaryDlg mainWindow(services_);
        // From the window's own event loop, so that a refusal shows over it.
        if (const QString file = configFileArgument(arguments_); !file.isEmpty())
            QTimer::singleShot(0, &mainWindow,
                               [&mainWindow, file] { mainWindow.openConfiguration(file); });
        if (onMainWindow)
            onMainWindow(mainWindow);
        mainWindow.exec();
    }
    services_.link.LinkCleanup();
    return 0;
}
