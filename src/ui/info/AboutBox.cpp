#include "AboutBox.h"
#include <windowsx.h>
#include "../../platform/PaintDC.h"
#include "../../platform/Shell.h"
#include "../../platform/WinApp.h"
#include "resource.h"

namespace {

struct Link {
    int y;
    const char* text;
    const char* target;
};

const int kLinkX = 60;
const Link kLinks[CAboutBox::kLinkCount] = {
    {75, "www.dravenholt.example", "http://www.dravenholt.example/software/index.html"},
    {95, "联系我们: support@dravenholt.example", "mailto:support@dravenholt.example"},
    {120, "网速一目了然，上网更放心:NetGauge", "http://www.softhaven.example/soft/netgauge.html"},
    {150, "桌面便签随手记，事事不忘记:NoteDock", "http://www.downplaza.example/soft/notedock.html"},
};

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

bool StrictlyInside(const RECT& area, POINT point)
{
    return area.left < point.x && area.top < point.y && point.x < area.right && point.y < area.bottom;
}

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

CAboutBox::CAboutBox(HWND hParent) : CDialog(IDD_ABOUTBOX, hParent), m_rcLinks() {}

const MessageMap* CAboutBox::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        OnMessage(WM_PAINT, &CAboutBox::OnPaint),
        OnMessage(WM_MOUSEMOVE, &CAboutBox::OnMouseMove),
        OnMessage(WM_LBUTTONDOWN, &CAboutBox::OnLButtonDown),
    };
    static const MessageMap map = {CDialog::GetMessageMap(), entries, sizeof entries / sizeof entries[0]};
    return &map;
}

// No font is selected: the links use the paint context's default font. The
// background mode stays opaque, so each text is drawn on the background
// colour of the moment, which the underline's fill leaves blue: hence the
// reset to white after each link.
LRESULT CAboutBox::OnPaint(WPARAM, LPARAM)
{
    CPaintDC dc(m_hWnd);
    dc.SetTextColor(kBlue);
    for (int i = 0; i < kLinkCount; ++i) {
        const int x = kLinkX;
        const int y = kLinks[i].y;
        dc.TextOut(x, y, kLinks[i].text);
        SIZE size = dc.GetTextExtent(kLinks[i].text);
        m_rcLinks[i] = {x, y, x + size.cx, y + size.cy};
        dc.FillSolidRect(x, y + size.cy + 3, size.cx, 1, kBlue);
        if (i < kLinkCount - 1)
            dc.SetBkColor(kWhite);
    }
    return 0;
}

LRESULT CAboutBox::OnMouseMove(WPARAM, LPARAM lParam)
{
    if (LinkAt(PointOf(lParam)) >= 0)
        SetCursor(LoadCursorA(AfxGetApp()->m_hInstance, MAKEINTRESOURCEA(IDC_HANDPOINT)));
    return Default();
}

// One click opens one target, even where tall text makes neighbouring areas overlap.
LRESULT CAboutBox::OnLButtonDown(WPARAM, LPARAM lParam)
{
    int link = LinkAt(PointOf(lParam));
    if (link >= 0)
        ShellOpen(kLinks[link].target);
    return Default();
}

int CAboutBox::LinkAt(POINT point) const
{
    for (int i = 0; i < kLinkCount; ++i) {
        if (StrictlyInside(m_rcLinks[i], point))
            return i;
    }
    return -1;
}
