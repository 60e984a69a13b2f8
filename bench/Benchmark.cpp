// Prints how fast Pelorin starts, refreshes and fills its list, as medians of
// several runs and as ratios measured in this same run.
#include <windows.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>
#include "app/SwitchApp.h"
#include "resource.h"
#include "store/ConfigStore.h"
#include "ui/main/SwitchDlg.h"
#include "../tests/support/TestSupport.h"

namespace {

const char* const kProgramKey = "SOFTWARE\\Dravenholt\\Pelorin";
const char* const kBenchKey = "Software\\PelorinBench";
const int kStartRuns = 15;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Empties the key as the program sees it (view: 0 or KEY_WOW64_32KEY) and
// gives it count configurations.
void Seed(HKEY root, const char* subkey, int count, REGSAM view = 0)
{
    EmptyKey(root, subkey, view);
    HKEY key = nullptr;
    RegCreateKeyExA(root, subkey, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr);
    // Names in no particular order, as a user adds them over time.
    for (int i = 0; i < count; ++i) {
        char name[32], data[64];
        std::snprintf(name, sizeof name, "config%05d", (i * 7919) % count);
        std::snprintf(data, sizeof data, "D:\\network\\%s.txt", name);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                       static_cast<DWORD>(std::strlen(data) + 1));
    }
    RegCloseKey(key);
}

// Seconds from creating the process until ready() holds for its visible window.
double TimeToReady(const std::string& exe, const std::function<bool(HWND)>& ready)
{
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    double start = Now();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    double elapsed = -1;
    while (Now() - start < 60) {
        HWND window = FindProgramWindow(process.dwProcessId, nullptr, "Pelorin");
        if (window && ready(window)) {
            elapsed = Now() - start;
            break;
        }
        Sleep(1);  // a busy poll would take the wineserver from the program it times
    }
    // Ended without closing, so that no exit page is opened.
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

bool PelorinReady(HWND window, int configurations)
{
    HWND combo = GetDlgItem(window, IDC_CONFIGS);
    // Another process's edits answer WM_GETTEXTLENGTH; GetWindowTextLength would not ask them.
    return SendMessageW(combo, CB_GETCOUNT, 0, 0) == configurations &&
           SendMessageW(GetDlgItem(window, IDC_IP), WM_GETTEXTLENGTH, 0, 0) > 0 &&
           SendMessageW(GetDlgItem(window, IDC_MAC), WM_GETTEXTLENGTH, 0, 0) > 0;
}

// Pelorin.exe in folder against the floors built beside it by the same compilers.
void StartToReady(const std::string& folder)
{
    const std::string pelorin = folder + "Pelorin.exe";
    const std::string floor = folder + "floor.exe";
    const std::string floorQueries = folder + "floor_queries.exe";
    const REGSAM view = RegistryViewOf(pelorin);
    std::printf("\nStart to ready, %s (%s), median of %d runs\n", pelorin.c_str(),
                view ? "32-bit" : "64-bit", kStartRuns);
    std::printf("  floor: the bare template with the same manifest; +queries: the floor that also asks for\n"
                "  the host and adapter addresses with the same calls\n");
    std::printf("  %-15s %10s %10s %8s %11s %8s\n", "configurations", "Pelorin", "floor", "ratio", "+queries",
                "ratio");
    for (int count : {0, 100, 1000, 10000}) {
        Seed(HKEY_LOCAL_MACHINE, kProgramKey, count, view);
        std::vector<double> program, bare, queries;
        for (int warmUp = 0; warmUp < 3; ++warmUp) {  // file cache and wineserver warm for all three
            TimeToReady(floor, [](HWND) { return true; });
            TimeToReady(floorQueries, [](HWND) { return true; });
            TimeToReady(pelorin, [](HWND) { return true; });
        }
        for (int run = 0; run < kStartRuns; ++run) {
            bare.push_back(TimeToReady(floor, [](HWND) { return true; }));
            queries.push_back(TimeToReady(floorQueries, [](HWND) { return true; }));
            program.push_back(TimeToReady(pelorin, [count](HWND w) { return PelorinReady(w, count); }));
        }
        double p = Median(program), f = Median(bare), q = Median(queries);
        std::printf("  %-15d %7.1f ms %7.1f ms %7.2fx %8.1f ms %7.2fx\n", count, p * 1000, f * 1000, p / f, q * 1000,
                    p / q);
    }
    Seed(HKEY_LOCAL_MACHINE, kProgramKey, 0, view);
}

// Calls body with the main window once it is up, then closes it.
void WithMainWindow(CSwitchDlg& dlg, void (*body)(CSwitchDlg&))
{
    static CSwitchDlg* s_dlg;
    static void (*s_body)(CSwitchDlg&);
    s_dlg = &dlg;
    s_body = body;
    AfxGetApp()->m_pMainWnd = &dlg;
    SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        s_body(*s_dlg);
        EndDialog(s_dlg->m_hWnd, IDCANCEL);
    });
    dlg.DoModal();
    AfxGetApp()->m_pMainWnd = nullptr;
}

