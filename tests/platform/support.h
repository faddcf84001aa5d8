// What the platform tests share: scratch folders on drive C:, helper programs beside the test
// executable, child processes that never outlive a test.
#pragma once

#include <windows.h>

#include <string>

#include "platform/unique_handle.h"

// A fresh folder C:\tamsel-platform-tests\<name>, removed with everything in it at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    // The path in the ANSI code page; the tests keep these names ASCII.
    std::string AnsiPath() const { return std::string(path_.begin(), path_.end()); }

private:
    std::wstring path_;
};

// The full path of a program built beside this test executable.
std::wstring HelperPath(const std::wstring& fileName);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// A started process, ended when the test is done with it if it is still running.
class ChildProcess {
public:
    explicit ChildProcess(HANDLE process) : process_(process) {}
    ChildProcess(ChildProcess&&) = default;
    ~ChildProcess();

    bool Started() const { return static_cast<bool>(process_); }
    bool Running() const;
    // Waits for its end up to the deadline; its exit code, or STILL_ACTIVE when it did not end.
    DWORD WaitForExit(DWORD deadlineMs = 30000) const;

private:
    platform::KernelHandle process_;
};

// Starts a command line, from the given folder or from ours. The child inherits our environment,
// and under Wine its ANSI code page follows from ours.
ChildProcess StartChild(const std::wstring& commandLine, const std::wstring& directory = L"");
