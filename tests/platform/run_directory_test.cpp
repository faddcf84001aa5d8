// Start-up in a child process, copied where the run directory is hard to get right: a folder
// and a file name whose double-byte characters end in 0x5C under code page 936, and the root
// of drive C:. The child also shows that a DLL planted beside it is not loaded by name.
#include <gtest/gtest.h>

#include <filesystem>

#include "support.h"

namespace {

struct Case {
    const char* name;
    std::wstring exePath;
    std::string runDirectory;   // the bytes the child must report
    std::string currentFolder;  // and the current directory it must have made of it
};

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

TEST(StartUp, FixesTheRunDirectoryAndRefusesPlantedDlls) {
    ScratchFolder folder(L"run-directory");
    const std::wstring start = folder.Path() + L"\\start";  // where the child is started from
    std::filesystem::create_directories(start);
    // 俓 is 82 5C and 乗 is 81 5C in code page 936.
    const std::wstring doubleByteFolder = folder.Path() + L"\\俓乗";
    const std::string doubleByteBytes = folder.AnsiPath() + "\\\x82\x5C\x81\x5C";

    const Case cases[] = {
        {"double-byte folder and name", doubleByteFolder + L"\\乗.exe", doubleByteBytes,
         doubleByteBytes},
        {"drive root", L"C:\\tamsel_run_directory_probe.exe", "C:", "C:\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path exe(c.exePath);
        std::filesystem::create_directories(exe.parent_path());
        std::filesystem::copy_file(HelperPath(L"run_directory_probe.exe"), exe,
                                   std::filesystem::copy_options::overwrite_existing);
        const std::filesystem::path planted = exe.parent_path() / L"tamsel_planted.dll";
        std::filesystem::copy_file(HelperPath(L"tamsel_planted.dll"), planted,
                                   std::filesystem::copy_options::overwrite_existing);

        const std::wstring out = folder.Path() + L"\\report.txt";
        std::filesystem::remove(out);
        ChildProcess child = StartChild(L"\"" + c.exePath + L"\" " + out, start);
        ASSERT_TRUE(child.Started());
        EXPECT_EQ(0u, child.WaitForExit());
        const std::string report = ReadFileBytes(out);
        std::filesystem::remove(exe);
        std::filesystem::remove(planted);

        EXPECT_EQ(Lines({"936", c.runDirectory, c.currentFolder, "0"}), report);
    }
}

}  // namespace