void Refresh()
{
    Seed(HKEY_CURRENT_USER, kBenchKey, 0);
    CSwitchDlg dlg(ConfigStore(HKEY_CURRENT_USER, kBenchKey));
    WithMainWindow(dlg, [](CSwitchDlg& window) {
        std::vector<double> batches;
        for (int batch = 0; batch < 7; ++batch) {
            const int calls = 50;
            double start = Now();
            for (int i = 0; i < calls; ++i)
                SendMessageA(window.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED), 0);
            batches.push_back((Now() - start) / calls);
        }
        std::printf("\nRefresh, in process (median of 7 batches of 50)\n  %.3f ms per Refresh\n",
                    Median(batches) * 1000);
    });
}

// The floor of list filling on this platform: the registry walk alone, the
// same RegEnumValueA calls over the same key, adding nothing anywhere.
double RegistryWalk()
{
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, KEY_ALL_ACCESS, &key);
        double start = Now();
        for (DWORD index = 0;; ++index) {
            char name[256] = {};
            DWORD length = sizeof name;
            if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
        }
        runs.push_back(Now() - start);
        RegCloseKey(key);
    }
    return Median(runs);
}

void ListFilling()
{
    std::printf("\nList filling from the store, in process (median of 5 runs)\n");
    std::printf("  %-8s %11s %10s %14s %12s %10s\n", "values", "fill", "growth", "n log n would", "bare walk",
                "fill/walk");
    double previous = 0;
    int previousCount = 0;
    for (int count : {100, 1000, 10000}) {
        Seed(HKEY_CURRENT_USER, kBenchKey, count);
        static std::vector<double> runs;
        runs.clear();
        CSwitchDlg dlg(ConfigStore(HKEY_CURRENT_USER, kBenchKey));
        WithMainWindow(dlg, [](CSwitchDlg& window) {
            for (int run = 0; run < 5; ++run) {
                window.m_combo.ResetContent();
                double start = Now();
                window.FillList();
                runs.push_back(Now() - start);
            }
        });
        double t = Median(runs);
        double walk = RegistryWalk();
        if (previous > 0) {
            double nlogn = (count * std::log(count)) / (previousCount * std::log(previousCount));
            std::printf("  %-8d %8.2f ms %9.2fx %13.2fx %9.2f ms %9.2fx\n", count, t * 1000, t / previous, nlogn,
                        walk * 1000, t / walk);
        } else {
            std::printf("  %-8d %8.2f ms %10s %14s %9.2f ms %9.2fx\n", count, t * 1000, "", "", walk * 1000, t / walk);
        }
        previous = t;
        previousCount = count;
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
}

}  // namespace

// benchmark [FOLDER...]: start-up of the Pelorin.exe in each folder (each
// ending in a backslash, this program's own when none is given), then the
// in-process figures.
int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc == 1)
        StartToReady(ExeFolder());
    for (int i = 1; i < argc; ++i)
        StartToReady(argv[i]);
    Refresh();
    ListFilling();
    return 0;
}
