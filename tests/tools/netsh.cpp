// Stands in for the network shell. Appends its command line to netsh.log
// beside itself; for "-C interface dump" writes a known dump to its output,
// and for "-f FILE" records FILE, whole, as the file it was asked to apply.
// It changes no network setting.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string log = path;
    log.erase(log.find_last_of('\\') + 1);
    log += "netsh.log";

    std::string line;
    for (int i = 1; i < argc; ++i)
        line += std::string(i > 1 ? "|" : "") + argv[i];
    if (FILE* f = std::fopen(log.c_str(), "ab")) {
        std::fprintf(f, "%s\r\n", line.c_str());
        std::fclose(f);
    }

    if (argc == 4 && std::strcmp(argv[1], "-C") == 0 && std::strcmp(argv[2], "interface") == 0 &&
        std::strcmp(argv[3], "dump") == 0) {
        std::printf("# fake interface dump\r\npushd interface\r\npopd\r\n");
    }
    return 0;
}
