// Stands in for the network shell. Appends its command line to netsh.log in
// the folder that PELORIN_TEST_LOGS names (else beside itself). For
// "-C interface dump" writes a known dump to its output; "-f FILE" is only
// logged. When the file netsh-fails lies beside the log, it prints an error,
// as netsh does, to its output and exits with 1; when that file says
// "silent", it prints nothing and exits with 0, as Wine's own netsh does.
// It changes no network setting.
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

    if (FILE* fails = std::fopen((logs + "netsh-fails").c_str(), "rb")) {
        char how[8] = {};
        std::fread(how, 1, sizeof how - 1, fails);
        std::fclose(fails);
        if (std::strcmp(how, "silent") == 0)
            return 0;
        std::printf("The following command was not found: interface dump.\n");
        return 1;
    }
    if (argc == 4 && std::strcmp(argv[1], "-C") == 0 && std::strcmp(argv[2], "interface") == 0 &&
        std::strcmp(argv[3], "dump") == 0) {
        std::printf("# fake interface dump\npushd interface\npopd\n");  // text mode: CR LF
    }
    return 0;
}
