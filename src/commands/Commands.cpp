#include "Commands.h"
#include "../platform/Handle.h"
#include "../platform/WaitCursor.h"

// The path is quoted: unquoted, a space would split it, and a '&', '|', '(',
// ')' or '^' in a file name would run other commands with administrator rights.
std::string CaptureCommand(const std::string& path)
{
    return "cmd /c netsh -C interface dump>\"" + path + "\"";
}

std::string ApplyCommand(const std::string& path)
{
    return "cmd /c netsh -f \"" + path + "\"";
}

DWORD RunHidden(std::string commandLine)
{
    CWaitCursor wait;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
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
