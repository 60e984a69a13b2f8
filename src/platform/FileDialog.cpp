#include "FileDialog.h"
#include <cstring>
#include "Dialog.h"
#include "FullPath.h"
#include "Seams.h"
#include "SystemFolder.h"
#include "WinApp.h"

namespace {

using FileDialogFn = BOOL(WINAPI*)(OPENFILENAMEA*);
using ExtendedErrorFn = DWORD(WINAPI*)();

// comdlg32 is loaded on first use: importing it would slow every start-up.
BOOL ShowSystemDialog(bool open, OPENFILENAMEA* ofn, DWORD* error)
{
    static HMODULE comdlg32 = LoadSystemLibrary("comdlg32.dll");
    auto show = GetProcAs<FileDialogFn>(comdlg32, open ? "GetOpenFileNameA" : "GetSaveFileNameA");
    auto extendedError = GetProcAs<ExtendedErrorFn>(comdlg32, "CommDlgExtendedError");
    BOOL chosen = show ? show(ofn) : FALSE;
    *error = !chosen && extendedError ? extendedError() : 0;
    return chosen;
}

}  // namespace

CFileDialog::CFileDialog(bool bOpenFileDialog, const char* defaultExt, DWORD flags, const char* filter,
                         HWND hParent)
    : m_bOpenFileDialog(bOpenFileDialog), m_strFilter(filter ? filter : "")
{
    // The dialog wants NULs where the caller wrote '|'.
    for (const char* p = filter; p && *p; p = CharNextA(p)) {
        if (*p == '|')
            m_strFilter[p - filter] = '\0';
    }

    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = hParent;
    m_ofn.lpstrFilter = filter ? m_strFilter.c_str() : nullptr;
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileName.size());
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.lpstrDefExt = defaultExt;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = HookProc;
}

INT_PTR CFileDialog::DoModal()
{
    if (!m_ofn.hwndOwner && AfxGetMainWnd())
        m_ofn.hwndOwner = AfxGetMainWnd()->m_hWnd;

    // The dialog moves the current folder to the chosen file's; a command
    // started from there would find a program lying beside that file first.
    // Sized from the answer: a folder's path may be longer than MAX_PATH.
    std::string currentFolder(GetCurrentDirectoryA(0, nullptr), '\0');
    bool haveFolder = !currentFolder.empty() &&
                      GetCurrentDirectoryA(static_cast<DWORD>(currentFolder.size()), &currentFolder[0]) <
                          currentFolder.size();
    HWND focus = GetFocus();

    DWORD error = 0;
    BOOL chosen = Seams().fileDialog ? Seams().fileDialog(m_bOpenFileDialog, &m_ofn, &error)
                                     : ShowSystemDialog(m_bOpenFileDialog, &m_ofn, &error);

    // A name typed relative to a drive (C:a.txt) comes back as typed: made
    // full while the dialog's current folder still holds.
    bool whole = chosen && std::memchr(m_fileName.data(), '\0', m_fileName.size());
    m_strPathName = whole ? FullPathName(m_fileName.data(), &m_nFileNameStart) : std::string();

    if (haveFolder)
        SetCurrentDirectoryA(currentFolder.c_str());
    if (focus && IsWindow(focus))
        SetFocus(focus);

    // Wine's 8-bit dialogs report success for a path that overflows the
    // buffer, cut off with no terminating NUL; Windows reports the error.
    m_bPathTooLong = chosen ? m_strPathName.empty() || m_strPathName.size() > kMaxPath
                            : error == FNERR_BUFFERTOOSMALL;
    return chosen && !m_bPathTooLong ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetFileTitle() const
{
    // Cut from the full path rather than the 64-byte name buffer, which may
    // hold only the start of a long name, ending inside a character.
    std::string title = m_nFileNameStart < m_strPathName.size() ? m_strPathName.substr(m_nFileNameStart) : "";
    size_t dot = title.rfind('.');
    if (dot != std::string::npos)
        title.erase(dot);
    return title;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hChild, UINT message, WPARAM, LPARAM lParam)
{
    // The hook sees the dialog's child; the dialog itself is its parent.
    if (message == WM_NOTIFY && reinterpret_cast<const OFNOTIFYA*>(lParam)->hdr.code == CDN_INITDONE) {
        HWND dialog = GetParent(hChild);
        CenterWindow(dialog, GetWindow(dialog, GW_OWNER));
    }
    return 0;
}
