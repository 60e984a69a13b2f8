#include "Commands.h"
#include "../platform/Handle.h"
#include "../platform/SystemFolder.h"
#include "../platform/WaitCursor.h"

// The path is quoted: unquoted, a space would split it, and a '&', '|', '(',
// ')' or '^' in a file name would run other commands with administrator rights.
// /d: no AutoRun command from the registry runs inside the interpreter.
std::string CaptureCommand(const std::string& path)
{
    return "cmd /d /c netsh -C interface dump>\"" + path + "\"";
}

std::string ApplyCommand(const std::string& path)
{
    return "cmd /d /c netsh -f \"" + path + "\"";
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
        return 0;

    UniqueHandle processHandle(process.hProcess);
    {
        UniqueHandle threadHandle(process.hThread);
        WaitForSingleObject(process.hThread, INFINITE);
    }
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(processHandle.Get(), &exitCode))
        exitCode = 0;
    return exitCode;
}
