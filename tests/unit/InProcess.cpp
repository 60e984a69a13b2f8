#include "InProcess.h"
#include <sddl.h>
#include <deque>
#include "../support/TestSupport.h"
#include "platform/WinApp.h"

PresentHelpFile::PresentHelpFile() : m_path(ExeFolder() + AfxGetExeTitle() + ".HLP") { WriteFile(m_path, ""); }
PresentHelpFile::~PresentHelpFile() { DeleteFileA(m_path.c_str()); }

TestStoreKey::TestStoreKey(const std::string& name) : m_subkey("Software\\PelorinTests\\" + name)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, m_subkey.c_str());
}

TestStoreKey::~TestStoreKey() { RegDeleteTreeA(HKEY_CURRENT_USER, m_subkey.c_str()); }

void TestStoreKey::SetRaw(const std::string& name, const std::string& bytes, DWORD type) const
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, m_subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

bool TestStoreKey::HasValue(const std::string& name) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, m_subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    bool found = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

void TestStoreKey::SetAccess(const char* sddl) const
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr);
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, m_subkey.c_str(), 0, WRITE_DAC, &key);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    RegCloseKey(key);
    LocalFree(descriptor);
}

namespace {
std::deque<std::function<void(HWND)>> g_bodies;

void CALLBACK RunBody(HWND, UINT, UINT_PTR id, DWORD)
{
    // The dialog manager shows the window once its queue is first empty: wait for that.
    CDialog* running = CDialog::Running();
    if (!running || !running->m_hWnd || !IsWindowVisible(running->m_hWnd))
        return;
    KillTimer(nullptr, id);
    std::function<void(HWND)> body = std::move(g_bodies.front());
    g_bodies.pop_front();
    HWND window = running->m_hWnd;
    body(window);
    if (IsWindow(window))
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
}
}  // namespace

void WhenNextDialogRuns(const std::function<void(HWND)>& body)
{
    g_bodies.push_back(body);
    SetTimer(nullptr, 0, 0, RunBody);
}

INT_PTR RunModal(CDialog& dialog, const std::function<void(HWND)>& body)
{
    WhenNextDialogRuns(body);
    return dialog.DoModal();
}

void PumpMessages(HWND dialog)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}
