// Folders and files on a real file system.
#include <gtest/gtest.h>

#include "platform/operations.h"
#include "support.h"

namespace {

using namespace platform;

TEST(WriteBytesToFile, LeavesExactlyTheNewBytes) {
    ScratchFolder folder(L"write");
    struct Case {
        const char* name;
        const char* before;  // nullptr: no file yet
        Bytes bytes;
    } cases[] = {
        {"longer.bat", "an old script, much longer than the new one", "new"},
        {"empty.bat", "old", ""},
        {"fresh.bat", nullptr, Bytes("dism \0 /x\r\n", 11)},  // counted, not zero-terminated
    };
    for (const Case& c : cases) {
        const std::wstring wide(c.name, c.name + strlen(c.name));
        if (c.before) WriteFileBytes(folder.Path() + L"\\" + wide, c.before);
        EXPECT_EQ(1, WriteBytesToFile(folder.AnsiPath() + "\\" + c.name, c.bytes)) << c.name;
        EXPECT_EQ(c.bytes, ReadFileBytes(folder.Path() + L"\\" + wide)) << c.name;
    }
}

TEST(WriteBytesToFile, FailsWithoutAPlaceToWrite) {
    ScratchFolder folder(L"write-fail");
    EXPECT_EQ(0, WriteBytesToFile("", "x"));
    EXPECT_EQ(0, WriteBytesToFile(folder.AnsiPath() + "\\missing\\temp.bat", "x"));
    EXPECT_EQ(0, WriteBytesToFile(folder.AnsiPath(), "x"));  // a folder, not a file
    EXPECT_EQ(0, PathExists(folder.AnsiPath() + "\\missing"));
}

TEST(FoldersAndPaths, CreateProbeAndDelete) {
    ScratchFolder folder(L"folders");
    const Text backup = folder.AnsiPath() + "\\MyDrivers";
    const Text file = folder.AnsiPath() + "\\temp.bat";
    WriteFileBytes(folder.Path() + L"\\temp.bat", "x");

    EXPECT_EQ(0, PathExists(backup));
    EXPECT_NE(0, CreateFolder(backup));
    EXPECT_EQ(0, CreateFolder(backup));  // exists already
    EXPECT_EQ(0, CreateFolder(file));    // a file holds the name
    EXPECT_EQ(0, CreateFolder(folder.AnsiPath() + "\\no\\such"));  // one level only

    EXPECT_EQ(1, PathExists(backup));
    EXPECT_EQ(1, PathExists(file));
    EXPECT_EQ(0, PathExists(""));

    EXPECT_NE(0, DeleteFilePath(file));
    EXPECT_EQ(0, PathExists(file));
    EXPECT_EQ(0, DeleteFilePath(file));
}

TEST(SystemFacts, TheTestBedIsA64BitSystem) {
    // The test bed's prefix is 64-bit and we are a 32-bit program.
    EXPECT_TRUE(IsWow64());
    const Text windows = GetWindowsDirectoryPath();
    EXPECT_EQ(0, lstrcmpiA("C:\\windows", windows.c_str())) << windows;
    EXPECT_EQ(0, lstrcmpiA((windows + "\\system32").c_str(), GetSystemDirectoryPath().c_str()));
}

}  // namespace
