// Planted beside a copy of Pelorin.exe under the names of programs and DLLs
// that it or the system might look for by bare name. Whenever it runs (as a
// program) or loads (as a DLL), it appends its own path to planted.log
// beside itself, and does nothing else. As a DLL it also offers failing
// stand-ins for the network functions that a program might import from the
// DLL it replaces, so that such a program runs on instead of aborting.
#define WIN32_LEAN_AND_MEAN  // no winsock declarations: this file makes its own
#include <windows.h>
#include <cstring>

namespace {
void LogItself(HMODULE module)
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    char log[MAX_PATH] = {};
    std::memcpy(log, path, length);
    std::strcpy(std::strrchr(log, '\\') + 1, "planted.log");
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, path, length, &written, nullptr);
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
}
}  // namespace

#ifdef PLANTED_PROGRAM

int main()
{
    LogItself(nullptr);
    return 0;
}

#else

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        LogItself(instance);
    return TRUE;
}

extern "C" {
__declspec(dllexport) int WINAPI WSAStartup(WORD, void*) { return 10091; }  // WSASYSNOTREADY
__declspec(dllexport) int WINAPI WSACleanup() { return -1; }
__declspec(dllexport) int WINAPI WSAGetLastError() { return 10091; }
__declspec(dllexport) int WINAPI gethostname(char*, int) { return -1; }
__declspec(dllexport) void* WINAPI gethostbyname(const char*) { return nullptr; }
__declspec(dllexport) char* WINAPI inet_ntoa(unsigned long) { return nullptr; }
__declspec(dllexport) DWORD WINAPI GetAdaptersInfo(void*, ULONG*) { return ERROR_NOT_SUPPORTED; }
}

#endif
