#include "SwitchDlg.h"
#include <vector>
#include "../../commands/Commands.h"
#include "../../netinfo/NetInfo.h"
#include "../../platform/FileDialog.h"
#include "../../platform/FullPath.h"
#include "../../platform/Handle.h"
#include "../../platform/PaintDC.h"
#include "../../platform/WinApp.h"
#include "../info/AboutBox.h"
#include "../info/UsageDlg.h"
#include "resource.h"

namespace {
const char* const kFileFilter = "TXT File(*.txt)|*.txt; *.txt|All Files(*.*)|*.*||";
const DWORD kFileFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
const char* const kExecuting = "正在执行...";
}  // namespace

CSwitchDlg::CSwitchDlg(ConfigStore store, HWND hParent)
    : CDialog(IDD_PELORIN_DIALOG, hParent),
      m_hIcon(LoadIconA(AfxGetApp()->m_hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_store(std::move(store))
{
}

void CSwitchDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_CONFIGS, m_combo);
    DDX_Text(pDX, IDC_MAC, m_strMac);
    DDX_Text(pDX, IDC_IP, m_strIp);
    DDX_Text(pDX, IDC_CURRENT, m_strCurrent);
}

const MessageMap* CSwitchDlg::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        OnMessage(WM_SYSCOMMAND, &CSwitchDlg::OnSysCommand),
        OnMessage(WM_PAINT, &CSwitchDlg::OnPaint),
        OnMessage(WM_QUERYDRAGICON, &CSwitchDlg::OnQueryDragIcon),
        OnCommand(IDOK, &CSwitchDlg::OnSwitch),
        OnCommand(IDC_BACKUP, &CSwitchDlg::OnBackup),
        OnCommand(IDC_IMPORT, &CSwitchDlg::OnImport),
        OnCommand(IDC_REFRESH, &CSwitchDlg::OnRefresh),
        OnCommand(IDC_ABOUT, &CSwitchDlg::OnAbout),
        OnCommand(IDC_USAGE, &CSwitchDlg::OnUsage),
        OnNotify(IDC_CONFIGS, CBN_SELCHANGE, &CSwitchDlg::OnSelect),
        OnNotify(IDC_CONFIGS, CBN_EDITCHANGE, &CSwitchDlg::OnEditChange),
        OnCommand(IDC_ADD, &CSwitchDlg::OnAdd),
        OnCommand(IDC_DELETE, &CSwitchDlg::OnDelete),
    };
    static const MessageMap map = {CDialog::GetMessageMap(), entries, sizeof entries / sizeof entries[0]};
    return &map;
}

BOOL CSwitchDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE);
    if (systemMenu) {
        char aboutItem[256] = {};
        if (LoadStringA(AfxGetApp()->m_hInstance, IDS_ABOUTBOX, aboutItem, sizeof aboutItem) > 0) {
            AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutItem);
        }
    }

    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    FillList();
    SelectEntry(0);

    OnRefresh();
    return TRUE;
}

void CSwitchDlg::FillList()
{
    std::vector<std::string> names;
    if (!m_store.List(names))
        return;
    for (const std::string& name : names)
        m_combo.AddString(name);
}

void CSwitchDlg::OnRefresh()
{
    HostAddressBuffer hostAddress = {};
    HardwareAddressBuffer hardwareAddress = {};
    QueryHostAddress(hostAddress);
    CollectAdapterAddress(hardwareAddress);
    m_strIp = hostAddress;
    m_strMac = hardwareAddress;

    if (m_store.Read(m_readBuf, ConfigStore::kCurrentRecord))
        m_strCurrent = m_readBuf;

    UpdateData(FALSE);
}

LRESULT CSwitchDlg::OnSysCommand(WPARAM wParam, LPARAM)
{
    if ((wParam & 0xFFF0) != IDM_ABOUTBOX)
        return Default();
    OnAbout();
    return 0;
}

