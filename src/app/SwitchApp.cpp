#include "SwitchApp.h"
#include "../platform/Shell.h"
#include "../ui/main/SwitchDlg.h"

namespace {
// The page the program opens when its window has closed.
const char* const kExitPage = "http://www.softhaven.example/soft/pelorin.html";
}

CSwitchApp theApp;

const AppCommandEntry* CSwitchApp::GetCommandMap(size_t* count) const
{
    static const AppCommandEntry entries[] = {
        {ID_HELP, &CWinApp::OnHelp},
    };
    *count = sizeof entries / sizeof entries[0];
    return entries;
}

BOOL CSwitchApp::InitInstance()
{
    CSwitchDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    ShellOpen(kExitPage);
    return FALSE;
}
