#include "Commands.h"
#include "../platform/FullPath.h"
#include "../platform/Handle.h"
#include "../platform/Seams.h"
#include "../platform/SystemFolder.h"
#include "../platform/WaitCursor.h"

namespace {

// netsh by its full path: by bare name cmd would look in its current folder
// and along the user's PATH, with the user's PATHEXT. The paths are quoted:
// unquoted, a space would split them, and a '&', '|', '(', ')' or '^' in a
// file name would run other commands with administrator rights. With more
// than two quotation marks after /c, cmd keeps the line whole only when one
// more pair wraps it, which it then drops.
// /d: no AutoRun command from the registry runs inside the interpreter.
// /v:off: the user's DelayedExpansion setting would expand !NAME! and drop a
// lone '!', inside quotation marks too.
std::string NetshCommand(const std::string& arguments)
{
    return "cmd /d /v:off /c \"\"" + SystemFolder() + "\\netsh.exe\" " + arguments + "\"";
}

// Removes the file when it goes out of scope, unless released.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : m_path(std::move(path)) {}
    ~TemporaryFile() { if (!m_path.empty()) DeleteFileA(m_path.c_str()); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Path() const { return m_path; }
    void Release() { m_path.clear(); }

private:
    std::string m_path;
};

bool HoldsSomething(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
           (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
}

// A disk that fills up cuts netsh's output short while netsh still exits with
// 0: a capture that leaves less than this free may not be whole.
constexpr ULONGLONG kFreeSpaceAfterCapture = 1024 * 1024;

bool MayHaveFilledUp(const std::string& folder)
{
    ULARGE_INTEGER freeToCaller = {};
    BOOL known = Seams().diskFreeSpace ? Seams().diskFreeSpace(folder.c_str(), &freeToCaller)
                                       : GetDiskFreeSpaceExA(folder.c_str(), &freeToCaller, nullptr, nullptr);
    return known && freeToCaller.QuadPart < kFreeSpaceAfterCapture;
}

}  // namespace

std::string CaptureCommand(const std::string& path)
{
    return NetshCommand("-C interface dump>\"" + path + "\"");
}

std::string ApplyCommand(const std::string& path) { return NetshCommand("-f \"" + path + "\""); }

bool CanPassToInterpreter(const std::string& path)
{
    // cmd expands %NAME% even inside quotation marks, and escaping it there is
    // unreliable. No trail byte of a double-byte character is '%' in code page 936.
    return path.find('%') == std::string::npos;
}

bool CaptureInto(const std::string& path)
{
    size_t fileNameStart = std::string::npos;
    const std::string folder = FullPathName(path, &fileNameStart).substr(0, fileNameStart);
    if (fileNameStart == std::string::npos)
        return false;

    // GetTempFileNameA makes a new file with a name no other file has, ending
    // in .tmp: beside the chosen file, so that replacing it is a rename. It
    // writes that name into a MAX_PATH buffer whatever its length, and adds
    // up to 14 bytes to the folder.
    char tempPath[MAX_PATH] = {};
    if (folder.size() > MAX_PATH - 14 || !GetTempFileNameA(folder.c_str(), "plr", 0, tempPath))
        return false;
    TemporaryFile capture(tempPath);

    // netsh writes its errors to its output, which lands in the file too: only
    // its exit code tells a failed capture.
    if (RunHidden(CaptureCommand(capture.Path())) != 0 || !HoldsSomething(capture.Path()) ||
        MayHaveFilledUp(folder) ||
        !MoveFileExA(capture.Path().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    capture.Release();
    return true;
}

DWORD RunHidden(std::string commandLine)
{
    CWaitCursor wait;

    // The system's own interpreter, by its full path, started in the system
    // folder: a bare "cmd" would be looked for beside the exe and in the
    // current folder first, and cmd looks for netsh in its current folder first.
    const std::string systemFolder = SystemFolder();
    const std::string interpreter = systemFolder + "\\cmd.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (systemFolder.empty() || !CreateProcessA(interpreter.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                                nullptr, systemFolder.c_str(), &startup, &process))
        return kCommandNotRun;

    UniqueHandle processHandle(process.hProcess);
    {
        UniqueHandle threadHandle(process.hThread);
        WaitForSingleObject(process.hThread, INFINITE);
    }
    // The process may outlive its primary thread, and reads as STILL_ACTIVE until it ends.
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = kCommandNotRun;
    if (!GetExitCodeProcess(processHandle.Get(), &exitCode))
        exitCode = kCommandNotRun;
    return exitCode;
}
