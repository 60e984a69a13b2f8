#include <gtest/gtest.h>
#include <algorithm>
#include "../support/TestSupport.h"
#include "InProcess.h"
#include "platform/Seams.h"
#include "platform/WinApp.h"
#include "resource.h"
#include "ui/info/AboutBox.h"
#include "ui/info/UsageDlg.h"
#include "ui/main/SwitchDlg.h"

namespace {

std::vector<std::string> g_opened;
void RecordOpen(const char* target) { g_opened.push_back(target); }

std::vector<std::string> g_messages;
int RecordMessage(HWND, const char* text, const char*, UINT)
{
    g_messages.push_back(text);
    return IDOK;
}

// The information windows opened from the main window, as the program does.
class InfoWindows : public testing::Test {
protected:
    InfoWindows() : main(key.Store())
    {
        AfxGetApp()->m_pMainWnd = &main;
        Seams().shellOpen = RecordOpen;
        Seams().messageBox = RecordMessage;
        g_opened.clear();
        g_messages.clear();
    }
    ~InfoWindows() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        Seams() = PlatformSeams();
    }

    static void Click(HWND window, int x, int y)
    {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    static std::string UsageTextShown(HWND window) { return WindowText(GetDlgItem(window, IDC_USAGE_TEXT)); }

    TestStoreKey key;
    CSwitchDlg main;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

}  // namespace

TEST(UsageText, TwentyOneLinesWithSevenBlankEndingInALineBreak)
{
    const std::string text = CUsageDlg().m_strText;
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ("\r\n", text.substr(text.size() - 2));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));

    std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(21u, lines.size());
    std::vector<size_t> blank;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            blank.push_back(i + 1);
    }
    EXPECT_EQ((std::vector<size_t>{3, 5, 10, 13, 15, 18, 20}), blank);
    EXPECT_EQ("Pelorin可让你在Windows 2000/XP/win7中保存多套", lines[0]);
    EXPECT_EQ(std::string(45, ' ') + PELORIN_COPYRIGHT, lines[20]);
}

TEST(UsageText, TypographicQuotationMarksInTheirOrder)
{
    std::vector<std::string> lines = Lines(CUsageDlg().m_strText);
    ASSERT_EQ(21u, lines.size());
    // Each mark as it stands, in order: ” “ “ ” in piece 8, “ “ in 9, “ ” in 12 and 13.
    auto marks = [](const std::string& line) {
        std::wstring wide = Widen(line);
        std::wstring found;
        for (wchar_t c : wide) {
            if (c == L'\x201C' || c == L'\x201D')
                found += c;
        }
        return found;
    };
    EXPECT_EQ(L"\x201D\x201C\x201C\x201D", marks(lines[10]));
    EXPECT_EQ(L"\x201C\x201C", marks(lines[11]));
    EXPECT_EQ(L"\x201C\x201D", marks(lines[16]));
    EXPECT_EQ(L"\x201C\x201D", marks(lines[18]));
    EXPECT_EQ(L"①运行本程序，点击”添加网络配置“，设置文件名为“办公室”，", Widen(lines[10]));
}

TEST_F(InfoWindows, HelpShowsTheTextUnwrappedAndEachOpeningStartsAfresh)
{
    RunModal(main, [&](HWND mainWindow) {
        WhenNextDialogRuns([&](HWND usage) {
            EXPECT_EQ("使用帮助", WindowText(usage));
            EXPECT_EQ(CUsageDlg().m_strText, UsageTextShown(usage));
            HWND edit = GetDlgItem(usage, IDC_USAGE_TEXT);
            // 21 lines and the empty one after the last line break: nothing wrapped.
            EXPECT_EQ(22, SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
            EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
            SetWindowTextA(edit, "edited");

            // Enter does nothing; Escape in the edit closes the window.
            PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
            PumpMessages(usage);
            EXPECT_EQ("edited", UsageTextShown(usage));
            EXPECT_TRUE(IsWindowEnabled(usage));
            PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
            PumpMessages(usage);
            EXPECT_FALSE(IsWindowVisible(usage));
        });
        SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(IDC_USAGE, BN_CLICKED), 0);

        WhenNextDialogRuns([&](HWND usage) {
            EXPECT_EQ(CUsageDlg().m_strText, UsageTextShown(usage));
            SendMessageA(usage, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
            PumpMessages(usage);
            EXPECT_FALSE(IsWindowVisible(usage));
        });
        SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(IDC_USAGE, BN_CLICKED), 0);
    });
}

