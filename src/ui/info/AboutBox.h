// The About window: icon, version, notice, and four painted links that open
// their targets through the shell.
#pragma once
#include "../../platform/Dialog.h"

class CAboutBox : public CDialog {
public:
    explicit CAboutBox(HWND hParent = nullptr);

    static constexpr int kLinkCount = 4;
    // Each link's text area in client pixels, set by painting; empty until then.
    RECT m_rcLinks[kLinkCount];

protected:
    const MessageMap* GetMessageMap() const override;

    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);

private:
    // The first link, in order, whose area strictly holds the point; -1 if none.
    int LinkAt(POINT point) const;
};
