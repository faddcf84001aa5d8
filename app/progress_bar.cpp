#include "app/progress_bar.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// A bar's range and position travel in 16-bit halves of the message arguments.
constexpr int32_t Limit = 32767;

int32_t HeldInLimits(int32_t value) { return std::clamp<int32_t>(value, 0, Limit); }

}  // namespace

bool ProgressBar::Create(HWND parent, int left, int top, int width, int height, int id) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    window_ = CreateWindowExW(WS_EX_STATICEDGE, PROGRESS_CLASSW, L"",
                              WS_CHILD | WS_CLIPSIBLINGS | PBS_SMOOTH, left, top, width, height,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) return false;
    SendRange();
    SendMessageW(window_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    return true;
}

void ProgressBar::SetMaximum(int32_t value) {
    maximum_ = HeldInLimits(value);
    SendRange();
}

void ProgressBar::SetPosition(int32_t value) {
    position_ = HeldInLimits(value);
    const int32_t shown = std::clamp(position_, std::min(minimum_, maximum_),
                                     std::max(minimum_, maximum_));
    if (window_) SendMessageW(window_, PBM_SETPOS, static_cast<WPARAM>(shown), 0);
}

void ProgressBar::SendRange() const {
    if (!window_) return;
    const int32_t low = std::min(minimum_, maximum_);
    const int32_t high = std::max(minimum_, maximum_);
    SendMessageW(window_, PBM_SETRANGE, 0, MAKELPARAM(low, high));
}
