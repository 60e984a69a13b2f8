// Starts the real Pelorin.exe and works its windows from this process, as a
// person would with the mouse and keyboard.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// The Pelorin.exe that the tests start, and whose registry view they use;
// and the folder of the test helpers built at its width.
void SetProgramUnderTest(const std::string& exe, const std::string& helpers);
const std::string& ProgramUnderTest();
const std::string& HelpersFolder();

// The program's registry key in the test prefix, as the program sees it.
void ClearProgramStore();
void SeedProgramStore(const std::string& name, const std::string& data);
// A name set by hand, which may hold characters outside code page 936.
void SeedProgramStore(const std::wstring& name, const std::string& data);
std::string ProgramStoreValue(const std::string& name);  // empty when missing

class PelorinProcess {
public:
    // Starts the program (the one under test unless given) with workFolder
    // as its current folder, and waits for its window.
    explicit PelorinProcess(const std::string& workFolder, const std::string& program = std::string());
    ~PelorinProcess();
    PelorinProcess(const PelorinProcess&) = delete;
    PelorinProcess& operator=(const PelorinProcess&) = delete;

    HWND Window() const { return m_window; }
    // True when the program has ended by itself, with exit code 0 (not by a crash).
    bool WaitForExit(DWORD timeoutMs = 10000) const;

    std::vector<std::string> Entries() const;
    int Selection() const;
    std::string Text(int id) const;
    void Select(int index) const;

    // Presses a button without waiting for what it does.
    void Press(int id) const;
    // Sends a key to the window with the focus, as the keyboard would.
    void Key(HWND window, UINT virtualKey) const;
    // The edit field of the list of names.
    HWND ListEdit() const;
    // Clicks the list's arrow, which opens the list or, when open, closes it.
    void ClickListArrow() const;
    // Moves the pointer over entry index of the open list, as the mouse does.
    bool PointAtListEntry(int index) const;
    // Selects all of an edit's text and types text over it, a character at a time.
    void TypeOver(HWND edit, const std::string& text) const;

    // Another top-level window of the program, visible, with this caption
    // (any caption when empty); null when none appears within the time.
    HWND WaitForWindow(const std::string& caption, DWORD timeoutMs = 10000) const;
    // A message box's text, then presses its button (OK unless told) and waits until it has gone.
    std::string AnswerMessageBox(HWND box, int button = IDOK) const;
    // Types path into a file dialog and confirms it; cancels when path is empty.
    void AnswerFileDialog(HWND dialog, const std::string& path) const;

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_window = nullptr;
};

std::string WindowTextOf(HWND window);

// A visible dialog or message box that owner owns, as a save dialog owns its
// overwrite prompt; null when there is none.
HWND VisiblePopupOf(HWND owner);
