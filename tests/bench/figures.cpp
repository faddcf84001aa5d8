// Prints how light Tamsel is, one "name: value" per line:
//   start-up time of Tamsel.exe against a minimal window with the same eleven controls,
//   the executable's size and imported DLLs, its private bytes after start and after
//   1,000 ticks of each timer. Figures only; nothing here passes or fails on a timing.
//
// Usage: bench_figures TAMSEL_EXE MINIMAL_EXE [RUNS]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Running {
    PROCESS_INFORMATION info{};
    HWND window = nullptr;
    ~Running() {
        if (info.hProcess) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

struct WindowSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK MatchVisibleTopLevel(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<WindowSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == s->pid && IsWindowVisible(w) && !GetWindow(w, GW_OWNER)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleTopLevelWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(MatchVisibleTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Starts the program and returns the milliseconds until its main window is shown and the
// program waits for input.
double StartAndWaitUntilIdle(const std::wstring& exe, Running& running) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const double start = Now();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &running.info))
        return -1;
    const double deadline = start + 30000;
    while (Now() < deadline) {
        WaitForInputIdle(running.info.hProcess, 1000);
        running.window = VisibleTopLevelWindowOf(running.info.dwProcessId);
        if (running.window) return Now() - start;
        Sleep(1);  // the window is not there yet; nothing to wait on but the clock
    }
    return -1;
}

void Close(Running& running) {
    PostMessageW(running.window, WM_CLOSE, 0, 0);
    WaitForSingleObject(running.info.hProcess, 10000);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

int ImportedDllCount(const std::wstring& exe) {
    std::vector<char> bytes;
    HANDLE file = CreateFileW(exe.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    if (bytes.size() < sizeof(IMAGE_DOS_HEADER)) return -1;
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes.data() + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* section = IMAGE_FIRST_SECTION(nt);
    auto toOffset = [&](DWORD rva) -> DWORD {
        for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i)
            if (rva >= section[i].VirtualAddress && rva < section[i].VirtualAddress + section[i].Misc.VirtualSize)
                return rva - section[i].VirtualAddress + section[i].PointerToRawData;
        return 0;
    };
    int count = 0;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(bytes.data() + toOffset(imports.VirtualAddress));
         d->Name != 0; ++d)
        ++count;
    return count;
}

SIZE_T PrivateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    // The commit charge: Windows reports it in both fields, Wine only in PagefileUsage.
    return std::max(counters.PrivateUsage, counters.PagefileUsage);
}

// The hidden child windows that own the two timers sit where the window definition puts them.
struct ChildSearch {
    HWND parent;
    POINT at;
    HWND found;
};

BOOL CALLBACK MatchHiddenChildAt(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<ChildSearch*>(p);
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, s->parent, reinterpret_cast<POINT*>(&r), 2);
    if (r.left == s->at.x && r.top == s->at.y && !IsWindowVisible(w)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND ChildAt(HWND parent, int left, int top) {
    ChildSearch search{parent, {left, top}, nullptr};
    EnumChildWindows(parent, MatchHiddenChildAt, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_figures TAMSEL_EXE MINIMAL_EXE [RUNS]\n");
        return 2;
    }
    const std::wstring tamsel = argv[1], minimal = argv[2];
    const int runs = argc > 3 ? _wtoi(argv[3]) : 7;

    std::vector<double> tamselTimes, minimalTimes;
    for (int i = 0; i < runs; ++i) {  // alternate, so both see the same machine
        Running a, b;
        tamselTimes.push_back(StartAndWaitUntilIdle(tamsel, a));
        Close(a);
        minimalTimes.push_back(StartAndWaitUntilIdle(minimal, b));
        Close(b);
    }
    const double t = Median(tamselTimes), m = Median(minimalTimes);
    std::printf("startup_runs: %d\n", runs);
    std::printf("startup_tamsel_ms: %.1f\n", t);
    std::printf("startup_minimal_ms: %.1f\n", m);
    std::printf("startup_ratio: %.3f\n", m > 0 ? t / m : 0.0);

    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    GetFileAttributesExW(tamsel.c_str(), GetFileExInfoStandard, &attributes);
    std::printf("exe_bytes: %lu\n", attributes.nFileSizeLow);
    std::printf("imported_dlls: %d\n", ImportedDllCount(tamsel));

    Running running;
    if (StartAndWaitUntilIdle(tamsel, running) < 0) {
        std::printf("private_bytes_after_start: failed to start\n");
        return 1;
    }
    const SIZE_T afterStart = PrivateBytes(running.info.hProcess);
    HWND backupTimer = ChildAt(running.window, 360, 112), restoreTimer = ChildAt(running.window, 408, 112);
    // A sent WM_TIMER runs the tick handler at once and returns when it is done.
    auto tickEach = [&](int ticks) {
        for (int i = 0; i < ticks && backupTimer && restoreTimer; ++i) {
            SendMessageW(backupTimer, WM_TIMER, 1000, 0);
            SendMessageW(restoreTimer, WM_TIMER, 1000, 0);
        }
        return PrivateBytes(running.info.hProcess);
    };
    const SIZE_T afterTicks = tickEach(1000);
    // A second thousand tells a leak (it grows again) from what the first ticks set up once.
    const SIZE_T afterMoreTicks = tickEach(1000);
    std::printf("timers_found: %s\n", backupTimer && restoreTimer ? "yes" : "no");
    std::printf("private_bytes_after_start: %lu\n", static_cast<unsigned long>(afterStart));
    std::printf("private_bytes_after_1000_ticks_each: %lu\n", static_cast<unsigned long>(afterTicks));
    std::printf("private_bytes_after_2000_ticks_each: %lu\n", static_cast<unsigned long>(afterMoreTicks));
    std::printf("private_bytes_growth_first_1000: %ld\n",
                static_cast<long>(afterTicks) - static_cast<long>(afterStart));
    std::printf("private_bytes_growth_second_1000: %ld\n",
                static_cast<long>(afterMoreTicks) - static_cast<long>(afterTicks));
    Close(running);
    return 0;
}
