// Helpers shared by the in-process tests and the end-to-end driver.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// The folder of the running test executable, ending in a backslash.
std::string ExeFolder();

// A fresh empty folder under the temporary folder, ending in a backslash.
std::string FreshFolder(const std::string& name);

bool FileExists(const std::string& path);
std::string ReadFile(const std::string& path);
std::vector<std::string> ReadLines(const std::string& path);
// A visible top-level window of the process with this caption (any caption
// when empty), other than exclude; null when there is none.
HWND FindProgramWindow(DWORD processId, HWND exclude, const std::string& caption);

// The flag that opens HKLM\SOFTWARE as the executable sees it: a 32-bit
// program (by its PE header) sees the WOW6432Node branch of a 64-bit caller's view.
REGSAM RegistryViewOf(const std::string& exe);

// Removes every value and subkey of the key, opened in that registry view.
void EmptyKey(HKEY root, const char* subkey, REGSAM view);

void WriteFile(const std::string& path, const std::string& text);

// Polls until condition holds or timeoutMs has passed; returns the last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// What the recorder (standing in for the browser) and the stand-in netsh were asked.
std::string OpenedLog();
std::string NetshLog();
std::vector<std::string> NetshCalls();  // one line per call, its arguments joined by '|'
void ClearToolLogs();

// Tells the stand-in netsh, through the environment that every child
// inherits, to keep its log beside this test executable.
void KeepNetshLogHere();


// Code page 936 text from and to UTF-16.
std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& text);
