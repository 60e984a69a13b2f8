#include "Driver.h"
#include "../support/TestSupport.h"

namespace {
const char* const kProgramKey = "SOFTWARE\\Dravenholt\\Pelorin";

std::string g_program;
std::string g_helpers;
// The registry view the program sees: a 32-bit program's HKLM\SOFTWARE is
// the WOW6432Node branch of the 64-bit view this driver has.
REGSAM g_view = 0;

}  // namespace

std::string WindowTextOf(HWND window)
{
    wchar_t text[2048] = {};
    SendMessageW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

HWND VisiblePopupOf(HWND owner)
{
    for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); window;
         window = FindWindowExW(nullptr, window, L"#32770", nullptr)) {
        if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

void SetProgramUnderTest(const std::string& exe, const std::string& helpers)
{
    g_program = exe;
    g_helpers = helpers;
    g_view = RegistryViewOf(exe);
}

const std::string& ProgramUnderTest() { return g_program; }
const std::string& HelpersFolder() { return g_helpers; }

void ClearProgramStore()
{
    EmptyKey(HKEY_LOCAL_MACHINE, kProgramKey, g_view);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kProgramKey, g_view, 0);
}

void SeedProgramStore(const std::string& name, const std::string& data) { SeedProgramStore(Widen(name), data); }

void SeedProgramStore(const std::wstring& name, const std::string& data)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS | g_view, nullptr, &key, nullptr);
    const std::wstring wideData = Widen(data);
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wideData.c_str()),
                   static_cast<DWORD>((wideData.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::string ProgramStoreValue(const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProgramKey, 0, KEY_READ | g_view, &key) != ERROR_SUCCESS)
        return std::string();
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    LONG status = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? data : std::string();
}

PelorinProcess::PelorinProcess(const std::string& workFolder, const std::string& program)
{
    std::string commandLine = "\"" + (program.empty() ? g_program : program) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workFolder.empty() ? nullptr : workFolder.c_str(), &startup, &m_process))
        return;
    WaitUntil([&] {
        m_window = FindProgramWindow(m_process.dwProcessId, nullptr, "Pelorin");
        return m_window != nullptr;
    });
}

PelorinProcess::~PelorinProcess()
{
    if (!m_process.hProcess)
        return;
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool PelorinProcess::WaitForExit(DWORD timeoutMs) const
{
    DWORD exitCode = STILL_ACTIVE;
    return m_process.hProcess && WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(m_process.hProcess, &exitCode) && exitCode == 0;
}

std::vector<std::string> PelorinProcess::Entries() const
{
    // Wine hands an 8-bit request across processes back as UTF-16: ask in UTF-16.
    HWND combo = GetDlgItem(m_window, 1015);
    std::vector<std::string> entries;
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(Narrow(text));
    }
    return entries;
}

int PelorinProcess::Selection() const
{
    return static_cast<int>(SendMessageW(GetDlgItem(m_window, 1015), CB_GETCURSEL, 0, 0));
}

std::string PelorinProcess::Text(int id) const { return WindowTextOf(GetDlgItem(m_window, id)); }

void PelorinProcess::Select(int index) const
{
    HWND combo = GetDlgItem(m_window, 1015);
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(1015, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void PelorinProcess::Press(int id) const { PostMessageW(GetDlgItem(m_window, id), BM_CLICK, 0, 0); }

void PelorinProcess::Key(HWND window, UINT virtualKey) const
{
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
}

HWND PelorinProcess::ListEdit() const { return FindWindowExW(GetDlgItem(m_window, 1015), nullptr, L"Edit", nullptr); }

void PelorinProcess::ClickListArrow() const
{
    HWND combo = GetDlgItem(m_window, 1015);
    RECT client = {};
    GetClientRect(combo, &client);
    LPARAM arrow = MAKELPARAM(client.right - 3, client.bottom / 2);
    PostMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
    PostMessageW(combo, WM_LBUTTONUP, 0, arrow);
}

bool PelorinProcess::PointAtListEntry(int index) const
{
    // The open list is the program's other visible window.
    HWND list = WaitForWindow("");
    RECT item = {};
    if (!list || SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return false;
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2));
    return true;
}

void PelorinProcess::TypeOver(HWND edit, const std::string& text) const
{
    PostMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : Widen(text))
        PostMessageW(edit, WM_CHAR, c, 1);
}

HWND PelorinProcess::WaitForWindow(const std::string& caption, DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindProgramWindow(m_process.dwProcessId, m_window, caption);
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

std::string PelorinProcess::AnswerMessageBox(HWND box, int button) const
{
    std::string text = WindowTextOf(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, button, 0);
    // Until it has gone, it could pass for the next window the test waits for.
    WaitUntil([&] { return !IsWindow(box); });
    return text;
}

void PelorinProcess::AnswerFileDialog(HWND dialog, const std::string& path) const
{
    if (path.empty()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    // The file-name box: a combo box (cmb13) in the Explorer-style dialog, an edit (edt1) in others.
    HWND nameBox = GetDlgItem(dialog, 0x47c);
    if (!nameBox)
        nameBox = GetDlgItem(dialog, 0x480);
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(path).c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}
