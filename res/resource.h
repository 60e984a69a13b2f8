// Resource ids, in bands: templates, strings, icons and cursors, controls, commands.
#pragma once

#define IDD_ABOUTBOX            100
#define IDD_PELORIN_DIALOG      102
#define IDD_USAGE               131

#define IDS_ABOUTBOX            101

#define IDR_MAINFRAME           128
#define IDC_HANDPOINT                130

#define IDC_BACKUP              1003
#define IDC_IMPORT              1004
#define IDC_MAC                 1005
#define IDC_IP                  1006
#define IDC_REFRESH             1007
#define IDC_CURRENT             1008
#define IDC_ABOUT               1012
#define IDC_USAGE               1013
#define IDC_USAGE_TEXT          1014
#define IDC_CONFIGS             1015
#define IDC_ADD                 1016
#define IDC_DELETE              1017
#define IDC_STATUS              1018

#define IDM_ABOUTBOX            0x0010

// The maker's notice, in the About window and at the end of the usage text.
#define PELORIN_COPYRIGHT       "版权所有 (C) 2026 Dravenholt 工作室"
