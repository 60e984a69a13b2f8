// Modal dialogs built from templates, with a per-class message table and one
// data-exchange routine per window.
#pragma once
#include <windows.h>
#include <string>
#include "ComboBox.h"

class CDialog;

// Centres hwnd over the window over when that is visible and not minimised,
// else over the work area, and keeps it inside the work area.
void CenterWindow(HWND hwnd, HWND over);

// Carries the direction of one data exchange: load the controls from the
// fields, or save the controls' texts into the fields.
struct CDataExchange {
    HWND m_hDlg;
    bool m_bSaveAndValidate;
};

void DDX_Text(CDataExchange* pDX, int id, std::string& value);
void DDX_Control(CDataExchange* pDX, int id, CComboBox& control);

using CommandHandler = void (CDialog::*)();
using MessageHandler = LRESULT (CDialog::*)(WPARAM, LPARAM);

// One row of a message table: a message, or WM_COMMAND with a control id and
// a notification code, and the member that handles it.
struct MessageMapEntry {
    UINT message;
    UINT id;
    UINT code;
    CommandHandler onCommand;
    MessageHandler onMessage;
};

struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry* entries;
    size_t count;
};

template <class T>
MessageMapEntry OnCommand(UINT id, void (T::*handler)())
{
    return {WM_COMMAND, id, BN_CLICKED, static_cast<CommandHandler>(handler), nullptr};
}

template <class T>
MessageMapEntry OnNotify(UINT id, UINT code, void (T::*handler)())
{
    return {WM_COMMAND, id, code, static_cast<CommandHandler>(handler), nullptr};
}

template <class T>
MessageMapEntry OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return {message, 0, 0, nullptr, static_cast<MessageHandler>(handler)};
}

class CDialog {
public:
    explicit CDialog(UINT nIDTemplate, HWND hParent = nullptr);
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the window modally, its owner disabled meanwhile; returns IDOK,
    // IDCANCEL, or -1 when the window could not be made.
    INT_PTR DoModal();
    void EndDialog(int result);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The innermost dialog of the modal runs in progress, or null.
    static CDialog* Running();

    HWND m_hWnd = nullptr;
    UINT m_nIDTemplate;

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual const MessageMap* GetMessageMap() const;

    void OnOK();
    void OnCancel();

    // Called by a message handler that wants the dialog manager's own processing.
    LRESULT Default();

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    const MessageMapEntry* Find(UINT message, WPARAM wParam) const;

    HWND m_hParent;
    CDialog* m_pOuter = nullptr;
    bool m_bDefault = false;
};
