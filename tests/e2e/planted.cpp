// Planted beside Tamsel.exe as dism.exe and cmd.exe: if anything ever runs it in place of the
// system's own, it leaves its path in C:\testbed\planted.log.
#include <windows.h>

int main() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    HANDLE log = CreateFileW(L"C:\\testbed\\planted.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(log, path, length * sizeof(wchar_t), &written, nullptr);
    CloseHandle(log);
    return 0;
}
