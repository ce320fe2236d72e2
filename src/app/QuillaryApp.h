// The application object: starts the link library, runs the main window
// modally, and cleans the library up when the window has ended.
#pragma once

#include "app/QuillaryDlg.h"

#include <functional>

class CQuillaryApp {
public:
    explicit CQuillaryApp(AppServices& services) : services_(services) {}

    // Runs the program to its end; returns the process's exit code.
    int InitInstance();

    // Called with the main window before it runs; tests use it to drive it.
    std::function<void(CQuillaryDlg&)> onMainWindow;

private:
    AppServices& services_;
};
