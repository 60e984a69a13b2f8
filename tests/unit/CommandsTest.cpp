#include <gtest/gtest.h>
#include "../support/TestSupport.h"
#include "commands/Commands.h"

TEST(Commands, TheTwoCommandLinesNameNetshByItsPathAndQuoteThePath)
{
    const std::string netsh = "\"C:\\windows\\system32\\netsh.exe\"";
    EXPECT_EQ("cmd /d /v:off /c \"" + netsh + " -C interface dump>\"D:\\网络\\办公室.txt\"\"",
              CaptureCommand("D:\\网络\\办公室.txt"));
    EXPECT_EQ("cmd /d /v:off /c \"" + netsh + " -f \"D:\\网络\\办公室.txt\"\"", ApplyCommand("D:\\网络\\办公室.txt"));
}

TEST(Commands, RunHiddenWaitsForTheCommandAndGivesItsExitCode)
{
    const std::string marker = FreshFolder("commands") + "done.txt";
    EXPECT_EQ(7u, RunHidden("cmd /c echo done> \"" + marker + "\" & exit 7"));
    // Waited for: the command's work is finished when RunHidden returns.
    EXPECT_TRUE(FileExists(marker));
    EXPECT_EQ(9009u, RunHidden("cmd /c no-such-command-anywhere"));
    // The system's interpreter in the system folder, whatever the current folder holds.
    const std::string folder = FreshFolder("commands\\current");
    WriteFile(folder + "where.bat", "@exit 5\r\n");
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    EXPECT_EQ(9009u, RunHidden("cmd /d /c where.bat"));
    EXPECT_EQ(3u, RunHidden("cmd /d /c if exist cmd.exe exit 3"));
    SetCurrentDirectoryA(previous);
}

TEST(Commands, RunHiddenGivesTheCursorBackEvenWhenNothingStarts)
{
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(arrow);
    // Longer than any command line can be: nothing starts.
    EXPECT_EQ(kCommandNotRun, RunHidden("cmd /c exit 4 " + std::string(40000, 'x')));
    EXPECT_EQ(arrow, GetCursor());
    RunHidden("cmd /c exit 0");
    EXPECT_EQ(arrow, GetCursor());
}
