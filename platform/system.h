// The one seam between the program's logic and Windows.
//
// Every handler reaches the system through this interface only: the platform operations, the
// operations on the window's controls, and the folder-size probe. The real program hands the
// handlers a Win32 implementation; logic tests hand them a recording fake. This header must
// stay free of <windows.h> so that drivers/ and shutdown/ compile without it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A text is a run of bytes in the system's ANSI code page (paths, captions, command lines).
// An empty text and a missing text are the same thing.
using Text = std::string;
// A counted byte sequence without terminator.
using Bytes = std::string;
// The program's own words (captions, notes, message boxes). They are kept in UTF-16 so that
// they read correctly whatever the system's ANSI code page is.
using UiText = std::wstring;

// The controls of the main window, named as in the window definition.
enum class Control {
    时钟2,
    时钟1,
    按钮3,
    图片框1,
    透明标签3,
    透明标签2,
    标签1,
    透明标签1,
    按钮2,
    按钮1,
    进度条1,
};

// Message-box flags the program passes.
inline constexpr int32_t MessageBoxPlain = 0;              // MB_OK
inline constexpr int32_t MessageBoxInformation = 64;       // MB_ICONINFORMATION

// ShellOpen's operation numbers and show modes that the program uses.
inline constexpr int32_t ShellOperationOpen = 4;
inline constexpr int32_t ShowModeHide = 1;

class System {
public:
    virtual ~System() = default;

    // Platform operations.
    virtual Text GetRunDirectory() = 0;
    virtual int32_t CreateFolder(const Text& path) = 0;
    virtual int32_t PathExists(const Text& path) = 0;
    virtual int32_t WriteBytesToFile(const Text& path, const Bytes& bytes) = 0;
    virtual int32_t DeleteFilePath(const Text& path) = 0;
    virtual void ShellOpen(std::optional<int32_t> operation, const Text& file,
                           std::optional<Text> parameters, std::optional<Text> directory,
                           std::optional<int32_t> showMode) = 0;
    // Ends at most one process of that name, and only one that this program started,
    // directly or through its own interpreters.
    virtual int32_t TerminateProcessByName(const Text& name) = 0;
    virtual void OpenUrl(const Text& address) = 0;
    // ownedByMainWindow: the main window is the owner while it is still a window.
    // No caption gives the default caption "信息：". Returns a MessageBoxResult.
    virtual int32_t ShowMessageBox(const UiText& message, int32_t flags,
                                   std::optional<UiText> caption, bool ownedByMainWindow) = 0;
    virtual void DestroyMainWindow() = 0;

    // What the launch of the script needs to know about the system it runs on.
    virtual bool IsWow64() = 0;                  // a 32-bit program on 64-bit Windows
    virtual Text GetWindowsDirectoryPath() = 0;  // e.g. C:\Windows
    virtual Text GetSystemDirectoryPath() = 0;   // e.g. C:\Windows\system32

    // Control operations.
    virtual Text GetLabelText(Control label) = 0;
    virtual void SetLabelText(Control label, const Text& text) = 0;
    virtual void SetProgressMaximum(Control bar, int32_t value) = 0;
    virtual void SetProgressPosition(Control bar, int32_t value) = 0;
    virtual void SetTimerPeriod(Control timer, int32_t milliseconds) = 0;

    // The folder-size probe: total bytes below the folder, 0 on any failure.
    virtual int64_t GetFolderSize(const Text& path) = 0;
};
