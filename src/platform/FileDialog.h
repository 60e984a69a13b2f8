// The system's open and save file dialogs.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <string>

class CFileDialog {
public:
    // filter: pairs of description and pattern, each followed by '|', the
    // list closed by a second '|'.
    CFileDialog(bool bOpenFileDialog, const char* defaultExt, DWORD flags, const char* filter,
                HWND hParent = nullptr);

    // IDOK when a file was chosen, IDCANCEL otherwise. Owned by the parent
    // (else the main window), centred over it; gives back the focus and the
    // current folder as it found them.
    INT_PTR DoModal();
    // After IDCANCEL: a file was chosen, but its path does not fit the buffer.
    bool PathTooLong() const { return m_bPathTooLong; }

    std::string GetPathName() const { return m_szFileName; }
    // The chosen file's name without its last full stop and what follows.
    std::string GetFileTitle() const;

    OPENFILENAMEA m_ofn = {};

private:
    static UINT_PTR CALLBACK HookProc(HWND hChild, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_bOpenFileDialog;
    bool m_bPathTooLong = false;
    std::string m_strFilter;
    char m_szFileName[MAX_PATH] = {};
    char m_szFileTitle[64] = {};
};