TEST_F(InfoWindows, AboutOpensFromTheButtonAndTheSystemMenuOverTheMainWindow)
{
    RunModal(main, [&](HWND mainWindow) {
        int opened = 0;
        auto checkAbout = [&](HWND about) {
            ++opened;
            EXPECT_EQ("关于 Pelorin", WindowText(about));
            EXPECT_EQ(mainWindow, GetWindow(about, GW_OWNER));
            EXPECT_FALSE(IsWindowEnabled(mainWindow));
        };
        WhenNextDialogRuns(checkAbout);
        SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED), 0);
        WhenNextDialogRuns(checkAbout);
        SendMessageA(mainWindow, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        EXPECT_EQ(2, opened);
        EXPECT_TRUE(IsWindowEnabled(mainWindow));

        // Other system commands keep their usual meaning.
        SendMessageA(mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
}

TEST_F(InfoWindows, PaintingSetsEachLinkAreaToItsMeasuredText)
{
    CAboutBox about;
    for (const RECT& area : about.m_rcLinks)
        EXPECT_TRUE(IsRectEmpty(&area));

    RunModal(about, [&](HWND window) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(window);
        SIZE height;
        GetTextExtentPoint32A(dc, "Ag", 2, &height);
        ReleaseDC(window, dc);

        const int tops[] = {75, 95, 120, 150};
        for (int i = 0; i < CAboutBox::kLinkCount; ++i) {
            const RECT& area = about.m_rcLinks[i];
            EXPECT_EQ(60, area.left);
            EXPECT_EQ(tops[i], area.top);
            EXPECT_EQ(height.cy, area.bottom - area.top);
            EXPECT_GT(area.right, area.left + 50);
        }
    });
}

TEST_F(InfoWindows, AClickStrictlyInsideALinkOpensItsTargetOnce)
{
    CAboutBox about;
    RunModal(about, [&](HWND window) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const RECT link1 = about.m_rcLinks[0];
        const RECT link2 = about.m_rcLinks[1];

        Click(window, link1.left, link1.top + 1);        // on the left edge
        Click(window, link1.left + 1, link1.top);        // on the top edge
        Click(window, link1.right, link1.top + 1);       // on the right edge
        Click(window, link1.left + 1, link1.bottom + 3);  // on the underline
        EXPECT_TRUE(g_opened.empty());

        Click(window, link1.left + 1, link1.top + 1);
        Click(window, link2.right - 1, link2.bottom - 1);
        EXPECT_EQ((std::vector<std::string>{"http://www.dravenholt.example/software/index.html",
                                            "mailto:support@dravenholt.example"}),
                  g_opened);

        // Where tall text makes two areas overlap, the first link alone opens.
        g_opened.clear();
        about.m_rcLinks[0].bottom = about.m_rcLinks[1].top + 5;
        Click(window, link1.left + 2, about.m_rcLinks[1].top + 2);
        EXPECT_EQ(std::vector<std::string>{"http://www.dravenholt.example/software/index.html"}, g_opened);
    });
}

TEST_F(InfoWindows, ThePointerBecomesTheHandOnlyInsideALink)
{
    CAboutBox about;
    RunModal(about, [&](HWND window) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HCURSOR hand = LoadCursorA(AfxGetApp()->m_hInstance, MAKEINTRESOURCEA(IDC_HANDPOINT));
        HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
        const RECT link3 = about.m_rcLinks[2];

        SetCursor(arrow);
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(link3.left + 1, link3.top + 1));
        EXPECT_EQ(hand, GetCursor());
        SetCursor(arrow);
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(link3.left, link3.top + 1));
        EXPECT_EQ(arrow, GetCursor());
    });
}

TEST_F(InfoWindows, F1InEitherWindowSaysHelpCannotStart)
{
    CHelpKeyFilter helpKey;
    PresentHelpFile helpFile;
    RunModal(main, [&](HWND mainWindow) {
        WhenNextDialogRuns([&](HWND about) {
            PostMessageA(GetFocus(), WM_KEYDOWN, VK_F1, 0);
            PumpMessages(about);
            EXPECT_EQ(std::vector<std::string>{"启动帮助失败。"}, g_messages);
        });
        SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED), 0);

        WhenNextDialogRuns([&](HWND usage) {
            PostMessageA(GetFocus(), WM_KEYDOWN, VK_F1, 0);
            PumpMessages(usage);
            EXPECT_EQ(2u, g_messages.size());
        });
        SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(IDC_USAGE, BN_CLICKED), 0);
    });
}
