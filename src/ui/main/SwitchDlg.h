// The main window: the saved configurations, the two addresses, the current
// record, and the actions on them.
#pragma once
#include <string>
#include "../../platform/ComboBox.h"
#include "../../platform/Dialog.h"
#include "../../store/ConfigStore.h"

class CSwitchDlg : public CDialog {
public:
    explicit CSwitchDlg(ConfigStore store = ConfigStore(), HWND hParent = nullptr);

    CComboBox m_combo;
    std::string m_strMac;
    std::string m_strIp;
    std::string m_strCurrent;
    HICON m_hIcon;
    ConfigStore::Buffer m_readBuf = {};
    std::string m_strPath;
    std::string m_strName;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageMap* GetMessageMap() const override;

    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    void OnRefresh();

private:
    void FillList();

    ConfigStore m_store;
};
