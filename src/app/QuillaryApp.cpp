#include "app/QuillaryApp.h"

int CQuillaryApp::InitInstance() {
    services_.link.LinkStartup();
    {
        CQuillaryDlg mainWindow(services_);
        if (onMainWindow)
            onMainWindow(mainWindow);
        mainWindow.exec();
    }
    services_.link.LinkCleanup();
    return 0;
}
