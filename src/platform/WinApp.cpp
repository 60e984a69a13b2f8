#include "WinApp.h"
#include "Dialog.h"
#include "Seams.h"

namespace {
CWinApp* g_app = nullptr;

bool IsPathSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

// Where the file name begins: after the last separator, stepping by
// characters, as a trail byte of a double-byte character can equal '\'.
const char* FileNameOf(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; p = CharNextA(p)) {
        if (IsPathSeparator(*p))
            name = p + 1;
    }
    return name;
}

std::string ModulePath()
{
    // A path that fills the buffer comes back cut and without its NUL (Windows
    // XP, Wine): the buffer holds any path's bytes, and only the length returned
    // is read.
    std::string path(0x10000, '\0');
    DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return path;
}
}  // namespace

CWinApp::CWinApp() : m_hInstance(GetModuleHandleA(nullptr)) { g_app = this; }

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }
CDialog* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

const AppCommandEntry* CWinApp::GetCommandMap(size_t* count) const
{
    *count = 0;
    return nullptr;
}

bool CWinApp::OnCmdMsg(UINT id)
{
    size_t count = 0;
    const AppCommandEntry* entries = GetCommandMap(&count);
    for (size_t i = 0; i < count; ++i) {
        if (entries[i].id == id) {
            (this->*entries[i].handler)();
            return true;
        }
    }
    return false;
}

void CWinApp::OnHelp()
{
    // No help file comes with the program, and one lying beside the exe could
    // be anyone's: WinHelpA starts its viewer by bare name, looked for beside
    // the exe first, and a help file can run programs through its macros.
    AfxMessageBox("启动帮助失败。");
}

std::string AfxGetExeTitle()
{
    std::string path = ModulePath();
    std::string title = FileNameOf(path.c_str());
    size_t dot = title.rfind('.');
    if (dot != std::string::npos)
        title.erase(dot);
    return title;
}

namespace {
int ShowMessageBox(const std::string& text, UINT type)
{
    HWND owner = AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : nullptr;
    std::string caption = AfxGetExeTitle();
    if (Seams().messageBox)
        return Seams().messageBox(owner, text.c_str(), caption.c_str(), type);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}
}  // namespace

int AfxMessageBox(const std::string& text) { return ShowMessageBox(text, MB_OK | MB_ICONEXCLAMATION); }

bool AfxAskYesNo(const std::string& text)
{
    return ShowMessageBox(text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

CHelpKeyFilter::CHelpKeyFilter()
    : m_hHook(SetWindowsHookExA(WH_MSGFILTER, FilterProc, nullptr, GetCurrentThreadId()))
{
}

CHelpKeyFilter::~CHelpKeyFilter()
{
    if (m_hHook)
        UnhookWindowsHookEx(m_hHook);
}

LRESULT CALLBACK CHelpKeyFilter::FilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    bool inModalLoop = code == MSGF_DIALOGBOX || code == MSGF_MENU;
    bool plainF1 = msg->message == WM_KEYDOWN && msg->wParam == VK_F1 && GetKeyState(VK_SHIFT) >= 0 &&
                   GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
    CDialog* mainWnd = AfxGetMainWnd();
    if (code >= 0 && inModalLoop && plainF1 && mainWnd && mainWnd->m_hWnd) {
        SendMessageA(mainWnd->m_hWnd, WM_COMMAND, ID_HELP, 0);
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
