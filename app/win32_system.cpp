#include "app/win32_system.h"

#include "app/main_window.h"
#include "platform/folder_size.h"
#include "platform/operations.h"

Text Win32System::GetRunDirectory() { return platform::GetRunDirectory(); }
int32_t Win32System::CreateFolder(const Text& path) { return platform::CreateFolder(path); }
int32_t Win32System::PathExists(const Text& path) { return platform::PathExists(path); }
int32_t Win32System::WriteBytesToFile(const Text& path, const Bytes& bytes) {
    return platform::WriteBytesToFile(path, bytes);
}
int32_t Win32System::DeleteFilePath(const Text& path) { return platform::DeleteFilePath(path); }

void Win32System::ShellOpen(std::optional<int32_t> operation, const Text& file,
                            std::optional<Text> parameters, std::optional<Text> directory,
                            std::optional<int32_t> showMode) {
    platform::ShellOpen(operation, file, std::move(parameters), std::move(directory), showMode);
}

int32_t Win32System::TerminateProcessByName(const Text& name) {
    return platform::TerminateProcessByName(name);
}

void Win32System::OpenUrl(const Text& address) { platform::OpenUrl(address); }

int32_t Win32System::ShowMessageBox(const UiText& message, int32_t flags,
                                    std::optional<UiText> caption, bool ownedByMainWindow) {
    const HWND owner = ownedByMainWindow && window_ ? window_->Handle() : nullptr;
    return platform::ShowMessageBox(message, flags, caption, owner);
}

void Win32System::DestroyMainWindow() {
    if (window_ && window_->Handle()) platform::DestroyMainWindow(window_->Handle());
}

bool Win32System::IsWow64() { return platform::IsWow64(); }
Text Win32System::GetWindowsDirectoryPath() { return platform::GetWindowsDirectoryPath(); }
Text Win32System::GetSystemDirectoryPath() { return platform::GetSystemDirectoryPath(); }

Text Win32System::GetLabelText(Control label) {
    return window_ ? window_->GetLabelText(label) : Text{};
}
void Win32System::SetLabelText(Control label, const Text& text) {
    if (window_) window_->SetLabelText(label, text);
}
void Win32System::SetProgressMaximum(Control bar, int32_t value) {
    if (window_) window_->SetProgressMaximum(bar, value);
}
void Win32System::SetProgressPosition(Control bar, int32_t value) {
    if (window_) window_->SetProgressPosition(bar, value);
}
void Win32System::SetTimerPeriod(Control timer, int32_t milliseconds) {
    if (window_) window_->SetTimerPeriod(timer, milliseconds);
}

int64_t Win32System::GetFolderSize(const Text& path) { return ::GetFolderSize(path); }
