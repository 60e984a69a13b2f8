// The two network-shell command lines, and running a command line hidden.
#pragma once
#include <windows.h>
#include <string>

// cmd /d /c netsh -C interface dump>"PATH"
std::string CaptureCommand(const std::string& path);

// cmd /d /c netsh -f "PATH"
std::string ApplyCommand(const std::string& path);

// Runs the command line with the system's cmd.exe, in the system folder,
// without a window, and waits until it has ended, showing the wait cursor
// meanwhile; returns its exit code (0 when it cannot be read or the command
// did not start).
DWORD RunHidden(std::string commandLine);
