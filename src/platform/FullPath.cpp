#include "FullPath.h"
#include <windows.h>

std::string FullPathName(const std::string& path)
{
    DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return std::string();
    std::string full(size, '\0');
    DWORD length = GetFullPathNameA(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size)
        return std::string();
    full.resize(length);
    return full;
}
