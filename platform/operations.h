// The platform operations on Win32, through the ANSI entry points for every path.
// app/ binds them to the System seam; the handlers never call these directly.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/system.h"

namespace platform {

// Before any window exists: limit DLL loading to the system directories, initialise COM on
// this thread (OleInitialize), fix the run directory and make it the current directory, and
// mark this process so that later only its own interpreters are ever terminated.
void StartUp();
// After the message loop: OleUninitialize when start-up initialised COM.
void ShutDown();

Text GetRunDirectory();
int32_t CreateFolder(const Text& path);
int32_t PathExists(const Text& path);
int32_t WriteBytesToFile(const Text& path, const Bytes& bytes);
int32_t DeleteFilePath(const Text& path);
void ShellOpen(std::optional<int32_t> operation, const Text& file, std::optional<Text> parameters,
               std::optional<Text> directory, std::optional<int32_t> showMode);
int32_t TerminateProcessByName(const Text& name);
void OpenUrl(const Text& address);
// owner: the main window's handle, or nullptr; it is used only while IsWindow(owner).
int32_t ShowMessageBox(const UiText& message, int32_t flags, const std::optional<UiText>& caption,
                       HWND owner);

// The destroy request: DestroyMainWindow marks the window and posts it this message;
// the window's procedure calls TakeDestroyRequest and destroys itself only when it was pending.
inline constexpr UINT DestroyRequestMessage = WM_APP + 101;  // 0x8065
void DestroyMainWindow(HWND window);
bool TakeDestroyRequest(HWND window);

bool IsWow64();
Text GetWindowsDirectoryPath();
Text GetSystemDirectoryPath();

}  // namespace platform
