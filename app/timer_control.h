// A Timer control: a hidden child window that owns one system timer and shows nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

class TimerControl {
public:
    TimerControl() = default;
    TimerControl(const TimerControl&) = delete;
    TimerControl& operator=(const TimerControl&) = delete;
    // The window goes with its owner at the latest, so that it never calls back into nothing.
    ~TimerControl();

    // Creates the hidden child window with period 0 (stopped); onTick runs at every expiry.
    bool Create(HWND parent, int left, int top, int width, int height, int id,
                std::function<void()> onTick);
    // A negative period counts as 0 (stopped). The same period again changes nothing, so a
    // running timer keeps its phase.
    void SetPeriod(int32_t milliseconds);

    HWND Window() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    int32_t period_ = 0;
    bool systemTimerSet_ = false;
    std::function<void()> onTick_;
};
