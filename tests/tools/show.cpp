// Opens Pelorin's windows for screenshots and prints where they are.
//   show main | about | help   prints "WIDTHxHEIGHT+X+Y" of that window,
//                              opening About or Help first.
//   show close                 closes the About or Help window.
//   show metrics               prints what the windows' font, 宋体 9 pt,
//                              measures here: the face that stands in for
//                              it, its height and the dialog base units.
#include <windows.h>
#include <cstdio>
#include <cstring>

namespace {
// The window once it is shown, centred and painted.
HWND WaitFor(const wchar_t* caption)
{
    for (int i = 0; i < 200; ++i) {
        HWND window = FindWindowW(L"#32770", caption);
        if (window && IsWindowVisible(window)) {
            Sleep(1000);
            return window;
        }
        Sleep(50);
    }
    return nullptr;
}
}  // namespace

// The dialog manager's base units: tmHeight, and the width of the 52 letters / 52, rounded.
int PrintMetrics()
{
    HDC dc = GetDC(nullptr);
    LOGFONTW request = {};
    request.lfHeight = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
    request.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(request.lfFaceName, L"\x5B8B\x4F53");
    HFONT font = CreateFontIndirectW(&request);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SIZE letters = {};
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    char face[LF_FACESIZE * 3] = {};
    wchar_t wideFace[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, wideFace);
    WideCharToMultiByte(CP_UTF8, 0, wideFace, -1, face, sizeof face, nullptr, nullptr);
    std::printf("face %s: tmHeight %ld, ascent %ld, descent %ld, base units %ldx%ld\n", face, metrics.tmHeight,
                metrics.tmAscent, metrics.tmDescent, (letters.cx + 26) / 52, metrics.tmHeight);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return 0;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    if (std::strcmp(argv[1], "metrics") == 0)
        return PrintMetrics();
    HWND main = WaitFor(L"Pelorin");
    if (!main)
        return 1;
    HWND target = main;
    if (std::strcmp(argv[1], "about") == 0) {
        PostMessageW(main, WM_SYSCOMMAND, 0x0010, 0);
        target = WaitFor(L"\x5173\x4E8E Pelorin");
    } else if (std::strcmp(argv[1], "help") == 0) {
        PostMessageW(GetDlgItem(main, 1013), BM_CLICK, 0, 0);
        target = WaitFor(L"\x4F7F\x7528\x5E2E\x52A9");
    } else if (std::strcmp(argv[1], "close") == 0) {
        HWND popup = GetLastActivePopup(main);
        if (popup && popup != main)
            PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    if (!target)
        return 1;
    RECT rect;
    GetWindowRect(target, &rect);
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
    return 0;
}
