// ShellOpen starts a script hidden through the shell and does not wait for it.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/operations.h"
#include "support.h"

namespace {

using namespace platform;

// The script writes its first argument and its working directory, then renames the file so
// that the test never reads it half written.
constexpr char Script[] =
    "@echo %~1^|%CD%> \"%~dp0marker.tmp\"\r\n"
    "@ren \"%~dp0marker.tmp\" marker.txt\r\n";

std::string WaitForMarker(const std::wstring& path) {
    for (int waited = 0; waited < 30000; waited += 20) {
        if (std::filesystem::exists(path)) return ReadFileBytes(path);
        Sleep(20);
    }
    return "(no marker)";
}

TEST(ShellOpen, StartsTheScriptHiddenWithItsArguments) {
    ScratchFolder folder(L"shell");
    const std::wstring workWide = folder.Path() + L"\\work";
    const std::wstring currentWide = folder.Path() + L"\\current";
    std::filesystem::create_directories(workWide);
    std::filesystem::create_directories(currentWide);
    const Text work = folder.AnsiPath() + "\\work";
    const Text current = folder.AnsiPath() + "\\current";
    WriteFileBytes(folder.Path() + L"\\marker.bat", Script);

    // An omitted working directory means the current one, which start-up makes the run directory.
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(currentWide.c_str());
    struct Case {
        const char* name;
        std::optional<Text> parameters;
        std::optional<Text> directory;
        std::string marker;
    } cases[] = {
        {"directory given", std::nullopt, work, "|" + work + "\r\n"},
        {"parameters, no directory", Text("start"), std::nullopt, "start|" + current + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShellOpen(ShellOperationOpen, folder.AnsiPath() + "\\marker.bat", c.parameters, c.directory,
                  ShowModeHide);
        EXPECT_EQ(c.marker, WaitForMarker(folder.Path() + L"\\marker.txt"));
        std::filesystem::remove(folder.Path() + L"\\marker.txt");
    }
    SetCurrentDirectoryW(previous);
}

}  // namespace
