// Registering the program's own window classes, once per process.
#pragma once

#include <windows.h>

// Registers the class unless it is registered already; false only when it cannot be had.
inline bool RegisterClassOnce(const WNDCLASSEXW& windowClass) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing)) return true;
    return RegisterClassExW(&windowClass) != 0;
}

// A plain class description: no icon, no menu, the arrow cursor, no background brush unless
// one is given.
inline WNDCLASSEXW ClassDescription(const wchar_t* name, WNDPROC procedure, UINT style,
                                    HBRUSH background = nullptr) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return windowClass;
}

// The object a window of ours belongs to, stored at WM_NCCREATE from CreateWindowEx's last
// argument, so that the class procedure can hand every later message to it.
template <typename Owner>
Owner* OwnerOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        return owner;
    }
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
