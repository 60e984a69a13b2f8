#include "UsageDlg.h"
#include "resource.h"

namespace {
// Fourteen pieces, each ending with a line break; seven begin with a blank line.
const char* const kUsageText =
    "Pelorin可让你在Windows 2000/XP/win7中保存多套\r\n"
    "网络(IP地址)设置，并且根据不同的网络环境方便地切换到不同的设置。\r\n"
    "\r\n" "本软件为绿色软件，免费，无需安装即可运行。\r\n"
    "\r\n" "简要说明：\r\n"
    "首次使用时要先行保存不同工作环境下的网络设置，操作步骤如下：\r\n"
    "假设你现在在单位使用电脑，现在的网络设置(自动获取或是手工指定IP)\r\n"
    "可以让你在办公室正常工作。\r\n"
    "\r\n" "①运行本程序，点击”添加网络配置“，设置文件名为“办公室”，\r\n"
    "则会在出现名称为“办公室“的网络配置；\r\n"
    "\r\n" "②打开Windows网络属性设置对话框，修改网络设置(如在家里使用时的配置);\r\n"
    "\r\n" "③关闭所有Windows网络属性设置对话框，运行本程序，点击添加网络配置，\r\n"
    "设置文件名假设为“家里”；\r\n"
    "\r\n" "设置完成后，以后运行本程序时，选择相应的网络配置名称，点击“切换”即可。\r\n"
    "\r\n" "                                             " PELORIN_COPYRIGHT "\r\n";
}  // namespace

CUsageDlg::CUsageDlg(HWND hParent) : CDialog(IDD_USAGE, hParent), m_strText(kUsageText) {}

// The text opens at its first line with nothing selected, rather than
// scrolled to its end and selected whole as the dialog manager leaves a
// focused edit.
BOOL CUsageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND edit = GetDlgItem(m_hWnd, IDC_USAGE_TEXT);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, 0);
    return FALSE;
}

void CUsageDlg::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_USAGE_TEXT, m_strText); }
