// The paint context of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
#pragma once
#include <windows.h>
#include <string>

class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(BeginPaint(hWnd, &m_ps)) {}
    ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }

    void TextOut(int x, int y, const std::string& text)
    {
        ::TextOutA(m_hDC, x, y, text.c_str(), static_cast<int>(text.size()));
    }

    SIZE GetTextExtent(const std::string& text) const
    {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(m_hDC, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }

    // An opaque fill in the background colour, which it leaves set to color.
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
    {
        ::SetBkColor(m_hDC, color);
        RECT rect = {x, y, x + cx, y + cy};
        ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    }

    void DrawIcon(int x, int y, HICON hIcon) { ::DrawIcon(m_hDC, x, y, hIcon); }

    HWND m_hWnd;
    PAINTSTRUCT m_ps;
    HDC m_hDC;
};
