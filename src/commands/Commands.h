// The two network-shell command lines, and running a command line hidden.
#pragma once
#include <windows.h>
#include <string>

// What RunHidden gives when the command did not start or its exit code
// cannot be read: not 0, so that it never reads as success.
constexpr DWORD kCommandNotRun = 0xFFFFFFFF;

// cmd /d /v:off /c ""SYSTEM\netsh.exe" -C interface dump>"PATH""
std::string CaptureCommand(const std::string& path);

// cmd /d /v:off /c ""SYSTEM\netsh.exe" -f "PATH""
std::string ApplyCommand(const std::string& path);

// False for a path that the command interpreter would change: one with '%'.
bool CanPassToInterpreter(const std::string& path);

// Captures the current settings into the file at path (a full path). netsh
// writes into a new temporary file in the same folder, which replaces the
// file only when netsh exited with 0, the temporary file holds something and
// the disk has not filled up meanwhile, so that a failed capture leaves the
// file as it was. True when the file was replaced; no temporary file remains.
bool CaptureInto(const std::string& path);

// Runs the command line with the system's cmd.exe, in the system folder,
// without a window, and waits until it has ended, showing the wait cursor
// meanwhile; returns its exit code, or kCommandNotRun.
DWORD RunHidden(std::string commandLine);
