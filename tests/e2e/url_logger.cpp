// Registered as the shell's handler of a URL scheme: appends the address it was asked to open
// to a log, one line each, so a test sees how often the shell was asked.
// Usage: url_logger LOG ADDRESS
#include <windows.h>
#include <shellapi.h>

#include <string>

int main() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args || count != 3) return 2;
    const std::wstring address = args[2];
    std::string line(WideCharToMultiByte(CP_UTF8, 0, address.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, address.c_str(), -1, line.data(), static_cast<int>(line.size()), nullptr, nullptr);
    line.back() = '\n';  // in place of the terminating zero
    // Two handlers may end together: each line goes in one appending write.
    HANDLE log = CreateFileW(args[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             0, nullptr);
    LocalFree(args);
    if (log == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const bool ok = WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return ok ? 0 : 1;
}
