#include "FullPath.h"
#include <windows.h>

std::string FullPathName(const std::string& path, size_t* fileNameStart)
{
    DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return std::string();
    std::string full(size, '\0');
    char* fileName = nullptr;
    DWORD length = GetFullPathNameA(path.c_str(), size, &full[0], &fileName);
    if (length == 0 || length >= size)
        return std::string();
    if (fileNameStart)
        *fileNameStart = fileName ? static_cast<size_t>(fileName - full.data()) : std::string::npos;
    full.resize(length);
    return full;
}
