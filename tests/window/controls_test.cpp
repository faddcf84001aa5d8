// The window's building blocks on their own: image placement, the bar's clamping, the timer.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/image_placement.h"
#include "app/progress_bar.h"
#include "app/timer_control.h"

namespace {

TEST(ImagePlacement, FitsAndCentresOrScalesDownUniformly) {
    struct Case {
        int imageWidth, imageHeight, clientWidth, clientHeight;
        ImagePlacement expected;
    };
    const Case cases[] = {
        {42, 42, 42, 42, {0, 0, 42, 42}},     // exactly the client area
        {20, 11, 42, 42, {11, 15, 20, 11}},   // smaller: own size, centred, remainder dropped
        {200, 200, 42, 42, {0, 0, 42, 42}},   // the logo: 200 x 0.21 is 42 in double precision
        {200, 100, 42, 42, {0, 10, 42, 21}},  // wider: the width decides
        {100, 200, 42, 42, {10, 0, 21, 42}},  // taller: the height decides
        {30, 200, 42, 42, {18, 0, 6, 42}},    // narrower but taller: centred in its own width
        {200, 30, 42, 42, {0, 18, 42, 6}},
        {200, 200, 46, 40, {3, 0, 40, 40}},   // a client area that is not square
    };
    for (const Case& c : cases) {
        const ImagePlacement p =
            PlaceImage(c.imageWidth, c.imageHeight, c.clientWidth, c.clientHeight);
        EXPECT_EQ(p.x, c.expected.x) << c.imageWidth << "x" << c.imageHeight;
        EXPECT_EQ(p.y, c.expected.y) << c.imageWidth << "x" << c.imageHeight;
        EXPECT_EQ(p.width, c.expected.width) << c.imageWidth << "x" << c.imageHeight;
        EXPECT_EQ(p.height, c.expected.height) << c.imageWidth << "x" << c.imageHeight;
    }
}

// A hidden top-level window to hold the controls under test.
class ParentWindow {
public:
    ParentWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 300, 200, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~ParentWindow() {
        if (window_) DestroyWindow(window_);
    }
    HWND Get() const { return window_; }

private:
    HWND window_;
};

TEST(ProgressBar, HoldsMaximumAndPositionInTheirLimits) {
    ParentWindow parent;
    ProgressBar bar;
    ASSERT_TRUE(bar.Create(parent.Get(), -1, 209, 460, 8, 1));
    const HWND window = bar.Window();
    EXPECT_EQ(SendMessageW(window, PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(SendMessageW(window, PBM_GETRANGE, FALSE, 0), 1000);
    EXPECT_EQ(SendMessageW(window, PBM_GETPOS, 0, 0), 0);

    enum class Write { Maximum, Position };
    struct Step {
        Write write;
        int32_t value;
        LRESULT shownMaximum, shownPosition;
    };
    const Step steps[] = {
        {Write::Position, 500, 1000, 500},
        {Write::Position, -5, 1000, 0},
        {Write::Position, 1000, 1000, 1000},
        {Write::Position, 5000, 1000, 1000},        // above the range: held at the maximum
        {Write::Position, -1294967296, 1000, 0},    // a tick's wrapped low 32 bits
        {Write::Maximum, 1000, 1000, 0},            // unchanged maximum, position untouched
        {Write::Maximum, 40000, 32767, 0},
        {Write::Position, 40000, 32767, 32767},
        {Write::Maximum, 1000, 1000, 1000},
        {Write::Maximum, -3, 0, 0},
        {Write::Position, 7, 0, 0},
        {Write::Maximum, 1000, 1000, 0},
        {Write::Position, 999, 1000, 999},
    };
    int index = 0;
    for (const Step& step : steps) {
        if (step.write == Write::Maximum) {
            bar.SetMaximum(step.value);
        } else {
            bar.SetPosition(step.value);
        }
        EXPECT_EQ(SendMessageW(window, PBM_GETRANGE, TRUE, 0), 0) << "step " << index;
        EXPECT_EQ(SendMessageW(window, PBM_GETRANGE, FALSE, 0), step.shownMaximum)
            << "step " << index;
        EXPECT_EQ(SendMessageW(window, PBM_GETPOS, 0, 0), step.shownPosition) << "step " << index;
        ++index;
    }
}

// Pumps this thread's messages until the condition holds or five seconds pass. While it waits,
// it counts the WM_TIMER messages that reach the window watched.
class Pump {
public:
    explicit Pump(HWND watched) : watched_(watched) {}
    template <typename Condition>
    bool Until(Condition condition) {
        const ULONGLONG deadline = GetTickCount64() + 5000;
        while (!condition()) {
            if (GetTickCount64() > deadline) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_TIMER && message.hwnd == watched_) ++watchedTicks;
                DispatchMessageW(&message);
            }
        }
        return true;
    }
    int watchedTicks = 0;

private:
    HWND watched_;
};

TEST(TimerControl, TicksOnlyWhileItHasAPeriod) {
    int ticks = 0;
    TimerControl timer;
    ParentWindow parent;  // goes first, taking the timer's window with it
    ASSERT_TRUE(timer.Create(parent.Get(), 360, 112, 32, 32, 1, [&] { ++ticks; }));
    EXPECT_FALSE(IsWindowVisible(timer.Window()));
    Pump pump(parent.Get());

    // Stopped at creation: no tick while a reference timer on the parent fires a few times.
    ASSERT_NE(SetTimer(parent.Get(), 7, 10, nullptr), 0u);
    ASSERT_TRUE(pump.Until([&] { return pump.watchedTicks >= 5; }));
    EXPECT_EQ(ticks, 0);

    timer.SetPeriod(10);
    ASSERT_TRUE(pump.Until([&] { return ticks >= 3; }));

    // The same period again keeps the phase: setting 60 ms anew every 10 ms would starve a
    // timer that restarted on each call, while one that keeps its phase goes on ticking.
    timer.SetPeriod(60);
    const int ticksBeforeRepeats = ticks;
    ASSERT_TRUE(pump.Until([&] {
        timer.SetPeriod(60);
        return ticks >= ticksBeforeRepeats + 3;
    }));

    // A negative period stops it like 0.
    timer.SetPeriod(-1);
    const int ticksWhenStopped = ticks;
    pump.watchedTicks = 0;
    ASSERT_TRUE(pump.Until([&] { return pump.watchedTicks >= 5; }));
    EXPECT_EQ(ticks, ticksWhenStopped);

    // Any WM_TIMER of the timer's window is a tick, whatever its id.
    SendMessageW(timer.Window(), WM_TIMER, 5, 0);
    EXPECT_EQ(ticks, ticksWhenStopped + 1);

    // The system timer lives on the timer's own window under the id 1000.
    timer.SetPeriod(100);
    EXPECT_TRUE(KillTimer(timer.Window(), 1000));
    KillTimer(parent.Get(), 7);
}

}  // namespace
