// A System that records every call, with its arguments, as one readable line in order, and
// answers from scripted values. Nothing here touches Windows.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/system.h"

inline std::string ControlName(Control control) {
    switch (control) {
        case Control::时钟2: return "时钟2";
        case Control::时钟1: return "时钟1";
        case Control::按钮3: return "按钮3";
        case Control::图片框1: return "图片框1";
        case Control::透明标签3: return "透明标签3";
        case Control::透明标签2: return "透明标签2";
        case Control::标签1: return "标签1";
        case Control::透明标签1: return "透明标签1";
        case Control::按钮2: return "按钮2";
        case Control::按钮1: return "按钮1";
        case Control::进度条1: return "进度条1";
    }
    return "?";
}

// UTF-16 to UTF-8, so that the program's own words can sit in the same lines as the paths.
inline std::string Utf8(const UiText& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = static_cast<uint16_t>(text[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<uint16_t>(text[++i]) - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

class FakeSystem : public System {
public:
    // What the fake answers.
    Text runDirectory = "C:\\Tamsel";
    Text windowsDirectory = "C:\\Windows";
    Text systemDirectory = "C:\\Windows\\system32";
    bool wow64 = false;
    bool writeSucceeds = true;
    std::map<Text, int64_t> folderSizes;  // a path not listed measures 0
    std::set<Text> existingPaths;
    std::map<Control, Text> labels;
    // Runs while a message box is "open", as the box's modal loop runs timer ticks.
    std::function<void()> whileBoxOpen;

    // What the fake saw.
    std::vector<std::string> calls;
    std::map<Text, Bytes> files;

    Text GetRunDirectory() override {
        Record("GetRunDirectory()");
        return runDirectory;
    }
    int32_t CreateFolder(const Text& path) override {
        Record("CreateFolder(" + path + ")");
        return 1;
    }
    int32_t PathExists(const Text& path) override {
        Record("PathExists(" + path + ")");
        return existingPaths.count(path) ? 1 : 0;
    }
    int32_t WriteBytesToFile(const Text& path, const Bytes& bytes) override {
        Record("WriteBytesToFile(" + path + ", " + bytes + ")");
        if (!writeSucceeds) return 0;
        files[path] = bytes;
        return 1;
    }
    int32_t DeleteFilePath(const Text& path) override {
        Record("DeleteFilePath(" + path + ")");
        return files.erase(path) ? 1 : 0;
    }
    void ShellOpen(std::optional<int32_t> operation, const Text& file, std::optional<Text> parameters,
                   std::optional<Text> directory, std::optional<int32_t> showMode) override {
        Record("ShellOpen(" + Optional(operation) + ", " + file + ", " + Optional(parameters) + ", " +
               Optional(directory) + ", " + Optional(showMode) + ")");
    }
    int32_t TerminateProcessByName(const Text& name) override {
        Record("TerminateProcessByName(" + name + ")");
        return 0;
    }
    void OpenUrl(const Text& address) override { Record("OpenUrl(" + address + ")"); }
    int32_t ShowMessageBox(const UiText& message, int32_t flags, std::optional<UiText> caption,
                           bool ownedByMainWindow) override {
        Record("ShowMessageBox(" + Utf8(message) + ", " + std::to_string(flags) + ", " +
               (caption ? Utf8(*caption) : std::string("none")) + ", " +
               (ownedByMainWindow ? "owned" : "no owner") + ")");
        if (whileBoxOpen) whileBoxOpen();
        return 1;  // IDOK
    }
    void DestroyMainWindow() override { Record("DestroyMainWindow()"); }
    bool IsWow64() override {
        Record("IsWow64()");
        return wow64;
    }
    Text GetWindowsDirectoryPath() override {
        Record("GetWindowsDirectoryPath()");
        return windowsDirectory;
    }
    Text GetSystemDirectoryPath() override {
        Record("GetSystemDirectoryPath()");
        return systemDirectory;
    }
    Text GetLabelText(Control label) override {
        Record("GetLabelText(" + ControlName(label) + ")");
        return labels[label];
    }
    void SetLabelText(Control label, const Text& text) override {
        Record("SetLabelText(" + ControlName(label) + ", " + text + ")");
        labels[label] = text;
    }
    void SetProgressMaximum(Control bar, int32_t value) override {
        Record("SetProgressMaximum(" + ControlName(bar) + ", " + std::to_string(value) + ")");
    }
    void SetProgressPosition(Control bar, int32_t value) override {
        Record("SetProgressPosition(" + ControlName(bar) + ", " + std::to_string(value) + ")");
    }
    void SetTimerPeriod(Control timer, int32_t milliseconds) override {
        Record("SetTimerPeriod(" + ControlName(timer) + ", " + std::to_string(milliseconds) + ")");
    }
    int64_t GetFolderSize(const Text& path) override {
        Record("GetFolderSize(" + path + ")");
        auto found = folderSizes.find(path);
        return found == folderSizes.end() ? 0 : found->second;
    }

private:
    void Record(std::string line) { calls.push_back(std::move(line)); }
    static std::string Optional(const std::optional<int32_t>& value) {
        return value ? std::to_string(*value) : "none";
    }
    static std::string Optional(const std::optional<Text>& value) { return value ? *value : "none"; }
};
