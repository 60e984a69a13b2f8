#include "Dialog.h"
#include "WinApp.h"

namespace {
CDialog* g_running = nullptr;
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value)
{
    if (pDX->m_bSaveAndValidate) {
        HWND control = GetDlgItem(pDX->m_hDlg, id);
        std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
        text.resize(GetWindowTextA(control, &text[0], static_cast<int>(text.size())));
        value = text;
    } else {
        SetDlgItemTextA(pDX->m_hDlg, id, value.c_str());
    }
}

void DDX_Control(CDataExchange* pDX, int id, CComboBox& control)
{
    // Every exchange: a window object run a second time has a new control.
    control.m_hWnd = GetDlgItem(pDX->m_hDlg, id);
}

CDialog::CDialog(UINT nIDTemplate, HWND hParent) : m_nIDTemplate(nIDTemplate), m_hParent(hParent) {}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_hParent;
    CDialog* mainWnd = AfxGetMainWnd();
    if (!owner && mainWnd && mainWnd != this)
        owner = mainWnd->m_hWnd;

    m_pOuter = g_running;
    g_running = this;
    INT_PTR result = DialogBoxParamA(AfxGetApp()->m_hInstance, MAKEINTRESOURCEA(m_nIDTemplate), owner,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    g_running = m_pOuter;
    m_hWnd = nullptr;
    return result;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx = {m_hWnd, bSaveAndValidate != FALSE};
    DoDataExchange(&dx);
    return TRUE;
}

CDialog* CDialog::Running() { return g_running; }

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::Default()
{
    m_bDefault = true;
    return 0;
}

const MessageMap* CDialog::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        OnCommand(IDOK, &CDialog::OnOK),
        OnCommand(IDCANCEL, &CDialog::OnCancel),
    };
    static const MessageMap map = {nullptr, entries, sizeof entries / sizeof entries[0]};
    return &map;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        dialog->m_hWnd = hwnd;
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    return dialog ? dialog->Dispatch(message, wParam, lParam) : FALSE;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        BOOL result = OnInitDialog();
        CenterWindow(m_hWnd, GetWindow(m_hWnd, GW_OWNER));
        return result;
    }

    const MessageMapEntry* entry = Find(message, wParam);
    if (!entry) {
        // Commands no window handles go to the application, as the help command does.
        if (message == WM_COMMAND && lParam == 0)
            return AfxGetApp()->OnCmdMsg(LOWORD(wParam)) ? TRUE : FALSE;
        return FALSE;
    }
    if (entry->onCommand) {
        (this->*entry->onCommand)();
        return TRUE;
    }

    m_bDefault = false;
    LRESULT result = (this->*entry->onMessage)(wParam, lParam);
    if (m_bDefault)
        return FALSE;
    if (message == WM_QUERYDRAGICON)  // one of the messages a dialog answers by its return value
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

const MessageMapEntry* CDialog::Find(UINT message, WPARAM wParam) const
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const MessageMapEntry& entry = map->entries[i];
            if (entry.message != message)
                continue;
            if (message != WM_COMMAND || (entry.id == LOWORD(wParam) && entry.code == HIWORD(wParam)))
                return &entry;
        }
    }
    return nullptr;
}

void CenterWindow(HWND hwnd, HWND over)
{
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    MONITORINFO monitorInfo = {};
    monitorInfo.cbSize = sizeof monitorInfo;
    if (GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitorInfo))
        workArea = monitorInfo.rcWork;

    RECT centreOn = workArea;
    if (over && IsWindowVisible(over) && !IsIconic(over))
        GetWindowRect(over, &centreOn);

    RECT rect;
    GetWindowRect(hwnd, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = (centreOn.left + centreOn.right - width) / 2;
    int y = (centreOn.top + centreOn.bottom - height) / 2;
    if (x + width > workArea.right) x = workArea.right - width;
    if (y + height > workArea.bottom) y = workArea.bottom - height;
    if (x < workArea.left) x = workArea.left;
    if (y < workArea.top) y = workArea.top;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
