// Full paths: the one form of a path that means the same file to this
// process and to a program it starts in another folder.
#pragma once
#include <string>

// The full path of path, as GetFullPathNameA makes it against the current
// folder; empty when it cannot be made. fileNameStart, when given, receives
// where its last component begins (found by the system, which knows where a
// double-byte character ends), or npos when it ends in a backslash.
std::string FullPathName(const std::string& path, size_t* fileNameStart = nullptr);
