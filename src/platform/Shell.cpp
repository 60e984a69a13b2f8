#include "Shell.h"
#include "Seams.h"
#include "SystemFolder.h"

PlatformSeams& Seams()
{
    static PlatformSeams seams;
    return seams;
}

void ShellOpen(const char* target)
{
    if (Seams().shellOpen) {
        Seams().shellOpen(target);
        return;
    }
    // shell32 is loaded on first use, as importing it would slow every start-up,
    // and stays loaded: the shell may leave threads of its own running.
    using ShellExecuteAFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    auto shellExecute = GetProcAs<ShellExecuteAFn>(LoadSystemLibrary("shell32.dll"), "ShellExecuteA");
    if (shellExecute)
        shellExecute(nullptr, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
}
