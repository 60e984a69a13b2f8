#include <gtest/gtest.h>
#include "Driver.h"
#include "../support/TestSupport.h"

namespace {

const char* const kLink1 = "http://www.dravenholt.example/software/index.html";

class RealInfoWindows : public testing::Test {
protected:
    RealInfoWindows() : program(FreshFolder("info"))
    {
        ClearToolLogs();
    }

    static void Click(HWND window, int x, int y)
    {
        PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    // Height of the default font's text, which the About window's links use.
    static int TextHeight()
    {
        HDC dc = GetDC(nullptr);
        SIZE size = {};
        GetTextExtentPoint32A(dc, "Ag", 2, &size);
        ReleaseDC(nullptr, dc);
        return size.cy;
    }

    PelorinProcess program;
};

}  // namespace

TEST_F(RealInfoWindows, AboutFromTheButtonOpensLinkOneOnceAndNotFromItsUnderline)
{
    ASSERT_TRUE(program.Window());
    program.Press(1012);
    HWND about = program.WaitForWindow("关于 Pelorin");
    ASSERT_TRUE(about);
    RedrawWindow(about, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    // Inside link 1 first, which shows its area is set; then its underline
    // and its left edge, which open nothing.
    Click(about, 61, 76);
    EXPECT_TRUE(WaitUntil([] { return !OpenedLog().empty(); }));
    Click(about, 61, 75 + TextHeight() + 3);
    Click(about, 60, 76);
    Sleep(500);
    EXPECT_EQ(std::vector<std::string>{kLink1}, ReadLines(ExeFolder() + "opened.log"));

    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(IsWindowEnabled(program.Window()));
}

TEST_F(RealInfoWindows, AboutFromTheSystemMenu)
{
    ASSERT_TRUE(program.Window());
    PostMessageW(program.Window(), WM_SYSCOMMAND, 0x0010, 0);
    HWND about = program.WaitForWindow("关于 Pelorin");
    ASSERT_TRUE(about);
    EXPECT_FALSE(IsWindowEnabled(program.Window()));
    program.Key(GetDlgItem(about, IDOK), VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
}

TEST_F(RealInfoWindows, HelpShowsTheUsageTextAndEscapeClosesIt)
{
    ASSERT_TRUE(program.Window());
    program.Press(1013);
    HWND usage = program.WaitForWindow("使用帮助");
    ASSERT_TRUE(usage);
    HWND edit = GetDlgItem(usage, 1014);
    std::string text = WindowTextOf(edit);
    EXPECT_EQ(0u, text.find("Pelorin可让你在Windows 2000/XP/win7中保存多套\r\n"));
    EXPECT_EQ("\r\n", text.substr(text.size() - 2));
    EXPECT_EQ(22, SendMessageW(edit, EM_GETLINECOUNT, 0, 0));

    program.Key(edit, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(usage); }));
    EXPECT_TRUE(IsWindow(program.Window()));
}
