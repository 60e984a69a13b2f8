// Helpers for tests that run the program's windows inside the test process.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include "platform/Dialog.h"
#include "store/ConfigStore.h"

// A store under a key of the test's own, empty at the start and removed at the end.
class TestStoreKey {
public:
    explicit TestStoreKey(const std::string& name = "Store");
    ~TestStoreKey();
    TestStoreKey(const TestStoreKey&) = delete;
    TestStoreKey& operator=(const TestStoreKey&) = delete;

    ConfigStore Store() const { return ConfigStore(HKEY_CURRENT_USER, m_subkey); }
    // Sets a value with exactly these bytes, bypassing the store's own limits.
    void SetRaw(const std::string& name, const std::string& bytes, DWORD type = REG_SZ) const;
    bool HasValue(const std::string& name) const;
    // Sets the key's access list, in the platform's security descriptor language.
    void SetAccess(const char* sddl) const;

private:
    std::string m_subkey;
};

// While it lives, the help file that F1 asks for exists.
class PresentHelpFile {
public:
    PresentHelpFile();
    ~PresentHelpFile();
    PresentHelpFile(const PresentHelpFile&) = delete;
    PresentHelpFile& operator=(const PresentHelpFile&) = delete;

private:
    std::string m_path;
};

// Runs the dialog modally; once it is up, calls body with its window, then
// closes it with cancel if body left it open. Returns the modal result.
INT_PTR RunModal(CDialog& dialog, const std::function<void(HWND)>& body);

// Calls body with the window of the next dialog that runs modally (one that
// an action opens), then closes it with cancel if body left it open.
void WhenNextDialogRuns(const std::function<void(HWND)>& body);

// Handles the messages waiting for the thread as the dialog manager's loop would.
void PumpMessages(HWND dialog);

std::string WindowText(HWND window);
