// Stands in for the network shell. Appends its command line to netsh.log in
// the folder that PELORIN_TEST_LOGS names (else beside itself). For
// "-C interface dump" writes a known dump to its output; "-f FILE" is only
// logged. When the file netsh-fails lies beside the log, it writes nothing
// and fails. It changes no network setting.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    char folder[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA("PELORIN_TEST_LOGS", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        GetModuleFileNameA(nullptr, folder, MAX_PATH);
        *std::strrchr(folder, '\\') = '\0';
    }
    std::string logs = folder;
    if (logs.back() != '\\')
        logs += '\\';

    std::string line;
    for (int i = 1; i < argc; ++i)
        line += std::string(i > 1 ? "|" : "") + argv[i];
    if (FILE* f = std::fopen((logs + "netsh.log").c_str(), "ab")) {
        std::fprintf(f, "%s\r\n", line.c_str());
        std::fclose(f);
    }

    if (GetFileAttributesA((logs + "netsh-fails").c_str()) != INVALID_FILE_ATTRIBUTES)
        return 1;
    if (argc == 4 && std::strcmp(argv[1], "-C") == 0 && std::strcmp(argv[2], "interface") == 0 &&
        std::strcmp(argv[3], "dump") == 0) {
        std::printf("# fake interface dump\npushd interface\npopd\n");  // text mode: CR LF
    }
    return 0;
}
