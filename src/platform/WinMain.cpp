// The program's entry: set up the process, then hand over to the application object.
#include <cstdlib>
#include "SystemFolder.h"
#include "WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    LimitDllSearchToSystemFolder();

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

// The program throws nothing, so a failure there can only end it; the
// standard handler would link in a symbol demangler of some 46 KB to say why.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}
