// The real Tamsel.exe, copied into a folder of the test prefix and started from there, with the
// main window found and a way to wait until the program has handled what was posted to it.
#pragma once

#include <windows.h>

#include <string>

class RunningTamsel {
public:
    // Copies the build's Tamsel.exe into C:\win-tests\<folder> and starts it from there;
    // waits for its window. It inherits this process's ANSI code page.
    explicit RunningTamsel(const std::wstring& folder);
    ~RunningTamsel();
    RunningTamsel(const RunningTamsel&) = delete;
    RunningTamsel& operator=(const RunningTamsel&) = delete;

    HWND Window() const { return window_; }
    const std::wstring& RunDirectory() const { return runDirectory_; }
    DWORD ThreadId() const { return process_.dwThreadId; }
    bool Running() const;
    // The child whose window rectangle, in the main window's client coordinates, is this one.
    HWND ChildAt(int left, int top, int width, int height) const;
    // Returns once every message posted to the window's thread before the call was handled.
    // It pokes the progress bar's position, so read the bar before calling it.
    void Sync();
    // The exit code once the process has ended, or STILL_ACTIVE after 20 seconds.
    DWORD WaitForExit() const;

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    std::wstring runDirectory_;
    int marker_ = 0;
};

// A window's text through the UTF-16 and the ANSI entry points.
std::wstring WindowTextW(HWND window);
std::string WindowTextA(HWND window);
