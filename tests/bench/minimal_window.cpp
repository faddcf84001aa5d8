// The yardstick for Tamsel's start-up: a window with the same eleven controls and nothing
// else (no COM, no job, no image decoding, no resources beyond the controls themselves).
#include <windows.h>
#include <commctrl.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

struct ControlRow {
    const wchar_t* className;
    const wchar_t* caption;
    int left, top, width, height;
    DWORD style;
    bool visible;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX common{};
    common.dwSize = sizeof common;
    common.dwICC = ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&common);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"MinimalWindow";
    RegisterClassW(&windowClass);

    const int left = (GetSystemMetrics(SM_CXSCREEN) - 463) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - 241) / 2;
    HWND window = CreateWindowExW(0, L"MinimalWindow", L"Minimal",
                                  WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                  left, top, 463, 241, nullptr, nullptr, instance, nullptr);
    if (!window) return -1;

    const DWORD button = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE | WS_TABSTOP;
    const ControlRow rows[] = {
        {L"STATIC", L"", 408, 112, 24, 32, 0, false},
        {L"STATIC", L"", 360, 112, 32, 32, 0, false},
        {L"BUTTON", L"中断并退出", 352, 163, 88, 24, button, true},
        {L"STATIC", L"", 8, 152, 48, 48, 0, true},
        {L"STATIC", L"For Windows10", 65, 163, 88, 11, 0, true},
        {L"STATIC", L"1.\r\n2.\r\n3.\r\n\r\n\r\n*", 24, 24, 248, 72, 0, true},
        {L"STATIC", L"标签", 224, 5, 184, 8, 0, false},
        {L"STATIC", L"https://", 64, 176, 88, 16, 0, true},
        {L"BUTTON", L"还原驱动", 352, 56, 88, 24, button, true},
        {L"BUTTON", L"备份驱动", 352, 24, 88, 24, button, true},
        {PROGRESS_CLASSW, L"", -1, 209, 460, 8, PBS_SMOOTH, true},
    };
    for (const ControlRow& row : rows) {
        HWND control = CreateWindowExW(0, row.className, row.caption,
                                       WS_CHILD | WS_CLIPSIBLINGS | row.style, row.left, row.top,
                                       row.width, row.height, window, nullptr, instance, nullptr);
        if (row.visible) ShowWindow(control, SW_SHOWNA);
    }
    ShowWindow(window, SW_SHOW);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
