// The demo's story, told by driving the real Tamsel.exe from outside in the test bed:
// back up the sample driver store into C:\Tamsel\MyDrivers, then restore it, taking
// screenshots of the window on the way, and end with one summary line.
//
// Usage: demo_driver OUTPUT_FOLDER   (Windows path; screenshots are written there as .bmp)
#include <windows.h>

#include <cstdio>
#include <string>

#include "../../tests/e2e/harness.h"

using namespace e2e;

namespace {

const std::wstring RunFolder = L"C:\\Tamsel";
const std::wstring BackupFolder = RunFolder + L"\\MyDrivers";
std::wstring output;

// The window as it is on the screen, as the bytes of a 24-bit bitmap file.
std::string Capture(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();

    const DWORD stride = ((width * 3 + 3) / 4) * 4, size = stride * height;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + size;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), size);

    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bytes;
}

// Painting is not something we can wait on, so we wait until two captures a tenth of a
// second apart show the same picture.
void Screenshot(HWND window, const wchar_t* name) {
    std::string previous, current = Capture(window);
    WaitUntil([&] {
        Sleep(100);
        previous.swap(current);
        current = Capture(window);
        return current == previous;
    }, 5s);
    WriteBytes(output + L"\\" + name + L".bmp", current);
}

// The bar has stood still for two seconds: twenty ticks that changed nothing.
bool BarSettles(const Tamsel& tamsel, std::chrono::milliseconds deadline) {
    int last = -1;
    ULONGLONG stillSince = GetTickCount64();
    return WaitUntil([&] {
        const int now = tamsel.BarPosition();
        if (now != last) { last = now; stillSince = GetTickCount64(); }
        return GetTickCount64() - stillSince >= 2000;
    }, deadline);
}

// The driver store stops growing once DISM has added what it found.
bool StoreSettles(std::chrono::milliseconds deadline) {
    int64_t last = -1;
    ULONGLONG stillSince = GetTickCount64();
    return WaitUntil([&] {
        const int64_t now = FolderBytes(DriverStorePath);
        if (now != last) { last = now; stillSince = GetTickCount64(); }
        return GetTickCount64() - stillSince >= 2000;
    }, deadline);
}

size_t FileCount(const std::wstring& folder) { return TreeContents(folder).size(); }

bool Fail(const char* what) {
    std::printf("demo: %s\n", what);
    return false;
}

bool Story() {
    ResetDriverStore();
    RemoveTree(BackupFolder);
    DeleteFileW(ScriptPath);
    PrepareRunFolder(RunFolder);
    SetDismPace(6 * 1024 * 1024);  // the sample store takes a few seconds, so the bar visibly rises

    Tamsel tamsel(RunFolder);
    if (!tamsel.Window()) return Fail("the window did not appear");
    Screenshot(tamsel.Window(), L"1-window");  // scripts/demo keeps it as window.png

    // Backup: the notice first; the export starts once it is closed.
    tamsel.Click(Control::按钮1);
    auto box = tamsel.WaitForMessageBox();
    if (!box) return Fail("no notice after the backup click");
    Screenshot(box->window, L"2-backup-notice");
    const size_t dismRuns = ReadDismLog().size();
    Tamsel::PressOk(*box);
    if (!WaitUntil([&] { return tamsel.BarPosition() > 250; }, 60s)) return Fail("the bar did not rise");
    Screenshot(tamsel.Window(), L"3-backup-running");
    if (!WaitForDismRecord(dismRuns, 120s)) return Fail("DISM did not finish the export");
    if (!BarSettles(tamsel, 30s)) return Fail("the bar did not stop");
    Screenshot(tamsel.Window(), L"4-backup-done");
    const size_t exportedFiles = FileCount(BackupFolder);
    const int64_t exportedBytes = FolderBytes(BackupFolder);
    const int backupBar = tamsel.BarPosition();

    // Restore: the script is written, the notice shown, and DISM starts once it is closed.
    const size_t storeFiles = FileCount(DriverStorePath);
    tamsel.Click(Control::按钮2);
    box = tamsel.WaitForMessageBox();
    if (!box) return Fail("no notice after the restore click");
    Tamsel::PressOk(*box);
    if (!WaitForDismRecord(dismRuns + 1, 120s)) return Fail("DISM did not finish adding the drivers");
    if (!StoreSettles(30s)) return Fail("the driver store did not stop growing");
    Screenshot(tamsel.Window(), L"5-restore-done");
    const size_t addedFiles = FileCount(DriverStorePath) - storeFiles;
    const int restoreBar = tamsel.BarPosition();

    tamsel.PressEscape();
    const auto exitCode = tamsel.WaitForExit(10s);
    ResetDriverStore();
    SetDismPace(0);
    std::printf("demo: exported %zu files (%lld bytes) into C:\\Tamsel\\MyDrivers; the bar stopped at %d of 1000 "
                "after the backup and at %d after the restore; the restore added %zu files to the driver "
                "store; Tamsel ended with exit code %ld\n",
                exportedFiles, static_cast<long long>(exportedBytes), backupBar, restoreBar, addedFiles,
                exitCode ? static_cast<long>(*exitCode) : -1L);
    return exitCode && *exitCode == 0 && exportedFiles > 0 && addedFiles > 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: demo_driver OUTPUT_FOLDER\n");
        return 2;
    }
    output = argv[1];
    CreateFolders(output);
    return Story() ? 0 : 1;
}
