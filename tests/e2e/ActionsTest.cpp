#include <algorithm>
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

    // Presses a button that opens a file dialog and answers it with path,
    // confirming the overwrite of a file that exists. After each answer the
    // windows are left alone for a while: on a busy machine, Wine 10.0's
    // server was seen to loop forever when they were listed at once, while
    // the dialog closed, and never in 100 runs with this pause.
    static void ChooseFile(const PelorinProcess& program, int button, const std::string& path)
    {
        const DWORD whileItCloses = 2000;
        program.Press(button);
        // A dialog that the main window owns: any window of the program with
        // no caption could also be the list of names, still closing.
        HWND dialog = nullptr;
        WaitUntil([&] { return (dialog = VisiblePopupOf(program.Window())) != nullptr; });
        ASSERT_TRUE(dialog) << "no file dialog";
        program.AnswerFileDialog(dialog, path);
        Sleep(whileItCloses);
        ASSERT_TRUE(WaitUntil([&] {
            if (HWND prompt = VisiblePopupOf(dialog)) {
                PostMessageW(prompt, WM_COMMAND, IDYES, 0);
                Sleep(whileItCloses);
            }
            return !IsWindow(dialog);
        }));
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

TEST_F(RealActions, ADuplicateAddIsRefusedAndSwitchAppliesTheListedEntry)
{
    const std::string saved = folder + "saved.txt";
    WriteFile(saved, "pushd interface\r\npopd\r\n");
    SeedProgramStore("Office", saved);
    PelorinProcess program(folder);
    ASSERT_TRUE(program.Window());
    ChooseFile(program, 1016, folder + "office.txt");
    EXPECT_EQ("office已经存在,无法添加!", MessageAfter(program));
    EXPECT_EQ(saved, ProgramStoreValue("Office"));
    EXPECT_EQ(std::vector<std::string>{"Office"}, program.Entries());
    program.Press(1);
    ASSERT_TRUE(WaitUntil([&] { return ProgramStoreValue("curnet") == "Office| " + saved; }));
    EXPECT_EQ(std::vector<std::string>{"-f|" + saved}, NetshCalls());
}

TEST_F(RealActions, DeleteAsksFirstAndNoOrEnterKeepsEveryName)
{
    for (const char* name : {"Office", "办公室", "家里"})
        SeedProgramStore(name, "C:\\x.txt");
    PelorinProcess program(folder);
    ASSERT_TRUE(program.Window());
    program.Press(1017);
    EXPECT_EQ("确定要删除Office吗?", program.AnswerMessageBox(program.WaitForWindow("Pelorin"), IDNO));
    // Clicked, Delete keeps the focus, so Enter goes to the question.
    program.Press(1017);
    HWND question = program.WaitForWindow("Pelorin");
    program.Key(question, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return question && !IsWindow(question); }));
    EXPECT_EQ(3u, program.Entries().size());
    program.Press(1017);
    program.AnswerMessageBox(program.WaitForWindow("Pelorin"), IDYES);
    EXPECT_EQ((std::vector<std::string>{"办公室", "家里"}), program.Entries());
}

