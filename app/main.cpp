// The start routine: platform start-up, the main window and its message loop, shutdown.
#include <windows.h>

#include <float.h>

#include "app/main_window.h"
#include "app/win32_system.h"
#include "drivers/program.h"
#include "platform/operations.h"

namespace {

// The x87 unit's default state, whatever the loader left: every exception masked, the full
// 64-bit significand, rounding to nearest.
void ResetFloatingPoint() {
    _control87(_MCW_EM | _PC_64 | _RC_NEAR, _MCW_EM | _MCW_PC | _MCW_RC);
}

int RunMessageLoop(MainWindow& window) {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);  // WM_QUIT
        if (got == -1) return 0;
        if (window.PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::StartUp();
    ResetFloatingPoint();

    Win32System system;
    Program program(system);
    MainWindow window(program);
    system.Attach(window);
    if (!window.CreateAndShow()) {
        MessageBoxW(nullptr, L"加载启动窗口失败。", L"Tamsel Beta", MB_OK | MB_ICONERROR);
        platform::ShutDown();
        return -1;
    }
    const int exitCode = RunMessageLoop(window);
    platform::ShutDown();
    return exitCode;
}
