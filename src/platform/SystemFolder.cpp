#include "SystemFolder.h"

std::string SystemFolder()
{
    char folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

HMODULE LoadSystemLibrary(const char* name)
{
    std::string folder = SystemFolder();
    if (folder.empty())
        return nullptr;
    return LoadLibraryExA((folder + "\\" + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void LimitDllSearchToSystemFolder()
{
    // Looked up, not imported: Windows 2000, XP, and Vista and 7 without
    // their security update lack these functions.
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryAFn = BOOL(WINAPI*)(LPCSTR);
    auto setDefaultDllDirectories = GetProcAs<SetDefaultDllDirectoriesFn>(kernel32, "SetDefaultDllDirectories");
    auto setDllDirectory = GetProcAs<SetDllDirectoryAFn>(kernel32, "SetDllDirectoryA");

    // On Vista the shell's COM objects failed after SetDefaultDllDirectories;
    // there the current folder alone leaves the search, as on XP.
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    bool vista = GetVersionExA(&version) && version.dwMajorVersion == 6 && version.dwMinorVersion == 0;
#pragma GCC diagnostic pop

    if (setDefaultDllDirectories && !vista && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    if (setDllDirectory)
        setDllDirectory("");
    // The exe's own folder is still searched first: load from the system
    // folder now the DLLs that the system would later load by name for us,
    // so that those loads find them in memory.
    for (const char* name : {"uxtheme.dll", "userenv.dll", "setupapi.dll", "apphelp.dll", "propsys.dll",
                             "dwmapi.dll", "cryptbase.dll", "oleacc.dll", "clbcatq.dll", "version.dll"})
        LoadSystemLibrary(name);
}