TEST_F(RealActions, TheFieldNamesTheEntrySwitchAndDeleteActOn)
{
    for (const std::string name : {"Alpha", "Beta", "Gamma"}) {
        WriteFile(folder + name + ".txt", "pushd interface\r\npopd\r\n");
        SeedProgramStore(name, folder + name + ".txt");
    }
    PelorinProcess program(folder);
    ASSERT_TRUE(program.Window());
    std::vector<std::string> applied;
    auto switchApplies = [&](const std::string& name, const std::string& in = "") {
        program.Press(1);
        applied.push_back("-f|" + folder + in + name + ".txt");
        return WaitUntil([&] { return NetshCalls().size() == applied.size(); }) && NetshCalls() == applied;
    };
    HWND edit = program.ListEdit();
    // The list closed: a listed name, in another case, over the selected Alpha.
    program.TypeOver(edit, "BETA");
    EXPECT_TRUE(switchApplies("Beta"));
    EXPECT_EQ("Beta", program.Text(1015));
    // A pick (Gamma) stays selected through the first change of the field,
    // which then names no entry: Delete asks nothing, Switch says so.
    program.Key(edit, VK_DOWN);
    program.TypeOver(edit, "x");
    program.Press(1017);
    program.Press(1);
    EXPECT_EQ("请从列表中选择网络配置!", MessageAfter(program));
    // The list open, its selection follows the pointer; closed, the field
    // keeps its text, typed or put there by the last choice.
    for (bool typing : {true, false}) {
        for (UINT close : {VK_ESCAPE, VK_RETURN}) {
            if (typing)
                program.TypeOver(edit, "gamma");
            program.Key(edit, VK_F4);
            ASSERT_TRUE(program.PointAtListEntry(0));
            program.Key(edit, close);
            program.Press(1017);
            EXPECT_EQ("确定要删除Gamma吗?", program.AnswerMessageBox(program.WaitForWindow("Pelorin"), IDNO));
            EXPECT_TRUE(switchApplies("Gamma"));
        }
    }
    // Text the program is not told of: put there from outside, or by the list
    // filling in the start of a name as it opens and closes, over an import.
    HWND combo = GetDlgItem(program.Window(), 1015);
    program.Select(2);
    SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Beta"));
    EXPECT_TRUE(switchApplies("Beta"));
    SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Delta"));
    program.Press(1);
    EXPECT_EQ("请从列表中选择网络配置!", MessageAfter(program));
    const std::string other = "a b\\";
    CreateDirectoryA((folder + other).c_str(), nullptr);
    for (const std::string name : {"Al", "alpha", "Alpha"})
        WriteFile(folder + other + name + ".txt", "pushd interface\r\npopd\r\n");
    ChooseFile(program, 1004, folder + other + "Alpha.txt");
    EXPECT_TRUE(switchApplies("Alpha", other));
    // An import's title that the list changed, if only in case, is no longer
    // what the field shows: the listed Alpha is.
    for (bool arrow : {false, true}) {
        ChooseFile(program, 1004, folder + other + (arrow ? "alpha.txt" : "Al.txt"));
        if (arrow)
            program.ClickListArrow();
        else
            program.Key(edit, VK_F4);
        ASSERT_TRUE(program.WaitForWindow(""));
        program.Key(edit, arrow ? VK_RETURN : VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return program.Text(1015) == "Alpha"; }));
        EXPECT_TRUE(switchApplies("Alpha"));
    }
    ChooseFile(program, 1004, folder + other + "alpha.txt");
    SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Alpha"));
    EXPECT_TRUE(switchApplies("Alpha"));
    EXPECT_EQ(3u, program.Entries().size());
}

