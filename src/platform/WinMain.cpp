// The program's entry: set up the process, then hand over to the application object.
#include "WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    // No critical-error or missing-disk boxes for the program's opens, nor for
    // the commands it starts, which inherit this mode.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    CWinApp* app = AfxGetApp();
    if (!app)
        return 0;
    app->m_hInstance = hInstance;
    CHelpKeyFilter helpKey;
    app->InitInstance();
    return 0;
}
