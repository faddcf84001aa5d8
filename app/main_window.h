// The main window: its frame, its eleven controls, the event table's dispatch, the keyboard
// rules and the lifecycle from creation to the end of the message loop.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/event_table.h"
#include "app/picture_box.h"
#include "app/progress_bar.h"
#include "app/timer_control.h"
#include "drivers/program.h"

class MainWindow {
public:
    explicit MainWindow(Program& program) : program_(program) {}
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls, raises the created event and shows the window.
    // On failure nothing is left behind and no handler has run.
    bool CreateAndShow();
    // The main window's look at every message before it is translated and dispatched: the
    // keyboard rules and the press on the logo. True when the message goes no further.
    bool PreTranslate(const MSG& message);

    HWND Handle() const { return window_; }
    HWND ControlWindow(Control control) const;

    // The control operations behind the System seam.
    Text GetLabelText(Control label) const;
    void SetLabelText(Control label, const Text& text);
    void SetProgressMaximum(Control bar, int32_t value);
    void SetProgressPosition(Control bar, int32_t value);
    void SetTimerPeriod(Control timer, int32_t milliseconds);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateControls();
    void FixOuterSize();
    TimerControl* TimerOf(Control control);
    std::optional<Control> ControlOf(HWND window) const;
    // Runs the handlers bound to (source, event) while the window's events are live.
    void Raise(std::optional<Control> source, Event event);
    void Dispatch(std::optional<Control> source, Event event);
    void MoveFocus(bool backwards);
    void RestoreFocus();

    Program& program_;
    HWND window_ = nullptr;
    std::array<HWND, 11> controls_{};
    TimerControl 时钟1_;
    TimerControl 时钟2_;
    ProgressBar 进度条1_;
    PictureBox 图片框1_;
    std::vector<HWND> tabOrder_;  // the buttons, top to bottom
    HWND lastFocus_ = nullptr;
    // From the created event until the will-be-destroyed event: no handler runs outside.
    bool eventsLive_ = false;
    // Only a window that was fully created ends the message loop when it goes.
    bool quitWhenGone_ = false;
};