TEST_F(RealActions, NamesTheLocaleCallsEqualButTheRegistryKeepsApartAreTwo)
{
    // Each pair is one name to the list's own search, two values to the registry.
    const std::vector<std::string> names = {"Wi-Fi", "Wi﹣Fi", "店鋪", "店潽"};
    for (const std::string& name : names) {
        WriteFile(folder + name + ".txt", "pushd interface\r\npopd\r\n");
        SeedProgramStore(name, folder + name + ".txt");
    }
    // Set by hand outside the code page: listed as alpha, Alpha's name to the registry.
    SeedProgramStore("Alpha", folder + "Alpha.txt");
    SeedProgramStore(L"\u00E2lpha", folder + "alpha.txt");
    PelorinProcess program(folder);
    ASSERT_TRUE(program.Window());
    HWND edit = program.ListEdit();
    HWND combo = GetDlgItem(program.Window(), 1015);
    std::vector<std::string> applied;
    auto switchApplies = [&](const std::string& name) {
        program.Press(1);
        applied.push_back("-f|" + folder + name + ".txt");
        // The record is written after netsh has ended.
        const std::string record = name + "| " + folder + name + ".txt";
        return WaitUntil([&] {
            return NetshCalls().size() == applied.size() && ProgramStoreValue("curnet") == record;
        }) && NetshCalls() == applied;
    };
    const std::vector<std::string> listed = program.Entries();
    auto entryOf = [&](const std::string& name) {
        return static_cast<int>(std::find(listed.begin(), listed.end(), name) - listed.begin());
    };
    for (size_t i = 0; i < names.size(); ++i) {
        program.TypeOver(edit, names[i]);
        EXPECT_TRUE(switchApplies(names[i])) << names[i];
        // After a pick of the other name of the pair, text put there from outside.
        program.Select(entryOf(names[i ^ 1]));
        SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(names[i]).c_str()));
        EXPECT_TRUE(switchApplies(names[i])) << names[i];
    }
    // Of each pair the one listed second, which a search for the first match would miss.
    std::string keptWiFi;
    for (auto [first, second] : {std::pair<std::string, std::string>{"Wi-Fi", "Wi﹣Fi"}, {"Alpha", "alpha"}}) {
        const bool inOrder = entryOf(first) < entryOf(second);
        const std::string doomed = inOrder ? second : first;
        const std::string kept = inOrder ? first : second;
        program.TypeOver(edit, doomed);
        program.Press(1017);
        EXPECT_EQ("确定要删除" + doomed + "吗?", program.AnswerMessageBox(program.WaitForWindow("Pelorin"), IDYES));
        const std::vector<std::string> left = program.Entries();
        EXPECT_EQ(left.end(), std::find(left.begin(), left.end(), doomed));
        EXPECT_NE(left.end(), std::find(left.begin(), left.end(), kept));
        EXPECT_TRUE(WaitUntil([&] { return ProgramStoreValue(doomed).empty(); })) << doomed;
        if (keptWiFi.empty())
            keptWiFi = kept;
    }
    EXPECT_EQ(folder + keptWiFi + ".txt", ProgramStoreValue(keptWiFi));
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
    EXPECT_EQ("gone", program.Text(1015));
    program.Press(1);
    EXPECT_EQ(missing + "文件不存在!", MessageAfter(program));
    EXPECT_EQ("", program.Text(1018));
    EXPECT_EQ("", ProgramStoreValue("curnet"));
    EXPECT_EQ("", NetshLog());
    EXPECT_FALSE(program.WaitForExit(200));
}

TEST_F(RealActions, AddOverAListedConfigurationsDumpKeepsItsBytes)
{
    const std::string dump = folder + "办公室.txt";
    const std::string saved = "pushd interface\r\n# the office's settings\r\npopd\r\n";
    WriteFile(dump, saved);
    SeedProgramStore("办公室", dump);
    PelorinProcess program(folder);
    ASSERT_TRUE(program.Window());

    const std::string failMarker = ExeFolder() + "netsh-fails";
    for (bool netshFails : {true, false}) {
        if (netshFails)
            WriteFile(failMarker, "");
        ChooseFile(program, 1016, dump);
        EXPECT_EQ("办公室已经存在,无法添加!", MessageAfter(program));
        DeleteFileA(failMarker.c_str());
        EXPECT_EQ(saved, ReadFile(dump));
        EXPECT_EQ(std::vector<std::string>{"办公室"}, program.Entries());
    }
}

