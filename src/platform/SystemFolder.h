// The system folder, and loading DLLs from it only. The program runs with
// administrator rights, often from a Downloads folder: a DLL or program
// named without a path would be looked for there first.
#pragma once
#include <windows.h>
#include <string>

// Limits where the process loads DLLs from to the system folder. Called
// first thing, before anything else may load a DLL.
void LimitDllSearchToSystemFolder();

// The system folder, without a trailing backslash (GetSystemDirectoryA).
std::string SystemFolder();

// Loads the named system DLL by its full path in the system folder; its own
// dependencies are looked for there first too.
HMODULE LoadSystemLibrary(const char* name);

// A function of a loaded DLL, as the pointer type F; null when missing.
template <class F>
F GetProcAs(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
