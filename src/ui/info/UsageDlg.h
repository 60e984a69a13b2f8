// The usage-help window: the usage text in a scrollable edit, which the
// user may change; each opening shows it afresh.
#pragma once
#include <string>
#include "../../platform/Dialog.h"

class CUsageDlg : public CDialog {
public:
    explicit CUsageDlg(HWND hParent = nullptr);

    std::string m_strText;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
