#include "tests/leaving/ways_out.h"

#include <set>

namespace e2e {
namespace {

bool SendAll(std::vector<INPUT> inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// Bounded: a window that hangs must fail the test, not stall it.
LRESULT HitTest(HWND window, int x, int y) {
    DWORD_PTR result = HTNOWHERE;
    SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

bool BringToFront(HWND window) {
    SetForegroundWindow(window);
    return WaitUntil([&] { return GetForegroundWindow() == window; }, 5s);
}

}  // namespace

bool ClickCloseButton(HWND window) {
    // The button is wherever the window's own hit test says it is, whatever the frame looks like.
    RECT frame{};
    GetWindowRect(window, &frame);
    POINT target{};
    bool found = false;
    for (int y = frame.top; y < frame.bottom && !found; ++y)
        for (int x = frame.right - 1; x >= frame.left && !found; --x)
            if (HitTest(window, x, y) == HTCLOSE) {
                target = {x - 2, y + 2};
                found = HitTest(window, target.x, target.y) == HTCLOSE;
            }
    if (!found || !BringToFront(window) || WindowFromPoint(target) != window) return false;
    SetCursorPos(target.x, target.y);
    INPUT down{}, up{};
    down.type = up.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendAll({down, up});
}

bool PressAltF4(HWND window) {
    if (!BringToFront(window)) return false;
    std::vector<INPUT> keys(4);
    for (auto& key : keys) key.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_MENU;
    keys[1].ki.wVk = VK_F4;
    keys[2].ki.wVk = VK_F4;
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_MENU;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendAll(keys);
}

std::vector<ProcessEntry> Descendants(DWORD root) {
    const auto processes = ListProcesses();
    std::set<DWORD> family{root};
    std::vector<ProcessEntry> found;
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& process : processes)
            if (family.count(process.parentId) && family.insert(process.id).second) {
                found.push_back(process);
                grew = true;
            }
    }
    return found;
}

Process OpenForKill(DWORD id) {
    return Process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id), id);
}

}  // namespace e2e
