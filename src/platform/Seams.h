// Stand-ins for the platform services that block on a person or leave the
// program: message boxes, file dialogs and the shell.
// The program leaves every pointer null and gets the real service; tests set
// them to answer in a person's place and to record what would have been opened.
#pragma once
#include <windows.h>
#include <commdlg.h>

struct PlatformSeams {
    int (*messageBox)(HWND owner, const char* text, const char* caption, UINT type) = nullptr;
    // Returns what GetOpenFileNameA/GetSaveFileNameA would, having filled ofn.
    BOOL (*fileDialog)(bool open, OPENFILENAMEA* ofn) = nullptr;
    void (*shellOpen)(const char* target) = nullptr;
};

PlatformSeams& Seams();
