#include "TestSupport.h"
#include <fstream>
#include <sstream>

std::string ExeFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.erase(folder.find_last_of('\\') + 1);
}

namespace {
void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
                RemoveDirectoryA(path.c_str());
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
}
}  // namespace

std::string FreshFolder(const std::string& name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string root = std::string(temp) + "pelorin-tests\\";
    CreateDirectoryA(root.c_str(), nullptr);
    std::string folder = root + name + "\\";
    RemoveTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

namespace {
struct FindContext {
    DWORD processId;
    HWND exclude;
    std::wstring caption;
    bool anyCaption;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM lParam)
{
    auto* context = reinterpret_cast<FindContext*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != context->processId || window == context->exclude || !IsWindowVisible(window))
        return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (context->anyCaption || context->caption == text) {
        context->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindProgramWindow(DWORD processId, HWND exclude, const std::string& caption)
{
    FindContext context = {processId, exclude, Widen(caption), caption.empty(), nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

REGSAM RegistryViewOf(const std::string& exe)
{
    std::string image = ReadFile(exe);
    if (image.size() < sizeof(IMAGE_DOS_HEADER))
        return 0;
    LONG peOffset = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data())->e_lfanew;
    if (peOffset < 0 || image.size() < peOffset + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER))
        return 0;
    const auto* header = reinterpret_cast<const IMAGE_FILE_HEADER*>(image.data() + peOffset + sizeof(DWORD));
    return header->Machine == IMAGE_FILE_MACHINE_I386 ? KEY_WOW64_32KEY : 0;
}

void EmptyKey(HKEY root, const char* subkey, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey, 0, KEY_ALL_ACCESS | view, &key) != ERROR_SUCCESS)
        return;
    RegDeleteTreeA(key, nullptr);
    RegCloseKey(key);
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return condition();
        Sleep(20);
    }
    return true;
}

std::string OpenedLog() { return ReadFile(ExeFolder() + "opened.log"); }
std::string NetshLog() { return ReadFile(ExeFolder() + "netsh.log"); }
std::vector<std::string> NetshCalls() { return ReadLines(ExeFolder() + "netsh.log"); }

void ClearToolLogs()
{
    DeleteFileA((ExeFolder() + "opened.log").c_str());
    DeleteFileA((ExeFolder() + "netsh.log").c_str());
}

void KeepNetshLogHere()
{
    SetEnvironmentVariableA("PELORIN_TEST_LOGS", ExeFolder().c_str());
}


std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int size = WideCharToMultiByte(936, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(936, 0, text.c_str(), -1, &result[0], size, nullptr, nullptr);
    result.resize(size - 1);
    return result;
}

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int size = MultiByteToWideChar(936, 0, text.c_str(), -1, nullptr, 0);
    std::wstring result(size, L'\0');
    MultiByteToWideChar(936, 0, text.c_str(), -1, &result[0], size);
    result.resize(size - 1);
    return result;
}
