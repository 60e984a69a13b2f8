// The two network-shell command lines, and running a command line hidden.
#pragma once
#include <windows.h>
#include <string>

// cmd /d /c netsh -C interface dump>"PATH"
std::string CaptureCommand(const std::string& path);

// cmd /d /c netsh -f "PATH"
std::string ApplyCommand(const std::string& path);

// False for a path that the command interpreter would change: one with '%'.
bool CanPassToInterpreter(const std::string& path);

// Captures the current settings into the file at path (a full path). netsh
// writes into a new temporary file in the same folder, which replaces the
// file only when it holds something, so that a failed capture leaves the file
// as it was. True when the file was replaced; no temporary file remains.
bool CaptureInto(const std::string& path);

// Runs the command line with the system's cmd.exe, in the system folder,
// without a window, and waits until it has ended, showing the wait cursor
// meanwhile; returns its exit code (0 when it cannot be read or the command
// did not start).
DWORD RunHidden(std::string commandLine);
