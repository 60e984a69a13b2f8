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

    // Adds the stored configuration names to m_combo.
    void FillList();

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

    LRESULT OnSysCommand(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    void OnSwitch();
    void OnBackup();
    void OnImport();
    void OnRefresh();
    void OnAbout();
    void OnUsage();
    void OnSelect();
    void OnEditChange();
    void OnAdd();
    void OnDelete();

private:
    // A file chosen in a file dialog: its title, which names the
    // configuration, and its full path. It becomes the window's choice
    // (m_strName, m_strPath) only when the action that chose it succeeds.
    struct ChosenFile {
        std::string name;
        std::string path;
    };
    // The save dialog (open false) or the open dialog; false when cancelled
    // or the path is refused.
    bool ChooseFile(bool open, ChosenFile& chosen);
    // The save dialog of a capture, the status showing meanwhile; false, the
    // status cleared, when it is cancelled or the path is refused.
    bool ChooseCaptureFile(ChosenFile& chosen);
    // Captures the current settings into path; says so when that failed.
    bool CaptureChosenFile(const std::string& path);
    // Makes a file from Import or Backup the choice, its title in the field.
    void MakeChoice(const ChosenFile& chosen);
    // The entry named by the list's edit field: one with the same bytes, else
    // one that the registry takes for the same name (ConfigStore::IsSameName);
    // CB_ERR when none.
    int NamedEntry() const;
    // Selects entry index, or empties the list when it has no entries, and
    // makes m_strName and m_strPath follow, as the user's pick does.
    void SelectEntry(int index);
    // True when path can go to the command interpreter; otherwise clears the
    // status and says why.
    bool AcceptPathForCommand(const std::string& path);
    void SetStatus(const char* text);
    // Clears the status and shows the message: an action that ends without
    // running its command.
    void StopWith(const std::string& message);

    ConfigStore m_store;
    // The choice is the listed name m_strName, not a file from Import or Backup.
    bool m_bChoiceListed = false;
    // The user has changed the list's edit field since the last choice.
    bool m_bTyped = false;
};