TEST_F(RealActions, NothingPlantedInTheDownloadFolderRuns)
{
    // A copy of the program in a download folder among planted programs, DLLs
    // and a help file, started from there as a double-click does.
    const std::string downloads = FreshFolder("downloads");
    const std::string program = downloads + "Pelorin.exe";
    const std::string helpers = HelpersFolder() + "planted\\";
    ASSERT_TRUE(CopyFileA(ProgramUnderTest().c_str(), program.c_str(), FALSE));
    for (const char* name : {"cmd.exe", "netsh.exe", "netsh.com", "winhlp32.exe"})
        CopyFileA((helpers + "planted_program.exe").c_str(), (downloads + name).c_str(), FALSE);
    for (const char* name : {"netsh.bat", "netsh.cmd"})
        WriteFile(downloads + name, "@echo %~f0>>\"%~dp0planted.log\"\r\n");
    WriteFile(downloads + "Pelorin.HLP", "");
    // Wine loads its own DLLs first unless told to prefer those on disk, as
    // Windows does; told here for programs named Pelorin.exe, while this runs.
    const char* const overridesKey = "Software\\Wine\\AppDefaults\\Pelorin.exe\\DllOverrides";
    HKEY overrides = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, overridesKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &overrides, nullptr);
    for (const char* dll : {"iphlpapi", "ws2_32", "uxtheme", "dwmapi", "winmm", "cryptbase", "comctl32", "wsock32",
                            "userenv", "netapi32", "msctf", "shlwapi"}) {
        CopyFileA((helpers + "planted.dll").c_str(), (downloads + dll + ".dll").c_str(), FALSE);
        RegSetValueExA(overrides, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
    }
    RegCloseKey(overrides);
    struct Forget {
        const char* key;
        ~Forget() { RegDeleteTreeA(HKEY_CURRENT_USER, key); RegDeleteKeyA(HKEY_CURRENT_USER, key); }
    } forget{overridesKey};

    // Started with the user's own search settings, which an elevated program
    // inherits: a folder holding netsh.com first on PATH, PATHEXT without .EXE.
    char path[32767] = {}, pathExt[1024] = {};
    GetEnvironmentVariableA("PATH", path, sizeof path);
    GetEnvironmentVariableA("PATHEXT", pathExt, sizeof pathExt);
    SetEnvironmentVariableA("PATH", (downloads + ";" + path).c_str());
    SetEnvironmentVariableA("PATHEXT", ".COM;.BAT;.CMD");
    PelorinProcess copy(downloads, program);
    SetEnvironmentVariableA("PATH", path);
    SetEnvironmentVariableA("PATHEXT", pathExt);
    ASSERT_TRUE(copy.Window());

    copy.Press(1007);
    ChooseFile(copy, 1016, downloads + "办公室.txt");
    ASSERT_TRUE(WaitUntil([&] { return !ProgramStoreValue("办公室").empty(); }));
    copy.Press(1);
    ASSERT_TRUE(WaitUntil([&] { return !ProgramStoreValue("curnet").empty(); }));
    copy.Key(copy.Window(), VK_F1);
    EXPECT_EQ("启动帮助失败。", MessageAfter(copy));
    for (auto [button, caption] : {std::pair<int, const char*>{1012, "关于 Pelorin"}, {1013, "使用帮助"}}) {
        copy.Press(button);
        HWND window = copy.WaitForWindow(caption);
        ASSERT_TRUE(window) << caption;
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
    }
    copy.Press(2);
    EXPECT_TRUE(copy.WaitForExit());
    EXPECT_TRUE(WaitUntil([] { return !OpenedLog().empty(); }));

    EXPECT_EQ("", ReadFile(downloads + "planted.log"));
    EXPECT_EQ((std::vector<std::string>{"-C|interface|dump", "-f|" + downloads + "办公室.txt"}), NetshCalls());
}

TEST_F(RealActions, AProgramDeepInChineseFoldersCaptionsItsMessagesWithItsName)
{
    // Its path passes MAX_PATH bytes in fewer characters: asked into a MAX_PATH
    // buffer, the system fills it without a NUL.
    std::string deep = folder;
    while (deep.size() < 280) {
        deep += "网络配置文件夹\\";
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    const std::string program = deep + "Pelorin.exe";
    ASSERT_LT(Widen(program).size(), size_t{MAX_PATH});
    ASSERT_TRUE(CopyFileA(ProgramUnderTest().c_str(), program.c_str(), FALSE));
    PelorinProcess copy(folder, program);
    ASSERT_TRUE(copy.Window());
    copy.Key(copy.Window(), VK_F1);
    EXPECT_EQ("启动帮助失败。", MessageAfter(copy));
}

TEST_F(RealActions, APathLongerThanMaxPathIsRefusedNotCut)
{
    // 269 bytes in fewer than MAX_PATH characters; its first 259 bytes name another file.
    const std::string name = "网网网网网网网网网网网网网网网网网网网网";
    const std::string cut = folder + name + std::string(259 - folder.size() - name.size(), 'x');
    WriteFile(cut, "saved");
    PelorinProcess program(folder);
    ASSERT_TRUE(program.Window());
    for (int button : {1004, 1003}) {
        ChooseFile(program, button, cut + "网网网.txt");
        EXPECT_EQ("文件路径太长,无法使用!", MessageAfter(program)) << button;
    }
    EXPECT_EQ("saved", ReadFile(cut));
    EXPECT_EQ("", NetshLog());
}
