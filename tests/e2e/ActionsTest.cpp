#include <gtest/gtest.h>
#include "Driver.h"
#include "../support/TestSupport.h"

namespace {

class RealActions : public testing::Test {
protected:
    RealActions() : folder(FreshFolder("real actions"))
    {
        ClearProgramStore();
        ClearToolLogs();
    }
    ~RealActions() override { ClearProgramStore(); }

    // Presses a button that opens a file dialog and answers it with path.
    static void ChooseFile(const PelorinProcess& program, int button, const std::string& path)
    {
        program.Press(button);
        HWND dialog = program.WaitForWindow("");
        ASSERT_TRUE(dialog) << "no file dialog";
        program.AnswerFileDialog(dialog, path);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    }

    static std::string MessageAfter(const PelorinProcess& program)
    {
        HWND box = program.WaitForWindow("Pelorin");
        return box ? program.AnswerMessageBox(box) : "(no message box)";
    }

    std::string folder;
};

}  // namespace

TEST_F(RealActions, TheRoadOfOneConfiguration)
{
    const std::string networkFolder = folder + "网络\\";
    CreateDirectoryA(networkFolder.c_str(), nullptr);
    const std::string path = networkFolder + "办公室.txt";
    {
        PelorinProcess office(folder);
        ASSERT_TRUE(office.Window());
        ChooseFile(office, 1016, path);
        ASSERT_TRUE(WaitUntil([&] { return ProgramStoreValue("办公室") == path; }));
        EXPECT_EQ(std::vector<std::string>{"办公室"}, office.Entries());
        EXPECT_NE(std::string::npos, ReadFile(path).find("# fake interface dump"));
        EXPECT_EQ("", office.Text(1018));
        office.Press(2);
        EXPECT_TRUE(office.WaitForExit());
    }
    SeedProgramStore("家里", "C:\\home.txt");

    PelorinProcess home(folder);
    ASSERT_TRUE(home.Window());
    EXPECT_EQ((std::vector<std::string>{"办公室", "家里"}), home.Entries());
    home.Select(1);
    home.Select(0);
    home.Press(1);
    ASSERT_TRUE(WaitUntil([&] { return ProgramStoreValue("curnet") == "办公室| " + path; }));
    EXPECT_EQ((std::vector<std::string>{"-C|interface|dump", "-f|" + path}), NetshCalls());
    EXPECT_EQ("", home.Text(1008));
    home.Press(1007);
    EXPECT_TRUE(WaitUntil([&] { return home.Text(1008) == "办公室| " + path; }));
}

TEST_F(RealActions, ADuplicateAddIsRefusedInARealMessageBox)
{
    SeedProgramStore("Office", "C:\\office.txt");
    PelorinProcess program(folder);
    ASSERT_TRUE(program.Window());
    ChooseFile(program, 1016, folder + "office.txt");
    EXPECT_EQ("office已经存在,无法添加!", MessageAfter(program));
    EXPECT_EQ("C:\\office.txt", ProgramStoreValue("Office"));
    EXPECT_EQ(std::vector<std::string>{"Office"}, program.Entries());
}

TEST_F(RealActions, PathsWithSpacesAndAmpersandsReachNetshWhole)
{
    PelorinProcess program(folder);
    ASSERT_TRUE(program.Window());
    const std::string path = folder + "a b & netsh planted.txt";
    ChooseFile(program, 1016, path);
    ASSERT_TRUE(WaitUntil([&] { return ProgramStoreValue("a b & netsh planted") == path; }));
    program.Press(1);
    ASSERT_TRUE(WaitUntil([&] { return !ProgramStoreValue("curnet").empty(); }));
    EXPECT_EQ((std::vector<std::string>{"-C|interface|dump", "-f|" + path}), NetshCalls());
}

TEST_F(RealActions, ANetshPlantedBesideTheChosenFileNeverRuns)
{
    const std::string planted = folder + "planted\\";
    CreateDirectoryA(planted.c_str(), nullptr);
    const std::string marker = folder + "planted-ran.txt";
    WriteFile(planted + "netsh.bat", "@echo ran> \"" + marker + "\"\r\n");

    PelorinProcess program(folder);
    ASSERT_TRUE(program.Window());
    ChooseFile(program, 1016, planted + "办公室.txt");
    ASSERT_TRUE(WaitUntil([&] { return !ProgramStoreValue("办公室").empty(); }));
    ChooseFile(program, 1004, planted + "办公室.txt");
    program.Press(1);
    ASSERT_TRUE(WaitUntil([&] { return !ProgramStoreValue("curnet").empty(); }));
    EXPECT_FALSE(FileExists(marker));
    EXPECT_EQ(2u, NetshCalls().size());
}

TEST_F(RealActions, SwitchOnAMissingFileSaysSoAndRunsNothing)
{
    PelorinProcess program(folder);
    ASSERT_TRUE(program.Window());
    const std::string missing = folder + "gone.txt";
    ChooseFile(program, 1004, missing);
    program.Press(1);
    EXPECT_EQ(missing + "文件不存在!", MessageAfter(program));
    EXPECT_EQ("", program.Text(1018));
    EXPECT_EQ("", ProgramStoreValue("curnet"));
    EXPECT_EQ("", NetshLog());
    EXPECT_FALSE(program.WaitForExit(200));
}
