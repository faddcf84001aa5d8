// Message boxes that let the window's timer tick, and the posted destroy request.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/operations.h"

namespace {

using namespace platform;

HWND CreateTopLevelWindow(const wchar_t* title) {
    return CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                           120, nullptr, nullptr, nullptr, nullptr);
}

BOOL CALLBACK KeepIfBox(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// A message box that the thread shows: the dialog class "#32770".
HWND FindBoxOfThread(DWORD threadId) {
    HWND box = nullptr;
    EnumThreadWindows(threadId, KeepIfBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// What the window's timer saw of the box while it was open; the third tick closes the box.
struct BoxWatch {
    HWND timerWindow = nullptr;
    WORD closeWith = IDOK;
    int ticks = 0;
    bool seen = false;
    std::wstring caption;
    std::wstring message;
    HWND owner = nullptr;
    bool timerWindowEnabled = true;
};
BoxWatch* watch = nullptr;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (++watch->ticks < 3 || watch->seen) return;
    HWND box = FindBoxOfThread(GetCurrentThreadId());
    if (!box) return;
    watch->seen = true;
    watch->caption = TextOf(box);
    watch->message = TextOf(GetDlgItem(box, 0xFFFF));
    watch->owner = GetWindow(box, GW_OWNER);
    watch->timerWindowEnabled = IsWindowEnabled(watch->timerWindow) != FALSE;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(watch->closeWith, BN_CLICKED), 0);
}

TEST(ShowMessageBox, TimersTickWhileItIsOpen) {
    enum class Owner { TimerWindow, Gone, None };
    struct Case {
        const char* name;
        int32_t flags;
        std::optional<UiText> caption;
        Owner owner;
        WORD closeWith;
        const wchar_t* shownCaption;
        bool ownedByTimerWindow;
        bool timerWindowEnabled;  // task-modal disables the thread's windows, owner or not
        int32_t result;
    } cases[] = {
        {"owned, default caption", MB_ICONINFORMATION, std::nullopt, Owner::TimerWindow, IDOK,
         L"信息：", true, false, 0},
        {"owner gone", 0, UiText(L"错误"), Owner::Gone, IDOK, L"错误", false, false, 0},
        {"system-modal as asked", MB_SYSTEMMODAL, std::nullopt, Owner::None, IDOK, L"信息：",
         false, true, 0},
        {"answer No", MB_YESNO, std::nullopt, Owner::None, IDNO, L"信息：", false, false, 6},
    };
    const DWORD uiThread = GetCurrentThreadId();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoxWatch seen;
        watch = &seen;
        seen.closeWith = c.closeWith;
        seen.timerWindow = CreateTopLevelWindow(L"Tamsel Beta");
        ASSERT_NE(nullptr, seen.timerWindow);
        ASSERT_NE(0u, SetTimer(seen.timerWindow, 1, 20, OnTick));
        HWND owner = nullptr;
        if (c.owner == Owner::TimerWindow) owner = seen.timerWindow;
        if (c.owner == Owner::Gone) {
            owner = CreateTopLevelWindow(L"gone");
            DestroyWindow(owner);
        }

        // Should the timer never tick, this closes the box after a deadline so the test ends.
        HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::atomic<bool> rescued{false};
        std::thread rescuer([&] {
            if (WaitForSingleObject(done, 20000) == WAIT_OBJECT_0) return;
            rescued = true;
            if (HWND box = FindBoxOfThread(uiThread))
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(c.closeWith, BN_CLICKED), 0);
        });
        const int32_t result = ShowMessageBox(L"备份驱动的文件会放到软件运行目录。", c.flags,
                                              c.caption, owner);
        SetEvent(done);
        rescuer.join();
        CloseHandle(done);
        KillTimer(seen.timerWindow, 1);
        DestroyWindow(seen.timerWindow);

        EXPECT_FALSE(rescued) << "the timer did not tick while the box was open";
        ASSERT_TRUE(seen.seen);
        EXPECT_EQ(c.shownCaption, seen.caption);
        EXPECT_EQ(L"备份驱动的文件会放到软件运行目录。", seen.message);
        EXPECT_EQ(c.ownedByTimerWindow ? seen.timerWindow : nullptr, seen.owner);
        EXPECT_EQ(c.timerWindowEnabled, seen.timerWindowEnabled);
        EXPECT_EQ(c.result, result);
    }
    watch = nullptr;
}

std::vector<bool>* taken = nullptr;

LRESULT CALLBACK RequestTaker(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == DestroyRequestMessage) {
        taken->push_back(TakeDestroyRequest(window));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void DispatchQueued() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

TEST(DestroyMainWindow, PostsARequestThatIsTakenOnce) {
    std::vector<bool> results;
    taken = &results;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RequestTaker;
    windowClass.lpszClassName = L"TamselRequestTaker";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"TamselRequestTaker", L"Tamsel Beta", WS_OVERLAPPEDWINDOW, 0,
                                  0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(TakeDestroyRequest(window));

    DestroyMainWindow(window);
    DestroyMainWindow(window);
    // The caller goes on with its window in place: nothing has been handled yet.
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(results.empty());
    DispatchQueued();
    EXPECT_EQ((std::vector<bool>{true, false}), results);

    DestroyMainWindow(window);  // a later request is pending again
    DispatchQueued();
    EXPECT_EQ((std::vector<bool>{true, false, true}), results);

    DestroyMainWindow(window);  // the window goes first: the request finds nobody
    DestroyWindow(window);
    DispatchQueued();
    EXPECT_EQ(3u, results.size());
    taken = nullptr;
}

}  // namespace