void CSwitchDlg::OnAbout()
{
    CAboutBox about;
    about.DoModal();
}

void CSwitchDlg::OnUsage()
{
    CUsageDlg usage;
    usage.DoModal();
}

LRESULT CSwitchDlg::OnPaint(WPARAM, LPARAM)
{
    if (!IsIconic(m_hWnd))
        return Default();

    CPaintDC dc(m_hWnd);
    SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    RECT client;
    GetClientRect(m_hWnd, &client);
    int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
    return 0;
}

LRESULT CSwitchDlg::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hIcon);
}

void CSwitchDlg::SetStatus(const char* text) { SetDlgItemTextA(m_hWnd, IDC_STATUS, text); }

void CSwitchDlg::StopWith(const std::string& message)
{
    SetStatus("");
    AfxMessageBox(message);
}

bool CSwitchDlg::AcceptPathForCommand(const std::string& path)
{
    if (CanPassToInterpreter(path))
        return true;
    StopWith(path + "含有%,无法执行!");
    return false;
}

bool CSwitchDlg::ChooseFile(bool open, ChosenFile& chosen)
{
    CFileDialog dialog(open, open ? nullptr : "txt", kFileFlags, kFileFilter);
    if (dialog.DoModal() != IDOK) {
        if (dialog.PathTooLong())
            StopWith("文件路径太长,无法使用!");
        return false;
    }
    chosen = {dialog.GetFileTitle(), dialog.GetPathName()};
    return true;
}

bool CSwitchDlg::ChooseCaptureFile(ChosenFile& chosen)
{
    SetStatus(kExecuting);
    if (!ChooseFile(false, chosen)) {
        SetStatus("");
        return false;
    }
    return AcceptPathForCommand(chosen.path);
}

bool CSwitchDlg::CaptureChosenFile(const std::string& path)
{
    bool captured = CaptureInto(path);
    SetStatus("");
    if (!captured)
        AfxMessageBox(path + "备份失败!");
    return captured;
}

void CSwitchDlg::MakeChoice(const ChosenFile& chosen)
{
    m_strName = chosen.name;
    m_strPath = chosen.path;
    m_bChoiceListed = false;
    // The field shows the name that Switch now records; no entry is selected,
    // since the file need not be the one stored under a listed name.
    m_combo.SetCurSel(-1);
    m_combo.SetWindowText(m_strName);
    m_bTyped = false;
}

void CSwitchDlg::OnBackup()
{
    ChosenFile chosen;
    if (ChooseCaptureFile(chosen) && CaptureChosenFile(chosen.path))
        MakeChoice(chosen);
}

void CSwitchDlg::OnImport()
{
    ChosenFile chosen;
    if (ChooseFile(true, chosen))
        MakeChoice(chosen);
}

void CSwitchDlg::OnAdd()
{
    // Refusals are decided before the capture, which would replace the chosen file.
    ChosenFile chosen;
    if (!ChooseCaptureFile(chosen))
        return;
    if (chosen.name.empty()) {
        StopWith("名称为空,无法添加!");
        return;
    }
    if (ConfigStore::IsReservedName(chosen.name)) {
        StopWith(chosen.name + "是保留名称,无法添加!");
        return;
    }
    // The store too: another running copy may have added the name.
    if (m_combo.FindStringExact(-1, chosen.name) != CB_ERR || m_store.Has(chosen.name)) {
        StopWith(chosen.name + "已经存在,无法添加!");
        return;
    }
    // Without a key to write to, the capture would replace the file for nothing.
    if (chosen.path.size() > ConfigStore::kMaxData || !m_store.CanWrite()) {
        StopWith(chosen.name + "保存失败,无法添加!");
        return;
    }
    if (!CaptureChosenFile(chosen.path))
        return;
    // The list shows only what the store has kept.
    if (!m_store.Write(chosen.path, chosen.name)) {
        AfxMessageBox(chosen.name + "保存失败,无法添加!");
        return;
    }
    // The list shows what Switch applies next: the configuration just added.
    SelectEntry(m_combo.AddString(chosen.name));
}

