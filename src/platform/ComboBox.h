// A combo box control; every member is one message to it.
#pragma once
#include <windows.h>
#include <string>

class CComboBox {
public:
    HWND m_hWnd = nullptr;

    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    // The text of a missing entry (index -1, or any index past the end) is empty.
    std::string GetLBText(int index) const;
    int AddString(const std::string& text);
    int DeleteString(int index);
    void ResetContent();
    int FindStringExact(int startAfter, const std::string& text) const;
    // The text of the edit field.
    std::string GetWindowText() const;
    void SetWindowText(const std::string& text);

private:
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageA(m_hWnd, msg, wParam, lParam);
    }
};
