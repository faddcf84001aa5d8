// Driving the real Tamsel.exe from outside, in the test bed's prefix: run folders, the process,
// its window, its message boxes, and what the stand-in DISM recorded.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// Polls until the condition holds or the deadline passes; returns whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds deadline = 20s) {
    const ULONGLONG end = GetTickCount64() + deadline.count();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(10);
    }
}

// Texts.
std::wstring Widen(const std::string& text, UINT codePage = CP_UTF8);
std::string Narrow(const std::wstring& text, UINT codePage);

// Files and folders.
bool Exists(const std::wstring& path);
std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
void CreateFolders(const std::wstring& path);  // with every missing parent
void RemoveTree(const std::wstring& path);     // a file or a folder with all it holds
std::vector<std::wstring> SubfolderNames(const std::wstring& folder);  // sorted
int64_t FolderBytes(const std::wstring& folder);                       // all files below it
// Relative path -> content of every file below the folder.
std::map<std::wstring, std::string> TreeContents(const std::wstring& folder);
void CopyTree(const std::wstring& from, const std::wstring& to);

// The test bed.
inline const wchar_t ScriptPath[] = L"C:\\temp.bat";
inline const wchar_t DriverStorePath[] = L"C:\\Windows\\System32\\DriverStore";
inline const wchar_t RepositoryPath[] = L"C:\\Windows\\System32\\DriverStore\\FileRepository";
std::wstring BuildPath(const std::wstring& relative);  // in the build tree, through drive Z:
std::wstring TamselExePath();
std::vector<std::wstring> SamplePackageNames();
void ResetDriverStore();  // back to the sample packages: restores add new ones

// The stand-in DISM: one record per run, in the order the runs ended.
struct DismRecord {
    int bits = 0;
    int exitCode = -1;
    std::wstring cwd;
    std::wstring commandLine;
    std::vector<std::wstring> args;
};
std::vector<DismRecord> ReadDismLog();
void SetDismPace(uint64_t bytesPerSecond);  // 0: as fast as it can
// Waits for the record of a run that ends after `seen` records were there.
std::optional<DismRecord> WaitForDismRecord(size_t seen, std::chrono::milliseconds deadline = 30s);

// Processes.
class Process {
public:
    Process() = default;
    Process(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process();
    DWORD Id() const { return id_; }
    bool Running() const;
    // The exit code, or nothing when it has not ended by the deadline.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds deadline = 10s);
    void Kill();

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// Starts a program with the test's environment plus the given NAME=value overrides.
Process Start(const std::wstring& program, const std::wstring& arguments, const std::wstring& directory,
              const std::vector<std::wstring>& environment = {}, DWORD flags = 0);

struct ProcessEntry {
    DWORD id;
    DWORD parentId;
    std::wstring exeName;
};
std::vector<ProcessEntry> ListProcesses();
// A command prompt of the user's own, started by us and not by Tamsel.
Process StartUserPrompt();

// A run folder: created (parents too), holding a copy of Tamsel.exe. A drive root ("D:") works.
void PrepareRunFolder(const std::wstring& folder);

// The main window and its controls, found by class and place in the client area.
enum class Control { 按钮1, 按钮2, 按钮3, 进度条1, 图片框1, 标签1 };

struct MessageBoxView {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
};

// A running Tamsel.exe. Whatever a test leaves open is killed at the end.
class Tamsel {
public:
    // Starts runFolder\Tamsel.exe in that folder, with the test's environment plus the given
    // NAME=value overrides (LC_ALL chooses the ANSI code page), and waits for its main window.
    explicit Tamsel(const std::wstring& runFolder, const std::vector<std::wstring>& environment = {});
    ~Tamsel();

    HWND Window() const { return window_; }
    const Process& Proc() const { return process_; }
    HWND Find(Control control) const;
    void Click(Control button) const;  // posted: a modal box must not block the test
    std::optional<MessageBoxView> WaitForMessageBox(std::chrono::milliseconds deadline = 20s) const;
    std::optional<MessageBoxView> OpenMessageBox() const;
    static void PressOk(const MessageBoxView& box);
    int BarPosition() const;
    std::pair<int, int> BarRange() const;

    void Close() const;             // WM_CLOSE
    void PressEscape() const;       // Esc on the focused control
    void SystemMenuClose() const;   // SC_CLOSE
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds deadline = 10s) { return process_.WaitForExit(deadline); }

private:
    Process process_;
    HWND window_ = nullptr;
};

}  // namespace e2e
