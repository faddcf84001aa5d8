// The real Tamsel.exe from outside: its frame, its eleven controls, its keys and its ways out.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

#include "running_tamsel.h"

namespace {

constexpr DWORD Child = WS_CHILD | WS_CLIPSIBLINGS;
constexpr DWORD Button = Child | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER |
                         BS_VCENTER | BS_MULTILINE;
constexpr UINT DestroyRequest = 0x8065;

const wchar_t UsageNotes[] =
    L"1.备份驱动的文件会放到软件运行目录。\r\n"
    L"2.备份文件夹名为\u201CMyDrivers\u201D\r\n"
    L"3.进度指示停止则表明备份/还原完成。\r\n"
    L"\r\n"
    L"\r\n"
    L"*如若被拦截请放行。";

struct ExpectedControl {
    const char* name;
    int left, top, width, height;
    const wchar_t* className;  // nullptr: the program's own class, its name is not fixed
    DWORD style;
    DWORD exStyle;
    const wchar_t* caption;    // nullptr: checked on its own
};

const ExpectedControl Controls[] = {
    {"时钟2", 408, 112, 24, 32, nullptr, Child, 0, L""},
    {"时钟1", 360, 112, 32, 32, nullptr, Child, 0, L""},
    {"按钮3", 352, 163, 88, 24, L"Button", Button, 0, L"中断并退出"},
    // The system adds the window edge to a modal-dialog frame.
    {"图片框1", 8, 152, 48, 48, nullptr, Child | WS_VISIBLE,
     WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE, L""},
    {"透明标签3", 65, 163, 88, 11, nullptr, Child | WS_VISIBLE, WS_EX_TRANSPARENT,
     L"For Windows10"},
    {"透明标签2", 24, 24, 248, 72, nullptr, Child | WS_VISIBLE, WS_EX_TRANSPARENT, UsageNotes},
    {"标签1", 224, 5, 184, 8, nullptr, Child, 0, nullptr},
    // The address that a press on the logo opens.
    {"透明标签1", 64, 176, 88, 16, nullptr, Child | WS_VISIBLE, WS_EX_TRANSPARENT,
     L"" TAMSEL_PUBLISHER_URL},
    {"按钮2", 352, 56, 88, 24, L"Button", Button, 0, L"还原驱动"},
    {"按钮1", 352, 24, 88, 24, L"Button", Button, 0, L"备份驱动"},
    {"进度条1", -1, 209, 460, 8, L"msctls_progress32", Child | WS_VISIBLE | PBS_SMOOTH,
     WS_EX_STATICEDGE, L""},
};

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

int ChildCount(HWND window) {
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

std::string AnsiText(const std::wstring& text) {
    char buffer[1024] = {};
    const int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                           buffer, sizeof buffer, nullptr, nullptr);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

HWND Focus(const RunningTamsel& tamsel) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(tamsel.ThreadId(), &info);
    return info.hwndFocus;
}

void PostKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 1 | (3u << 30));
}

TEST(MainWindow, HasItsFixedFrameCentredAtTheExactOuterSize) {
    RunningTamsel tamsel(L"frame");
    const HWND window = tamsel.Window();
    ASSERT_NE(window, nullptr);

    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 463) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 241) / 2);
    EXPECT_EQ(rect.right - rect.left, 463);
    EXPECT_EQ(rect.bottom - rect.top, 241);

    const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const DWORD wanted = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);
    // The system adds the window edge to every captioned window; nothing else may be there.
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());

    EXPECT_EQ(GetClassLongW(window, GCL_STYLE), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
    // A double-click on the title bar does not maximise a window without a maximise box.
    PostMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION,
                 MAKELPARAM(rect.left + 100, rect.top + 8));
    tamsel.Sync();
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_TRUE(EqualRect(&rect, &after));
}

// Run once per ANSI code page (see CMakeLists.txt): the program's own words are UTF-16 and read
// the same under any code page, while the run directory in 标签1 stays an ANSI text. Under 936
// the run directory has Chinese in it, which only a correct ANSI round trip keeps.
std::wstring CaptionsRunFolder() {
    char expected[16] = {};
    if (GetEnvironmentVariableA("TAMSEL_EXPECTED_ACP", expected, sizeof expected) > 0) {
        EXPECT_EQ(GetACP(), static_cast<UINT>(atoi(expected))) << "the locale did not take";
    }
    return GetACP() == 936 ? L"运行-936" : L"run-" + std::to_wstring(GetACP());
}

