// Stands in for the web browser and the mail program: appends the address it
// was asked to open to opened.log beside itself, and opens nothing.
#include <windows.h>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string log = path;
    log.erase(log.find_last_of('\\') + 1);
    log += "opened.log";

    std::string target = __argc > 1 ? __argv[1] : "";
    target += "\r\n";

    // Appends whole lines, even when two recorders run at once.
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, target.data(), static_cast<DWORD>(target.size()), &written, nullptr);
            CloseHandle(file);
            return 0;
        }
        Sleep(20);
    }
    return 1;
}
