#include <gtest/gtest.h>
#include "../support/TestSupport.h"
#include "commands/Commands.h"

TEST(Commands, TheTwoCommandLinesQuoteThePath)
{
    EXPECT_EQ("cmd /c netsh -C interface dump>\"D:\\网络\\办公室.txt\"", CaptureCommand("D:\\网络\\办公室.txt"));
    EXPECT_EQ("cmd /c netsh -f \"D:\\网络\\办公室.txt\"", ApplyCommand("D:\\网络\\办公室.txt"));
}

TEST(Commands, RunHiddenWaitsForTheCommandAndGivesItsExitCode)
{
    const std::string marker = FreshFolder("commands") + "done.txt";
    EXPECT_EQ(7u, RunHidden("cmd /c echo done> \"" + marker + "\" & exit 7"));
    // Waited for: the command's work is finished when RunHidden returns.
    EXPECT_TRUE(FileExists(marker));
    EXPECT_EQ(9009u, RunHidden("cmd /c no-such-command-anywhere"));
}

TEST(Commands, RunHiddenGivesTheCursorBackEvenWhenNothingStarts)
{
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(arrow);
    EXPECT_EQ(0u, RunHidden("Z:\\no\\such\\program.exe"));
    EXPECT_EQ(arrow, GetCursor());
    RunHidden("cmd /c exit 0");
    EXPECT_EQ(arrow, GetCursor());
}
