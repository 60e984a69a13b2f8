#include "ComboBox.h"

int CComboBox::GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
int CComboBox::SetCurSel(int index) { return static_cast<int>(Send(CB_SETCURSEL, index)); }

std::string CComboBox::GetLBText(int index) const
{
    LRESULT length = Send(CB_GETLBTEXTLEN, index);
    if (length == CB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    if (Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0])) == CB_ERR)
        return std::string();
    text.resize(lstrlenA(text.c_str()));
    return text;
}

int CComboBox::AddString(const std::string& text)
{
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CComboBox::DeleteString(int index) { return static_cast<int>(Send(CB_DELETESTRING, index)); }
void CComboBox::ResetContent() { Send(CB_RESETCONTENT); }

int CComboBox::FindStringExact(int startAfter, const std::string& text) const
{
    return static_cast<int>(Send(CB_FINDSTRINGEXACT, startAfter, reinterpret_cast<LPARAM>(text.c_str())));
}

std::string CComboBox::GetWindowText() const
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_hWnd, &text[0], static_cast<int>(text.size()))));
    return text;
}

void CComboBox::SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
