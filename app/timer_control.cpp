#include "app/timer_control.h"

#include "app/window_class.h"

namespace {

// Each timer window owns one system timer; the id is per window, so the two never clash.
constexpr UINT_PTR TimerId = 1000;
constexpr wchar_t ClassName[] = L"Tamsel.Timer";

}  // namespace

TimerControl::~TimerControl() {
    if (window_) DestroyWindow(window_);
}

bool TimerControl::Create(HWND parent, int left, int top, int width, int height, int id,
                          std::function<void()> onTick) {
    if (!RegisterClassOnce(ClassDescription(ClassName, Procedure, 0))) return false;
    onTick_ = std::move(onTick);
    window_ = CreateWindowExW(0, ClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, left, top, width,
                              height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), this);
    if (window_ && period_ > 0) systemTimerSet_ = SetTimer(window_, TimerId, period_, nullptr);
    return window_ != nullptr;
}

void TimerControl::SetPeriod(int32_t milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    if (milliseconds == period_) return;
    period_ = milliseconds;
    if (!window_) return;
    if (systemTimerSet_) KillTimer(window_, TimerId);
    systemTimerSet_ = period_ > 0 && SetTimer(window_, TimerId, period_, nullptr) != 0;
}

LRESULT CALLBACK TimerControl::Procedure(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    TimerControl* timer = OwnerOf<TimerControl>(window, message, lParam);
    switch (message) {
    case WM_TIMER: {
        // Every WM_TIMER of this window is a tick: the id is not compared.
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        if (timer && timer->onTick_) timer->onTick_();
        return result;
    }
    case WM_DESTROY:
        if (timer && timer->systemTimerSet_) {
            KillTimer(window, TimerId);
            timer->systemTimerSet_ = false;
        }
        break;
    case WM_NCDESTROY:
        if (timer) timer->window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
