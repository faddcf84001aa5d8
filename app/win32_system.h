// The System seam on Win32: platform operations go to the platform layer, control operations
// to the main window's controls, and folder sizes to the probe.
#pragma once

#include "platform/system.h"

class MainWindow;

class Win32System final : public System {
public:
    // The window the control operations act on and the owner of message boxes.
    void Attach(MainWindow& window) { window_ = &window; }

    Text GetRunDirectory() override;
    int32_t CreateFolder(const Text& path) override;
    int32_t PathExists(const Text& path) override;
    int32_t WriteBytesToFile(const Text& path, const Bytes& bytes) override;
    int32_t DeleteFilePath(const Text& path) override;
    void ShellOpen(std::optional<int32_t> operation, const Text& file,
                   std::optional<Text> parameters, std::optional<Text> directory,
                   std::optional<int32_t> showMode) override;
    int32_t TerminateProcessByName(const Text& name) override;
    void OpenUrl(const Text& address) override;
    int32_t ShowMessageBox(const UiText& message, int32_t flags, std::optional<UiText> caption,
                           bool ownedByMainWindow) override;
    void DestroyMainWindow() override;
    bool IsWow64() override;
    Text GetWindowsDirectoryPath() override;
    Text GetSystemDirectoryPath() override;

    Text GetLabelText(Control label) override;
    void SetLabelText(Control label, const Text& text) override;
    void SetProgressMaximum(Control bar, int32_t value) override;
    void SetProgressPosition(Control bar, int32_t value) override;
    void SetTimerPeriod(Control timer, int32_t milliseconds) override;

    int64_t GetFolderSize(const Text& path) override;

private:
    MainWindow* window_ = nullptr;
};
