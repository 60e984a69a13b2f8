#include <gtest/gtest.h>
#include <algorithm>
#include <deque>
#include "../support/TestSupport.h"
#include "InProcess.h"
#include "platform/Seams.h"
#include "platform/WinApp.h"
#include "resource.h"
#include "ui/main/SwitchDlg.h"

namespace {

// What a person would answer in the file dialogs, one answer per dialog.
struct FileAnswer {
    std::string path;  // empty: cancel
};

struct DialogRequest {
    bool open;
    DWORD flags;
    std::string filter;  // with its NULs
    std::string defaultExt;
    DWORD pathCapacity;
    DWORD titleCapacity;
};

std::deque<FileAnswer> g_answers;
std::vector<DialogRequest> g_requests;
std::vector<std::string> g_messages;
std::string g_caption;
UINT g_type;
int g_answerToQuestions;

BOOL AnswerFileDialog(bool open, OPENFILENAMEA* ofn, DWORD* error)
{
    const char* end = ofn->lpstrFilter;
    while (*end || end[1])
        ++end;
    g_requests.push_back({open, ofn->Flags, std::string(ofn->lpstrFilter, end + 2),
                          ofn->lpstrDefExt ? ofn->lpstrDefExt : "", ofn->nMaxFile, ofn->nMaxFileTitle});
    if (g_answers.empty())
        return FALSE;
    std::string path = g_answers.front().path;
    g_answers.pop_front();
    if (path.empty())
        return FALSE;

    // As Wine's 8-bit dialogs do, which count characters: a path with more
    // than fit is refused; one whose bytes do not fit comes back cut, with no NUL.
    if (Widen(path).size() >= ofn->nMaxFile) {
        *error = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    size_t slash = path.find_last_of('\\');
    memcpy(ofn->lpstrFile, path.c_str(), std::min<size_t>(path.size() + 1, ofn->nMaxFile));
    lstrcpynA(ofn->lpstrFileTitle, path.c_str() + slash + 1, ofn->nMaxFileTitle);
    ofn->nFileOffset = static_cast<WORD>(slash + 1);
    // As the system's dialogs do: the current folder moves to the chosen file's.
    SetCurrentDirectoryA(path.substr(0, slash + 1).c_str());
    return TRUE;
}

int RecordMessage(HWND, const char* text, const char* caption, UINT type)
{
    g_messages.push_back(text);
    g_caption = caption;
    g_type = type;
    return (type & MB_TYPEMASK) == MB_YESNO ? g_answerToQuestions : IDOK;
}

class Actions : public testing::Test {
protected:
    Actions() : folder(FreshFolder("actions")), dlg(key.Store())
    {
        AfxGetApp()->m_pMainWnd = &dlg;
        Seams().fileDialog = AnswerFileDialog;
        Seams().messageBox = RecordMessage;
        g_answers.clear();
        g_requests.clear();
        g_messages.clear();
        g_answerToQuestions = IDYES;
        ClearToolLogs();
    }
    ~Actions() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        Seams() = PlatformSeams();
    }

    void Press(int id) { SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Add(const std::string& path)
    {
        g_answers.push_back({path});
        Press(IDC_ADD);
    }
    void Choose(int index)
    {
        dlg.m_combo.SetCurSel(index);
        SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_CONFIGS, CBN_SELCHANGE), 0);
    }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> entries;
        for (int i = 0; i < dlg.m_combo.GetCount(); ++i)
            entries.push_back(dlg.m_combo.GetLBText(i));
        return entries;
    }
    std::string Status() const { return WindowText(GetDlgItem(dlg.m_hWnd, IDC_STATUS)); }
    // The names of the files in a folder, sorted.
    static std::vector<std::string> Files(const std::string& in)
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((in + "*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        }
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Stored(const std::string& name) const
    {
        ConfigStore::Buffer buffer = {};
        return key.Store().Read(buffer, name) ? buffer : "(none)";
    }

    TestStoreKey key;
    std::string folder;
    CSwitchDlg dlg;
};

const char* const kDump = "# fake interface dump\r\npushd interface\r\npopd\r\n";
const char* const kOldDump = "pushd interface\r\n# the office's settings, saved before\r\npopd\r\n";

// While it lives, the capture fails: the stand-in netsh prints an error and
// exits with 1; told "silent", it prints nothing and exits with 0; told
// "full", it works, but then the disk has 512 KiB left.
struct FailingCapture {
    explicit FailingCapture(const std::string& how)
    {
        if (how == "full")
            Seams().diskFreeSpace = [](const char*, ULARGE_INTEGER* free) -> BOOL {
                free->QuadPart = 512 * 1024;
                return TRUE;
            };
        else if (how != "works")
            WriteFile(ExeFolder() + "netsh-fails", how);
    }
    ~FailingCapture()
    {
        DeleteFileA((ExeFolder() + "netsh-fails").c_str());
        Seams().diskFreeSpace = nullptr;
    }
};

std::string CurrentFolder()
{
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

}  // namespace

TEST_F(Actions, AddCapturesStoresAndListsThenSwitchAppliesAndRecords)
{
    key.Store().Write("C:\\z.txt", "家里");
    CreateDirectoryA((folder + "网络").c_str(), nullptr);
    const std::string path = folder + "网络\\办公室.txt";
    WriteFile(path, std::string(kOldDump) + kOldDump);  // longer than the new capture
    const std::string startFolder = CurrentFolder();

    RunModal(dlg, [&](HWND window) {
        Add(path);
        ASSERT_EQ(1u, g_requests.size());
        const DialogRequest& request = g_requests[0];
        EXPECT_FALSE(request.open);
        EXPECT_EQ(0x00880026u, request.flags);
        EXPECT_EQ(std::string("TXT File(*.txt)\0*.txt; *.txt\0All Files(*.*)\0*.*\0\0", 49), request.filter);
        EXPECT_EQ("txt", request.defaultExt);
        EXPECT_GE(request.pathCapacity, 2u * MAX_PATH);
        EXPECT_EQ(64u, request.titleCapacity);

        EXPECT_EQ(std::vector<std::string>{"-C|interface|dump"}, NetshCalls());
        EXPECT_EQ(kDump, ReadFile(path));
        EXPECT_EQ(path, Stored("办公室"));
        EXPECT_EQ((std::vector<std::string>{"办公室", "家里"}), Entries());
        EXPECT_EQ(0, dlg.m_combo.GetCurSel());
        EXPECT_EQ("办公室", dlg.m_strName);
        EXPECT_EQ(path, dlg.m_strPath);
        EXPECT_EQ("", Status());
        EXPECT_EQ(startFolder, CurrentFolder());

        Press(IDOK);
        EXPECT_TRUE(IsWindow(window));
        EXPECT_EQ((std::vector<std::string>{"-C|interface|dump", "-f|" + path}), NetshCalls());
        EXPECT_EQ("办公室| " + path, Stored("curnet"));
        EXPECT_EQ("", Status());
        EXPECT_TRUE(g_messages.empty());

        Press(IDC_REFRESH);
        EXPECT_EQ("办公室| " + path, WindowText(GetDlgItem(window, IDC_CURRENT)));

        // A name sorting after entry 0: the list shows the new entry, and
        // Switch applies it.
        Add(folder + "网络\\家里2.txt");
        EXPECT_EQ(2, dlg.m_combo.GetCurSel());
        EXPECT_EQ("家里2", dlg.m_strName);
        EXPECT_EQ(folder + "网络\\家里2.txt", dlg.m_strPath);
        Press(IDOK);
        EXPECT_EQ("-f|" + folder + "网络\\家里2.txt", NetshCalls().back());
    });
}

TEST_F(Actions, AddRefusesANameListedInAnyCaseButNotOneThatMerelyBeginsIt)
{
    key.Store().Write("C:\\o2.txt", "办公室2");
    key.Store().Write("C:\\o.txt", "Office");

    WriteFile(folder + "office.txt", kOldDump);

    RunModal(dlg, [&](HWND) {
        Add(folder + "办公室.txt");
        EXPECT_EQ(folder + "办公室.txt", Stored("办公室"));
        EXPECT_EQ((std::vector<std::string>{"Office", "办公室", "办公室2"}), Entries());

        ClearToolLogs();
        Add(folder + "office.txt");
        ASSERT_EQ(1u, g_messages.size());
        EXPECT_EQ("office已经存在,无法添加!", g_messages[0]);
        EXPECT_EQ("pelorin_tests", g_caption);
        EXPECT_EQ("C:\\o.txt", Stored("Office"));
        EXPECT_EQ(3u, Entries().size());
        // Refused before the capture: the chosen file is as it was.
        EXPECT_TRUE(NetshCalls().empty());
        EXPECT_EQ(kOldDump, ReadFile(folder + "office.txt"));
        EXPECT_EQ("办公室", dlg.m_strName);
        EXPECT_EQ(folder + "办公室.txt", dlg.m_strPath);

        // Stored meanwhile by another copy of the program, not listed here.
        key.Store().Write("C:\\家里.txt", "家里");
        WriteFile(folder + "家里.txt", kOldDump);
        Add(folder + "家里.txt");
        EXPECT_EQ("家里已经存在,无法添加!", g_messages.back());
        EXPECT_EQ("C:\\家里.txt", Stored("家里"));
        EXPECT_EQ(kOldDump, ReadFile(folder + "家里.txt"));
        EXPECT_EQ(3u, Entries().size());

        // One name to the list's search, two to the registry: one copy never makes the pair.
        Add(folder + "Wi-Fi.txt");
        Add(folder + "Wi﹣Fi.txt");
        EXPECT_EQ("Wi﹣Fi已经存在,无法添加!", g_messages.back());
        EXPECT_FALSE(key.Store().Has("Wi﹣Fi"));
    });
}

TEST_F(Actions, AddRefusesNamesThatWouldOverwriteOrHideTheCurrentRecord)
{
    key.Store().Write("家里| C:\\家里.txt", "curnet");

    WriteFile(folder + "curnet.txt", kOldDump);

    RunModal(dlg, [&](HWND) {
        for (const char* name : {"curnet", "CurNet", "mycurnet"})
            Add(folder + name + ".txt");
        EXPECT_EQ(kOldDump, ReadFile(folder + "curnet.txt"));
        EXPECT_EQ((std::vector<std::string>{"curnet是保留名称,无法添加!", "CurNet是保留名称,无法添加!",
                                            "mycurnet是保留名称,无法添加!"}),
                  g_messages);
        EXPECT_EQ("家里| C:\\家里.txt", Stored("curnet"));
        EXPECT_EQ("(none)", Stored("mycurnet"));
        EXPECT_TRUE(Entries().empty());

        Add(folder + "myCURNET.txt");
        EXPECT_EQ(std::vector<std::string>{"myCURNET"}, Entries());
    });
}

TEST_F(Actions, CancelledRefusedOrFailedActionsStoreNothingAndKeepTheWindowsChoice)
{
    key.Store().Write("C:\\home.txt", "家里");
    WriteFile(folder + "办公室.txt", kOldDump);
    // A path of 256 bytes, over the store's limit and within the dialog's 259,
    // whatever the length of the test's folder.
    const std::string longName(256 - folder.size() - 4, 'n');
    const std::string path = folder + longName + ".txt";
    WriteFile(path, kOldDump);
    // A folder that does not exist: the capture can write no file.
    const std::string nowhere = folder + "missing\\办公室.txt";
    // Paths the dialog's 260 bytes cannot hold: one of more than 260
    // characters, and one of fewer characters but more bytes.
    std::string wide;
    for (int i = 0; i < 130; ++i)
        wide += "网";
    ASSERT_LT(Widen(folder + wide).size(), 250u);
    // A folder too deep for a temporary file's name beside the chosen file.
    const std::string deep = folder + std::string(248 - folder.size(), 'd') + "\\";
    CreateDirectoryA(deep.c_str(), nullptr);
    const std::string tooLong = "文件路径太长,无法使用!";
    struct Case { int button; std::string path; std::string capture; std::vector<std::string> messages; };
    const Case cases[] = {
        {IDC_ADD, "", "works", {}},  // cancelled
        {IDC_BACKUP, "", "works", {}},
        {IDC_IMPORT, "", "works", {}},
        {IDC_ADD, folder + "CurNet.txt", "works", {"CurNet是保留名称,无法添加!"}},
        {IDC_ADD, folder + "old\\家里.txt", "works", {"家里已经存在,无法添加!"}},
        {IDC_ADD, folder + ".txt", "works", {"名称为空,无法添加!"}},
        {IDC_ADD, folder + "%OS%.txt", "works", {folder + "%OS%.txt含有%,无法执行!"}},
        {IDC_BACKUP, folder + "%OS%.txt", "works", {folder + "%OS%.txt含有%,无法执行!"}},
        {IDC_ADD, path, "works", {longName + "保存失败,无法添加!"}},
        {IDC_IMPORT, folder + std::string(300, 'x') + ".txt", "works", {tooLong}},
        {IDC_ADD, folder + wide + ".txt", "works", {tooLong}},
        {IDC_ADD, folder + "办公室.txt", "locked", {"办公室保存失败,无法添加!"}},  // as without rights
        {IDC_ADD, deep + "a.txt", "works", {deep + "a.txt备份失败!"}},
        {IDC_ADD, nowhere, "works", {nowhere + "备份失败!"}},
        // netsh reports an error, writes nothing, or fills the disk: an existing
        // dump keeps its bytes, a new path gets no file, and no temporary file
        // is left behind.
        {IDC_ADD, folder + "办公室.txt", "error", {folder + "办公室.txt备份失败!"}},
        {IDC_BACKUP, folder + "新.txt", "silent", {folder + "新.txt备份失败!"}},
        {IDC_BACKUP, folder + "办公室.txt", "full", {folder + "办公室.txt备份失败!"}},
    };
    RunModal(dlg, [&](HWND) {
        for (const Case& c : cases) {
            FailingCapture failing(c.capture);
            key.SetAccess(c.capture == "locked" ? "D:(A;;KR;;;WD)" : "D:(A;;KA;;;WD)");
            g_messages.clear();
            g_answers.push_back({c.path});
            Press(c.button);
            EXPECT_EQ(c.messages, g_messages) << c.path;
            EXPECT_EQ("家里", dlg.m_strName) << c.path;
            EXPECT_EQ("C:\\home.txt", dlg.m_strPath) << c.path;
            EXPECT_EQ("家里", dlg.m_combo.GetWindowText()) << c.path;
            EXPECT_EQ("", Status()) << c.path;
        }
        EXPECT_EQ((std::vector<std::string>{longName + ".txt", "办公室.txt"}), Files(folder));
        EXPECT_TRUE(Files(deep).empty());
        EXPECT_EQ(kOldDump, ReadFile(folder + "办公室.txt"));
        EXPECT_EQ(3u, NetshCalls().size());
        EXPECT_EQ("(none)", Stored("办公室"));
        EXPECT_EQ("(none)", Stored(longName));
        EXPECT_EQ(std::vector<std::string>{"家里"}, Entries());
    });
    EXPECT_EQ(kOldDump, ReadFile(path));
}

TEST_F(Actions, ImportAndBackupPointTheWindowAtAFileWithoutStoringIt)
{
    key.Store().Write("C:\\home.txt", "家里");
    // A name typed relative to the drive is made full.
    const std::string startFolder = CurrentFolder();
    SetCurrentDirectoryA(folder.c_str());
    RunModal(dlg, [&](HWND window) {
        g_answers.push_back({folder.substr(0, 2) + "a.b.txt"});
        Press(IDC_IMPORT);
        ASSERT_EQ(1u, g_requests.size());
        EXPECT_TRUE(g_requests[0].open);
        EXPECT_EQ("", g_requests[0].defaultExt);
        EXPECT_EQ(0x00880026u, g_requests[0].flags);
        EXPECT_EQ("a.b", dlg.m_strName);
        EXPECT_EQ(folder + "a.b.txt", dlg.m_strPath);
        EXPECT_EQ(std::vector<std::string>{"家里"}, Entries());
        EXPECT_EQ("(none)", Stored("a.b"));
        // The field shows the name Switch records; no entry has it, so Delete asks nothing.
        EXPECT_EQ("a.b", dlg.m_combo.GetWindowText());
        EXPECT_EQ(CB_ERR, dlg.m_combo.GetCurSel());
        Press(IDC_DELETE);

        // The file does not exist: Switch says so and runs nothing.
        Press(IDOK);
        EXPECT_EQ(std::vector<std::string>{folder + "a.b.txt文件不存在!"}, g_messages);
        EXPECT_EQ("", Status());
        EXPECT_TRUE(NetshCalls().empty());
        EXPECT_EQ("(none)", Stored("curnet"));
        EXPECT_TRUE(IsWindow(window));

        // Backed up under a listed name: Switch applies the new file, Delete the listed entry.
        g_answers.push_back({folder + "家里.txt"});
        Press(IDC_BACKUP);
        EXPECT_EQ("家里", dlg.m_combo.GetWindowText());
        Press(IDOK);
        EXPECT_EQ("家里| " + folder + "家里.txt", Stored("curnet"));
        g_answerToQuestions = IDNO;
        Press(IDC_DELETE);
        EXPECT_EQ("确定要删除家里吗?", g_messages.back());
    });
    SetCurrentDirectoryA(startFolder.c_str());
}

TEST_F(Actions, ImportCancelledLeavesNoPathSoSwitchClosesTheWindow)
{
    INT_PTR result = RunModal(dlg, [&](HWND) {
        g_answers.push_back({""});
        Press(IDC_IMPORT);
        EXPECT_EQ("", dlg.m_strPath);
        Press(IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(NetshCalls().empty());
}

TEST_F(Actions, SwitchTakesTheFallbackOnlyBelowThreeBytes)
{
    EXPECT_EQ(IDOK, RunModal(dlg, [&](HWND) {
        dlg.m_strPath = "网";  // one character, two bytes
        Press(IDOK);
    }));
    EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](HWND) {
        dlg.m_strPath = "C:\\";  // three bytes, a folder: tried as a file, and it does not open
        Press(IDOK);
        EXPECT_EQ(std::vector<std::string>{"C:\\文件不存在!"}, g_messages);
    }));
}

TEST_F(Actions, SelectFollowsTheListAndSwitchReadsThePathAgain)
{
    key.Store().Write("C:\\home.txt", "家里");
    key.Store().Write("C:\\office.txt", "办公室");
    key.Store().Write("办公室| C:\\office.txt", "curnet");

    RunModal(dlg, [&](HWND) {
        Choose(1);
        EXPECT_EQ("家里", dlg.m_strName);
        EXPECT_EQ("C:\\home.txt", dlg.m_strPath);
        // Switch reads the path again, as another copy of the program may
        // have removed the name, or stored it again with another path.
        key.Store().Delete("家里");
        Press(IDOK);
        // Relative, as set by hand: checked, and given to netsh, as a full path.
        key.Store().Write("moved.txt", "家里");
        Press(IDOK);
        EXPECT_EQ((std::vector<std::string>{"C:\\home.txt文件不存在!", CurrentFolder() + "\\moved.txt文件不存在!"}),
                  g_messages);
        // One that opens, but whose full form would pass MAX_PATH: netsh,
        // in another folder, would read another file.
        const std::string startFolder = CurrentFolder();
        SetCurrentDirectoryA(folder.c_str());
        std::string relative;
        for (std::string part : {std::string("lr"), std::string(120, 'd'), std::string(130 - folder.size(), 'd')}) {
            relative += part + "\\";
            CreateDirectoryW((L"\\\\?\\" + Widen(folder + relative)).c_str(), nullptr);
        }
        relative += "rel.txt";
        CloseHandle(CreateFileW((L"\\\\?\\" + Widen(folder + relative)).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(FileExists(relative));
        key.Store().Write(relative, "家里");
        g_messages.clear();
        Press(IDOK);
        SetCurrentDirectoryA(startFolder.c_str());
        EXPECT_EQ(std::vector<std::string>{"文件路径太长,无法使用!"}, g_messages);
        EXPECT_TRUE(NetshCalls().empty());
        EXPECT_EQ("办公室| C:\\office.txt", Stored("curnet"));

        // Removed meanwhile, as by another copy of the program.
        key.Store().Delete("办公室");
        Choose(0);
        EXPECT_EQ("办公室", dlg.m_strName);
        EXPECT_EQ("", dlg.m_strPath);
    });
}

TEST_F(Actions, DeleteForgetsTheSelectedNameAndTheWindowFollowsTheList)
{
    for (const char* name : {"home", "office", ""})
        WriteFile(folder + name + ".txt", kOldDump);
    key.Store().Write(folder + "home.txt", "家里");
    key.Store().Write(folder + "office.txt", "办公室");
    key.Store().Write(folder + ".txt", "");

    RunModal(dlg, [&](HWND window) {
        EXPECT_EQ((std::vector<std::string>{"", "办公室", "家里"}), Entries());
        Choose(2);
        g_answerToQuestions = IDNO;
        Press(IDC_DELETE);
        EXPECT_EQ(std::vector<std::string>{"确定要删除家里吗?"}, g_messages);
        EXPECT_EQ(UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), g_type);
        EXPECT_EQ("pelorin_tests", g_caption);
        EXPECT_EQ(3u, Entries().size());
        EXPECT_EQ(folder + "home.txt", Stored("家里"));
        g_answerToQuestions = IDYES;
        Press(IDC_DELETE);
        EXPECT_EQ((std::vector<std::string>{"", "办公室"}), Entries());
        EXPECT_EQ(0, dlg.m_combo.GetCurSel());
        EXPECT_EQ("(none)", Stored("家里"));
        EXPECT_EQ("", dlg.m_strName);
        EXPECT_EQ(folder + ".txt", dlg.m_strPath);
        Press(IDOK);
        EXPECT_EQ(std::vector<std::string>{"-f|" + folder + ".txt"}, NetshCalls());

        // Nothing selected: the unnamed value is not the user's choice.
        dlg.m_combo.SetCurSel(-1);
        Press(IDC_DELETE);
        EXPECT_EQ(2u, g_messages.size());
        EXPECT_EQ(folder + ".txt", Stored(""));
        EXPECT_EQ(2u, Entries().size());
        EXPECT_EQ(CB_ERR, dlg.m_combo.GetCurSel());
        EXPECT_EQ(folder + ".txt", dlg.m_strPath);

        Choose(1);
        Press(IDC_DELETE);
        Choose(0);
        Press(IDC_DELETE);
        EXPECT_TRUE(Entries().empty());
        EXPECT_EQ("", WindowText(GetDlgItem(window, IDC_CONFIGS)));
        EXPECT_EQ("(none)", Stored("办公室"));
        EXPECT_EQ("(none)", Stored(""));
        EXPECT_EQ("", dlg.m_strName);
        EXPECT_EQ("", dlg.m_strPath);
    });
}

TEST_F(Actions, PathsReachNetshWholeAndNothingElseRuns)
{
    // Unquoted, each of these would split the path or run netsh a second time.
    for (const std::string name : {"a b.txt", "x & netsh planted.txt", "y ^(z) & netsh w.txt"}) {
        ClearToolLogs();
        const std::string path = folder + name;
        RunModal(dlg, [&](HWND) {
            Add(path);
            Press(IDOK);
        });
        EXPECT_EQ((std::vector<std::string>{"-C|interface|dump", "-f|" + path}), NetshCalls()) << name;
        EXPECT_TRUE(FileExists(path)) << name;
    }
}

TEST_F(Actions, APathWithAPercentSignNeverReachesTheInterpreter)
{
    // cmd would read %OS% as the variable, even inside quotation marks.
    const std::string path = folder + "%OS%.txt";
    WriteFile(path, kOldDump);
    key.Store().Write(path, "家里");
    const std::string refused = path + "含有%,无法执行!";

    RunModal(dlg, [&](HWND window) {
        EXPECT_EQ(path, dlg.m_strPath);
        Press(IDOK);
        g_answers.push_back({path});
        Press(IDC_IMPORT);
        Press(IDOK);
        Add(path);
        g_answers.push_back({path});
        Press(IDC_BACKUP);
        EXPECT_EQ((std::vector<std::string>{refused, refused, refused, refused}), g_messages);
        EXPECT_TRUE(IsWindow(window));
    });
    EXPECT_TRUE(NetshCalls().empty());
    EXPECT_EQ("(none)", Stored("%OS%"));
    EXPECT_EQ("(none)", Stored("curnet"));
    EXPECT_EQ(kOldDump, ReadFile(path));
}

TEST_F(Actions, ACommandNeverRunsAProgramLyingBesideTheChosenFile)
{
    const std::string marker = folder + "planted-ran.txt";
    WriteFile(folder + "netsh.bat", "@echo planted> \"" + marker + "\"\r\n");
    const std::string path = folder + "办公室.txt";

    RunModal(dlg, [&](HWND) {
        Add(path);
        Press(IDOK);
        g_answers.push_back({path});
        Press(IDC_IMPORT);
        Press(IDOK);
    });
    EXPECT_FALSE(FileExists(marker));
    EXPECT_EQ((std::vector<std::string>{"-C|interface|dump", "-f|" + path, "-f|" + path}), NetshCalls());
}

TEST_F(Actions, ALongCurrentRecordIsShortenedWithoutSplittingACharacter)
{
    // 100 double-byte characters in the name and the path, and one ASCII
    // letter before the name so that byte 255 would be a lead byte.
    std::string name = "a";
    for (int i = 0; i < 60; ++i)
        name += "网";
    const std::string path = folder + name + ".txt";
    WriteFile(path, "pushd interface\r\npopd\r\n");
    const std::string record = name + "| " + path;
    ASSERT_GT(record.size(), 256u);

    RunModal(dlg, [&](HWND) {
        g_answers.push_back({path});
        Press(IDC_IMPORT);
        Press(IDOK);
    });
    std::string stored = Stored("curnet");
    EXPECT_EQ(record.substr(0, stored.size()), stored);
    EXPECT_GE(stored.size(), 254u);
    EXPECT_LE(stored.size(), 255u);
    // Whole characters only: it converts back without a replacement character.
    EXPECT_EQ(std::string::npos, Widen(stored).find(L'\xFFFD'));
    EXPECT_EQ(stored, Narrow(Widen(stored)));
}
