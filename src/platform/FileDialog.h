// The system's open and save file dialogs.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <string>
#include <vector>

class CFileDialog {
public:
    // filter: pairs of description and pattern, each followed by '|', the
    // list closed by a second '|'.
    CFileDialog(bool bOpenFileDialog, const char* defaultExt, DWORD flags, const char* filter,
                HWND hParent = nullptr);

    // The longest full path handed back, in bytes: what MAX_PATH leaves
    // room for beside the terminating NUL.
    static constexpr size_t kMaxPath = MAX_PATH - 1;

    // IDOK when a file was chosen, IDCANCEL otherwise. Owned by the parent
    // (else the main window), centred over it; gives back the focus and the
    // current folder as it found them.
    INT_PTR DoModal();
    // After IDCANCEL: a file was chosen, but its full path is longer than kMaxPath.
    bool PathTooLong() const { return m_bPathTooLong; }

    // The chosen file's full path.
    std::string GetPathName() const { return m_strPathName; }
    // The chosen file's name without its last full stop and what follows.
    std::string GetFileTitle() const;

    OPENFILENAMEA m_ofn = {};

private:
    static UINT_PTR CALLBACK HookProc(HWND hChild, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_bOpenFileDialog;
    bool m_bPathTooLong = false;
    std::string m_strFilter;
    // Larger than any path the dialog hands back: a path that does not fit
    // MAX_PATH must come back whole to be told from a shorter one.
    std::vector<char> m_fileName = std::vector<char>(0x10000);
    std::string m_strPathName;
    size_t m_nFileNameStart = std::string::npos;
    char m_szFileTitle[64] = {};
};
