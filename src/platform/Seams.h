// Stand-ins for the platform services that block on a person, leave the
// program or cannot be brought about at will: message boxes, file dialogs,
// the shell and a disk's free space.
// The program leaves every pointer null and gets the real service; tests set
// them to answer in a person's place and to record what would have been opened.
#pragma once
#include <windows.h>
#include <commdlg.h>

struct PlatformSeams {
    int (*messageBox)(HWND owner, const char* text, const char* caption, UINT type) = nullptr;
    // Returns what GetOpenFileNameA/GetSaveFileNameA would, having filled ofn;
    // on FALSE, error is what CommDlgExtendedError would then give.
    BOOL (*fileDialog)(bool open, OPENFILENAMEA* ofn, DWORD* error) = nullptr;
    void (*shellOpen)(const char* target) = nullptr;
    // Returns what GetDiskFreeSpaceExA would for the folder, the space free to the caller filled.
    BOOL (*diskFreeSpace)(const char* folder, ULARGE_INTEGER* freeToCaller) = nullptr;
};

PlatformSeams& Seams();
