// The application object: starts the link library, runs the main window
// modally, and cleans the library up when the window has ended.
#pragma once

#include "app/QuillaryDlg.h"

#include <QStringList>

#include <functional>

// The configuration file named on the command line, as the program's
// arguments (QCoreApplication::arguments(), Qt's own options already taken
// out) give it: the first argument that is not an option, or after "--" the
// next one; a file: URL is taken as its local path. Empty when none is named.
// Options the program does not know are left alone.
QString configFileArgument(const QStringList& arguments);

class CQuillaryApp {
public:
    // `arguments` as QCoreApplication::arguments() gives them, the program first.
    explicit CQuillaryApp(AppServices& services, QStringList arguments = {})
        : services_(services), arguments_(std::move(arguments)) {}

    // Runs the program to its end; returns the process's exit code. A
    // configuration file named in the arguments is loaded once the window
    // shows.
    int InitInstance();

    // Called with the main window before it runs; tests use it to drive it.
    std::function<void(CQuillaryDlg&)> onMainWindow;

private:
    AppServices& services_;
    QStringList arguments_;
};
