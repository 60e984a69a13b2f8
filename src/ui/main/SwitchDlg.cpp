#include "SwitchDlg.h"
#include "../../netinfo/NetInfo.h"
#include "../../platform/PaintDC.h"
#include "../../platform/WinApp.h"
#include "resource.h"
#include <vector>

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
        OnMessage(WM_PAINT, &CSwitchDlg::OnPaint),
        OnMessage(WM_QUERYDRAGICON, &CSwitchDlg::OnQueryDragIcon),
        OnCommand(IDC_REFRESH, &CSwitchDlg::OnRefresh),
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
    m_combo.SetCurSel(0);
    m_strName = m_combo.GetLBText(0);
    if (m_store.Read(m_readBuf, m_strName))
        m_strPath = m_readBuf;

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