void CSwitchDlg::OnDelete()
{
    int index = NamedEntry();
    if (index == CB_ERR)
        return;
    std::string name = m_combo.GetLBText(index);
    // A forgotten name cannot be brought back, and Enter presses Delete again
    // while it has the focus: ask first.
    if (!AfxAskYesNo("确定要删除" + name + "吗?"))
        return;
    m_combo.DeleteString(index);
    SelectEntry(0);
    m_store.Delete(name);
}

int CSwitchDlg::NamedEntry() const
{
    // Not the selection, which follows the open list's pointer, nor the list's
    // own search, which calls some names equal that the registry keeps apart.
    std::string shown = m_combo.GetWindowText();
    if (shown.empty()) {
        // The unnamed value only when it is picked.
        int selected = m_combo.GetCurSel();
        return selected != CB_ERR && m_combo.GetLBText(selected).empty() ? selected : CB_ERR;
    }
    // The same bytes first: a name set by hand outside the code page may be
    // listed as a look-alike that differs from another only in case.
    for (bool sameBytes : {true, false}) {
        for (int index = 0, count = m_combo.GetCount(); index < count; ++index) {
            std::string listed = m_combo.GetLBText(index);
            if (sameBytes ? listed == shown : ConfigStore::IsSameName(listed, shown))
                return index;
        }
    }
    return CB_ERR;
}

void CSwitchDlg::SelectEntry(int index)
{
    if (m_combo.GetCount() > 0)
        m_combo.SetCurSel(index);
    else
        m_combo.ResetContent();
    OnSelect();
}

void CSwitchDlg::OnSelect()
{
    int index = m_combo.GetCurSel();
    m_strName = m_combo.GetLBText(index);
    m_bChoiceListed = index != CB_ERR;
    m_bTyped = false;
    if (m_bChoiceListed && m_store.Read(m_readBuf, m_strName))
        m_strPath = m_readBuf;
    else
        m_strPath.clear();
}

// Selecting while the user types would replace the text under the caret, so
// what was typed is looked up only when Switch or Delete is pressed.
void CSwitchDlg::OnEditChange() { m_bTyped = true; }

void CSwitchDlg::OnSwitch()
{
    SetStatus(kExecuting);
    // The field can change without a notice (the open list fills it in), so
    // Switch asks it, as Delete does, whenever it no longer shows the choice's
    // name byte for byte.
    if (m_bTyped || m_combo.GetWindowText() != m_strName) {
        int index = NamedEntry();
        if (index == CB_ERR) {
            StopWith("请从列表中选择网络配置!");
            return;
        }
        SelectEntry(index);
    } else if (m_bChoiceListed && m_store.Read(m_readBuf, m_strName)) {
        // Another running copy may have given the name another file since it was picked.
        m_strPath = m_readBuf;
    }
    if (m_strPath.size() < 3) {
        OnOK();
        return;
    }
    // A stored path may be relative, set by hand: netsh, which runs in the
    // system folder, must read the file checked here, so a path that cannot
    // be made full never reaches it.
    std::string fullPath = FullPathName(m_strPath);
    if (fullPath.empty() || fullPath.size() > CFileDialog::kMaxPath) {
        StopWith("文件路径太长,无法使用!");
        return;
    }
    m_strPath = fullPath;
    if (!AcceptPathForCommand(m_strPath))
        return;

    bool opens = UniqueHandle(CreateFileA(m_strPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
                     .IsValid();
    if (!opens) {
        StopWith(m_strPath + "文件不存在!");
        return;
    }

    RunHidden(ApplyCommand(m_strPath));
    m_store.Write(ConfigStore::FitToWrite(m_strName + "| " + m_strPath), ConfigStore::kCurrentRecord);
    SetStatus("");
}
