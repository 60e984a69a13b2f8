#include <gtest/gtest.h>
#include "Driver.h"
#include "../support/TestSupport.h"

namespace {
const char* const kExitPage = "http://www.softhaven.example/soft/pelorin.html";

class Spine : public testing::Test {
protected:
    Spine() : work(FreshFolder("spine"))
    {
        ClearProgramStore();
        ClearToolLogs();
    }
    ~Spine() override { ClearProgramStore(); }

    // Closing in any way opens the exit page once and ends the program.
    void ExpectExitPageOnceAndEnd(const PelorinProcess& program)
    {
        EXPECT_TRUE(program.WaitForExit());
        EXPECT_TRUE(WaitUntil([] { return !OpenedLog().empty(); }));
        Sleep(300);  // time for a second page to be recorded, if one were opened
        EXPECT_EQ(std::vector<std::string>{kExitPage}, ReadLines(ExeFolder() + "opened.log"));
    }

    std::string work;
};
}  // namespace

TEST_F(Spine, ShowsTheSortedNamesWithEntryZeroSelectedAndRefreshShowsANewRecord)
{
    SeedProgramStore("家里", "C:\\网络\\家里.txt");
    SeedProgramStore("办公室", "C:\\网络\\办公室.txt");
    SeedProgramStore("Office2", "C:\\o.txt");
    PelorinProcess program(work);
    ASSERT_TRUE(program.Window());

    EXPECT_EQ((std::vector<std::string>{"Office2", "办公室", "家里"}), program.Entries());
    EXPECT_EQ(0, program.Selection());
    EXPECT_EQ("Office2", program.Text(1015));
    EXPECT_EQ("", program.Text(1008));
    EXPECT_NE("", program.Text(1006));

    SeedProgramStore("curnet", "办公室| C:\\网络\\办公室.txt");
    program.Press(1007);
    EXPECT_TRUE(WaitUntil([&] { return program.Text(1008) == "办公室| C:\\网络\\办公室.txt"; }));

    program.Press(2);
    ExpectExitPageOnceAndEnd(program);
}

TEST_F(Spine, EscapeEndsTheProgramThroughTheExitPage)
{
    PelorinProcess program(work);
    ASSERT_TRUE(program.Window());
    program.Key(program.Window(), VK_ESCAPE);
    ExpectExitPageOnceAndEnd(program);
}

TEST_F(Spine, TheCloseBoxEndsTheProgramThroughTheExitPage)
{
    PelorinProcess program(work);
    ASSERT_TRUE(program.Window());
    PostMessageW(program.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectExitPageOnceAndEnd(program);
}
