// A ProcessBar control: a smooth common-controls progress bar that remembers its own range and
// position, so that a position outside the range is held at its ends before it is sent.
#pragma once

#include <windows.h>

#include <cstdint>

class ProgressBar {
public:
    // Creates the hidden bar with range 0 to 1000 and position 0.
    bool Create(HWND parent, int left, int top, int width, int height, int id);
    // The maximum, held within 0 to 32767; PBM_SETRANGE goes out even when it is unchanged.
    void SetMaximum(int32_t value);
    // The position, held within 0 to 32767 and then within the stored range.
    void SetPosition(int32_t value);

    HWND Window() const { return window_; }

private:
    void SendRange() const;

    HWND window_ = nullptr;
    int32_t minimum_ = 0;
    int32_t maximum_ = 1000;
    int32_t position_ = 0;
};
