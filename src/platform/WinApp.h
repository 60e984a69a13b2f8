// The application object, the message box, and the help command.
#pragma once
#include <windows.h>
#include <string>

class CDialog;
class CWinApp;

// The standard help command, which F1 sends to the main window.
constexpr UINT ID_HELP = 0xE146;

using AppCommandHandler = void (CWinApp::*)();

struct AppCommandEntry {
    UINT id;
    AppCommandHandler handler;
};

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up; the process ends when it returns false.
    virtual BOOL InitInstance() = 0;

    // Runs the command's handler from the application's command table.
    bool OnCmdMsg(UINT id);

    // The help command: says that help cannot start.
    void OnHelp();

    HINSTANCE m_hInstance;
    CDialog* m_pMainWnd = nullptr;

protected:
    virtual const AppCommandEntry* GetCommandMap(size_t* count) const;
};

CWinApp* AfxGetApp();
CDialog* AfxGetMainWnd();

// The executable's file name without its directory and extension.
std::string AfxGetExeTitle();

// A message box with one OK button and the exclamation icon, owned by the main
// window and captioned with the executable's title.
int AfxMessageBox(const std::string& text);

// A question with Yes and No, No the default so that Enter and Space answer
// it; owned and captioned as AfxMessageBox. True when the answer is Yes.
bool AfxAskYesNo(const std::string& text);

// While it lives, F1 without Shift, Ctrl or Alt in any dialog, message box or
// menu of the thread sends the help command to the main window.
class CHelpKeyFilter {
public:
    CHelpKeyFilter();
    ~CHelpKeyFilter();
    CHelpKeyFilter(const CHelpKeyFilter&) = delete;
    CHelpKeyFilter& operator=(const CHelpKeyFilter&) = delete;

private:
    static LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hHook;
};
