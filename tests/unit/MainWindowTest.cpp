#include <gtest/gtest.h>
#include "InProcess.h"
#include "app/SwitchApp.h"
#include "platform/Seams.h"
#include "platform/WinApp.h"
#include "resource.h"
#include "ui/main/SwitchDlg.h"

namespace {

// The main window as the application runs it: the application's main window,
// built on a store of the test's own.
class MainWindow : public testing::Test {
protected:
    MainWindow() : dlg(key.Store()) { AfxGetApp()->m_pMainWnd = &dlg; }
    ~MainWindow() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        Seams() = PlatformSeams();
    }

    std::vector<std::string> Entries() const
    {
        std::vector<std::string> entries;
        for (int i = 0; i < dlg.m_combo.GetCount(); ++i)
            entries.push_back(dlg.m_combo.GetLBText(i));
        return entries;
    }

    static std::string EditText(HWND window, int id) { return WindowText(GetDlgItem(window, id)); }

    TestStoreKey key;
    CSwitchDlg dlg;
};

std::string g_messageText;
std::string g_messageCaption;
UINT g_messageType = 0;
int RecordMessage(HWND, const char* text, const char* caption, UINT type)
{
    g_messageText = text;
    g_messageCaption = caption;
    g_messageType = type;
    return IDOK;
}

}  // namespace

TEST_F(MainWindow, StartsWithTheSortedNamesEntryZeroAndItsPath)
{
    ConfigStore store = key.Store();
    store.Write("C:\\家\\家里.txt", "家里");
    store.Write("D:\\网络\\办公室.txt", "办公室");
    store.Write("E:\\b.txt", "beta");
    store.Write("E:\\a.txt", "Alpha");
    store.Write("办公室| D:\\网络\\办公室.txt", "curnet");

    RunModal(dlg, [&](HWND window) {
        // The list sorts; the window takes entry 0, whichever it is.
        EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "办公室", "家里"}), Entries());
        EXPECT_EQ(0, dlg.m_combo.GetCurSel());
        EXPECT_EQ("Alpha", dlg.m_strName);
        EXPECT_EQ("E:\\a.txt", dlg.m_strPath);
        EXPECT_EQ("办公室| D:\\网络\\办公室.txt", EditText(window, IDC_CURRENT));
        EXPECT_EQ("Pelorin", WindowText(window));
        EXPECT_NE("", EditText(window, IDC_IP));
    });
}

TEST_F(MainWindow, FirstRunShowsAnEmptyListAndTheAddresses)
{
    RunModal(dlg, [&](HWND window) {
        EXPECT_EQ(0, dlg.m_combo.GetCount());
        EXPECT_EQ("", dlg.m_strName);
        EXPECT_EQ("", dlg.m_strPath);
        EXPECT_EQ("", EditText(window, IDC_CURRENT));
        EXPECT_EQ(dlg.m_strIp, EditText(window, IDC_IP));
        EXPECT_EQ(dlg.m_strMac, EditText(window, IDC_MAC));
        EXPECT_NE("", dlg.m_strIp);
    });
}

TEST_F(MainWindow, RefreshShowsARecordWrittenAfterStartAndKeepsItWhenItGoes)
{
    RunModal(dlg, [&](HWND window) {
        EXPECT_EQ("", EditText(window, IDC_CURRENT));
        key.Store().Write("家里| C:\\家里.txt", "curnet");
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_REFRESH)));
        EXPECT_EQ("家里| C:\\家里.txt", EditText(window, IDC_CURRENT));

        key.Store().Delete("curnet");
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED), 0);
        EXPECT_EQ("家里| C:\\家里.txt", EditText(window, IDC_CURRENT));
    });
}

TEST_F(MainWindow, ExitEscapeAndTheCloseBoxEndTheRunWithCancel)
{
    EXPECT_EQ(IDCANCEL, RunModal(dlg, [](HWND window) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }));
    EXPECT_EQ(IDCANCEL, RunModal(dlg, [](HWND window) {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        PumpMessages(window);
    }));
    EXPECT_EQ(IDCANCEL, RunModal(dlg, [](HWND window) {
        SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }));
}

TEST_F(MainWindow, SystemMenuEndsWithTheAboutItemAndTheDragIconIsTheAppIcon)
{
    RunModal(dlg, [&](HWND window) {
        HMENU menu = GetSystemMenu(window, FALSE);
        int count = GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        char text[64] = {};
        GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ("关于 Pelorin(&A)...", text);
        EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), GetMenuItemID(menu, count - 1));
        EXPECT_EQ(MF_SEPARATOR, GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);

        EXPECT_EQ(reinterpret_cast<LRESULT>(dlg.m_hIcon), SendMessageA(window, WM_QUERYDRAGICON, 0, 0));
        EXPECT_EQ(reinterpret_cast<LRESULT>(dlg.m_hIcon), SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    });
}

TEST_F(MainWindow, F1SaysHelpCannotStartEvenWithAHelpFileBesideTheProgram)
{
    CHelpKeyFilter helpKey;
    Seams().messageBox = RecordMessage;
    g_messageText.clear();

    RunModal(dlg, [](HWND window) {
        PresentHelpFile helpFile;
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_F1, 0);
        PumpMessages(window);
        EXPECT_EQ("启动帮助失败。", g_messageText);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), g_messageType);
    });
}