TEST(Captions, ControlsMatchTheWindowDefinition) {
    RunningTamsel tamsel(CaptionsRunFolder());
    const HWND window = tamsel.Window();
    ASSERT_NE(window, nullptr);

    // Before anything else touches it: the bar starts empty, 0 of 0 to 1000.
    const HWND bar = tamsel.ChildAt(-1, 209, 460, 8);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 1000);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);

    EXPECT_EQ(ChildCount(window), 11);
    for (const ExpectedControl& c : Controls) {
        SCOPED_TRACE(c.name);
        const HWND control = tamsel.ChildAt(c.left, c.top, c.width, c.height);
        ASSERT_NE(control, nullptr);
        if (c.className) {
            EXPECT_EQ(ClassOf(control), c.className);
        }
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)), c.style);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE)), c.exStyle);
        if (c.caption) {
            EXPECT_EQ(WindowTextW(control), c.caption);
        }
    }

    // 标签1, hidden, holds the run directory; read as ANSI it is the directory's ANSI text.
    const HWND label = tamsel.ChildAt(224, 5, 184, 8);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(WindowTextW(label), tamsel.RunDirectory());
    EXPECT_EQ(WindowTextA(label), AnsiText(tamsel.RunDirectory()));
}

// Every way out ends the process with exit code 0.
struct WayOut {
    const char* name;
    void (*act)(RunningTamsel&);
};

class Closing : public testing::TestWithParam<WayOut> {};

TEST_P(Closing, EndsTheProcessWithExitCodeZero) {
    const std::string name = GetParam().name;
    RunningTamsel tamsel(L"close-" + std::wstring(name.begin(), name.end()));
    ASSERT_NE(tamsel.Window(), nullptr);
    GetParam().act(tamsel);
    EXPECT_EQ(tamsel.WaitForExit(), 0u);
}

HWND InterruptButton(RunningTamsel& tamsel) { return tamsel.ChildAt(352, 163, 88, 24); }

INSTANTIATE_TEST_SUITE_P(
    WaysOut, Closing,
    testing::Values(
        WayOut{"Esc", [](RunningTamsel& t) { PostKey(t.Window(), VK_ESCAPE); }},
        WayOut{"CloseButton",
               [](RunningTamsel& t) { PostMessageW(t.Window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        WayOut{"Interrupt",
               [](RunningTamsel& t) { PostMessageW(InterruptButton(t), BM_CLICK, 0, 0); }},
        WayOut{"InterruptTwice",
               [](RunningTamsel& t) {
                   PostMessageW(InterruptButton(t), BM_CLICK, 0, 0);
                   PostMessageW(InterruptButton(t), BM_CLICK, 0, 0);
               }}),
    [](const testing::TestParamInfo<WayOut>& info) { return std::string(info.param.name); });

TEST(MainWindow, UnmarkedDestroyRequestIsIgnored) {
    RunningTamsel tamsel(L"unmarked");
    ASSERT_NE(tamsel.Window(), nullptr);
    PostMessageW(tamsel.Window(), DestroyRequest, 0, 0);
    PostMessageW(tamsel.Window(), DestroyRequest, 0, 0);
    tamsel.Sync();
    EXPECT_TRUE(IsWindow(tamsel.Window()));
    EXPECT_TRUE(tamsel.Running());
}

// Tab walks down the three buttons and round again; Enter clicks nothing, not even the
// interrupt button with the focus on it; Space clicks the focused button.
TEST(MainWindow, TabMovesAmongTheButtonsEnterDoesNothingSpaceClicks) {
    RunningTamsel tamsel(L"keys");
    const HWND window = tamsel.Window();
    ASSERT_NE(window, nullptr);
    const HWND buttons[] = {tamsel.ChildAt(352, 24, 88, 24), tamsel.ChildAt(352, 56, 88, 24),
                            tamsel.ChildAt(352, 163, 88, 24)};

    // The first button takes the focus when the window is activated, which may come a little
    // after the window is shown: start from wherever the focus has settled.
    const HWND* start = std::end(buttons);
    for (ULONGLONG deadline = GetTickCount64() + 5000; GetTickCount64() < deadline; Sleep(10)) {
        tamsel.Sync();
        start = std::find(std::begin(buttons), std::end(buttons), Focus(tamsel));
        if (start != std::end(buttons)) break;
    }
    ASSERT_NE(start, std::end(buttons)) << "no button took the focus";
    size_t index = static_cast<size_t>(start - buttons);
    for (int step = 0; step < 4; ++step) {
        const HWND focus = Focus(tamsel);
        PostKey(focus ? focus : window, VK_TAB);
        tamsel.Sync();
        index = (index + 1) % 3;
        EXPECT_EQ(Focus(tamsel), buttons[index]) << "after Tab " << step + 1;
    }
    for (int step = 0; step < 3 && Focus(tamsel) != buttons[2]; ++step) {
        PostKey(buttons[index], VK_TAB);
        tamsel.Sync();
        index = (index + 1) % 3;
    }
    ASSERT_EQ(Focus(tamsel), buttons[2]);

    PostKey(buttons[2], VK_RETURN);
    tamsel.Sync();
    tamsel.Sync();  // a click would have posted its destroy request before this second marker
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(Focus(tamsel), buttons[2]);

    PostKey(buttons[2], VK_SPACE);
    EXPECT_EQ(tamsel.WaitForExit(), 0u);
}

}  // namespace
