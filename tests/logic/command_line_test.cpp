// What reaches the interpreter: the two command lines for awkward run directories, and the launch.
#include "drivers/backup.h"
#include "drivers/restore.h"
#include "drivers/script_runner.h"
#include "tests/logic/logic_fixture.h"

using ::testing::ElementsAreArray;

TEST_F(LogicTest, CommandLinesQuoteTheBackupFolderWhateverTheRunDirectory) {
    const Text longDirectory = "D:\\" + Text(120, 'a') + "\\" + Text(76, 'b');  // 200 bytes
    struct Case { Text runDirectory; Text exportLine; Text addLine; };
    const Case cases[] = {
        {"C:\\Tamsel",
         "cmd /c dism /online /export-driver /destination:\"C:\\Tamsel\\MyDrivers\"",
         "cmd /c Dism /online /Add-Driver /Driver:\"C:\\Tamsel\\MyDrivers\" /Recurse"},
        {"D:\\My Tools",
         "cmd /c dism /online /export-driver /destination:\"D:\\My Tools\\MyDrivers\"",
         "cmd /c Dism /online /Add-Driver /Driver:\"D:\\My Tools\\MyDrivers\" /Recurse"},
        {"D:\\a&b",
         "cmd /c dism /online /export-driver /destination:\"D:\\a&b\\MyDrivers\"",
         "cmd /c Dism /online /Add-Driver /Driver:\"D:\\a&b\\MyDrivers\" /Recurse"},
        {"D:\\x^y",
         "cmd /c dism /online /export-driver /destination:\"D:\\x^y\\MyDrivers\"",
         "cmd /c Dism /online /Add-Driver /Driver:\"D:\\x^y\\MyDrivers\" /Recurse"},
        {"D:\\(1)",
         "cmd /c dism /online /export-driver /destination:\"D:\\(1)\\MyDrivers\"",
         "cmd /c Dism /online /Add-Driver /Driver:\"D:\\(1)\\MyDrivers\" /Recurse"},
        {"D:",
         "cmd /c dism /online /export-driver /destination:\"D:\\MyDrivers\"",
         "cmd /c Dism /online /Add-Driver /Driver:\"D:\\MyDrivers\" /Recurse"},
        // 乗 in code page 936: its trail byte is a backslash, kept as it is
        {"D:\\\x81\x5c",
         "cmd /c dism /online /export-driver /destination:\"D:\\\x81\x5c\\MyDrivers\"",
         "cmd /c Dism /online /Add-Driver /Driver:\"D:\\\x81\x5c\\MyDrivers\" /Recurse"},
        {longDirectory,
         "cmd /c dism /online /export-driver /destination:\"" + longDirectory + "\\MyDrivers\"",
         "cmd /c Dism /online /Add-Driver /Driver:\"" + longDirectory + "\\MyDrivers\" /Recurse"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.runDirectory);
        const Text backupFolder = c.runDirectory + "\\MyDrivers";
        Start(c.runDirectory);
        fake.existingPaths = {backupFolder};

        OnBackupClicked(program);
        EXPECT_TRUE(Called("CreateFolder(" + backupFolder + ")"));
        EXPECT_EQ(fake.files["C:\\temp.bat"], c.exportLine);

        fake.calls.clear();
        OnRestoreClicked(program);
        EXPECT_TRUE(Called("GetFolderSize(" + backupFolder + ")"));
        EXPECT_TRUE(Called("PathExists(" + backupFolder + ")"));
        EXPECT_EQ(fake.files["C:\\temp.bat"], c.addLine);
    }
}

// On 64-bit Windows the native interpreter runs the script, so that DISM is the system's own
// 64-bit one; either way the working directory is the system directory, never the run directory.
TEST_F(LogicTest, LaunchStartsTheSystemsInterpreterFromTheSystemDirectory) {
    struct Case { bool wow64; std::vector<std::string> calls; };
    const Case cases[] = {
        {false,
         {"IsWow64()", "GetSystemDirectoryPath()",
          "ShellOpen(4, C:\\temp.bat, cmd /c start, E:\\WIN\\system32, 1)"}},
        {true,
         {"IsWow64()", "GetWindowsDirectoryPath()", "GetSystemDirectoryPath()",
          "ShellOpen(4, E:\\WIN\\Sysnative\\cmd.exe, /c C:\\temp.bat cmd /c start, E:\\WIN\\system32, 1)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wow64 ? "64-bit Windows" : "32-bit Windows");
        Start("D:\\Tools");
        fake.wow64 = c.wow64;
        fake.windowsDirectory = "E:\\WIN";
        fake.systemDirectory = "E:\\WIN\\system32";

        LaunchScript(program);

        EXPECT_THAT(fake.calls, ElementsAreArray(c.calls));
    }
}
