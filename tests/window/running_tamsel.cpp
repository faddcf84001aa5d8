#include "running_tamsel.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::wstring Environment(const wchar_t* name) {
    const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0) return {};
    std::wstring value(length, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), length));
    return value;
}

// Tamsel.exe in the build tree, seen through Wine's drive Z:.
std::wstring BuiltExecutable() {
    std::wstring path = L"Z:" + Environment(L"TAMSEL_BUILD") + L"/Tamsel.exe";
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && IsWindowVisible(window) &&
        WindowTextW(window) == L"Tamsel Beta") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

template <typename Condition>
bool PollUntil(Condition condition, DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(10);
    }
    return true;
}

}  // namespace

std::wstring WindowTextW(HWND window) {
    wchar_t buffer[1024] = {};
    const int length = GetWindowTextW(window, buffer, 1024);
    return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string WindowTextA(HWND window) {
    char buffer[1024] = {};
    const int length = GetWindowTextA(window, buffer, 1024);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

RunningTamsel::RunningTamsel(const std::wstring& folder) {
    CreateDirectoryW(L"C:\\win-tests", nullptr);
    runDirectory_ = L"C:\\win-tests\\" + folder;
    CreateDirectoryW(runDirectory_.c_str(), nullptr);
    const std::wstring executable = runDirectory_ + L"\\Tamsel.exe";
    if (!CopyFileW(BuiltExecutable().c_str(), executable.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy Tamsel.exe from the build tree";
        return;
    }
    std::wstring commandLine = L"\"" + executable + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        0, nullptr, runDirectory_.c_str(),
                        &startup, &process_)) {
        ADD_FAILURE() << "cannot start Tamsel.exe: error " << GetLastError();
        return;
    }
    Search search{process_.dwProcessId, nullptr};
    PollUntil([&] {
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr || !Running();
    }, 30000);
    window_ = search.found;
    if (!window_) ADD_FAILURE() << "Tamsel's main window did not appear";
}

RunningTamsel::~RunningTamsel() {
    if (!process_.hProcess) return;
    if (Running()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool RunningTamsel::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND RunningTamsel::ChildAt(int left, int top, int width, int height) const {
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.left == left && rect.top == top && rect.right - rect.left == width &&
            rect.bottom - rect.top == height)
            return child;
    }
    return nullptr;
}

void RunningTamsel::Sync() {
    // Messages posted to one thread are handled in order, so once the bar shows the marker
    // everything posted before it has been handled.
    const HWND bar = ChildAt(-1, 209, 460, 8);
    ASSERT_NE(bar, nullptr);
    marker_ = marker_ % 900 + 7;
    ASSERT_TRUE(PostMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(marker_), 0));
    ASSERT_TRUE(PollUntil([&] {
        DWORD_PTR position = 0;
        return !IsWindow(bar) ||
               (SendMessageTimeoutW(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 1000, &position) &&
                static_cast<int>(position) == marker_);
    }, 10000));
}

DWORD RunningTamsel::WaitForExit() const {
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}
