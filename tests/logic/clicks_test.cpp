// The backup and restore clicks: every call in order, with the ticks that run inside their boxes.
#include "drivers/backup.h"
#include "drivers/progress_monitor.h"
#include "drivers/restore.h"
#include "tests/logic/logic_fixture.h"

using ::testing::ElementsAreArray;

namespace {
const Text Store = "C:\\Windows\\System32\\DriverStore";
const Text Backup = "C:\\Tamsel\\MyDrivers";
}  // namespace

TEST_F(LogicTest, BackupMeasuresStartsTimerNotifiesThenCreatesWritesAndLaunches) {
    Start("C:\\Tamsel");
    fake.folderSizes = {{Store, 4'000'000'000}, {Backup, 1'234'567'890}};
    fake.whileBoxOpen = [&] { OnBackupTick(program); };

    OnBackupClicked(program);

    EXPECT_THAT(fake.calls, ElementsAreArray(Lines{
        "GetLabelText(标签1)",
        "GetFolderSize(C:\\Windows\\System32\\DriverStore)",
        "SetProgressMaximum(进度条1, 1000)",
        "SetTimerPeriod(时钟1, 100)",
        BackupNotice,
        // a tick while the notice is open, already against the new reference
        "GetLabelText(标签1)",
        "GetFolderSize(C:\\Tamsel\\MyDrivers)",
        "SetProgressPosition(进度条1, 308)",
        "GetLabelText(标签1)",
        "CreateFolder(C:\\Tamsel\\MyDrivers)",
        "GetLabelText(标签1)",
        "WriteBytesToFile(C:\\temp.bat, cmd /c dism /online /export-driver /destination:\"C:\\Tamsel\\MyDrivers\")",
        "IsWow64()",
        "GetSystemDirectoryPath()",
        Launch32,
    }));
    EXPECT_EQ(program.ReferenceSize, 4'000'000'000);
    EXPECT_TRUE(program.scriptWrittenByThisRun);
}

TEST_F(LogicTest, RestoreWritesBeforeTheNoticeAndLaunchesAfterIt) {
    Start("C:\\Tamsel");
    fake.folderSizes = {{Store, 3'000'000'000}, {Backup, 500'000'000}};
    fake.existingPaths = {Backup};
    fake.whileBoxOpen = [&] { OnRestoreTick(program); };

    OnRestoreClicked(program);

    EXPECT_THAT(fake.calls, ElementsAreArray(Lines{
        "GetLabelText(标签1)",
        "GetLabelText(标签1)",
        "GetFolderSize(C:\\Tamsel\\MyDrivers)",
        "SetProgressMaximum(进度条1, 1000)",
        "SetTimerPeriod(时钟2, 100)",
        "GetRunDirectory()",
        "PathExists(C:\\Tamsel\\MyDrivers)",
        "GetLabelText(标签1)",
        "WriteBytesToFile(C:\\temp.bat, cmd /c Dism /online /Add-Driver /Driver:\"C:\\Tamsel\\MyDrivers\" /Recurse)",
        RestoreNotice,
        // the store outgrows the backup six times over: a full bar, not what 32 bits make of it
        "GetFolderSize(C:\\Windows\\System32\\DriverStore)",
        "SetProgressPosition(进度条1, 1000)",
        "IsWow64()",
        "GetSystemDirectoryPath()",
        Launch32,
    }));
    EXPECT_EQ(program.ReferenceSize, 500'000'000);
}

TEST_F(LogicTest, RestoreWithoutBackupShowsTheErrorLeavesTimerRunningAndWritesNothing) {
    Start("C:\\Tamsel");
    fake.folderSizes = {{Store, 3'000'000'000}};
    fake.whileBoxOpen = [&] { OnRestoreTick(program); };

    OnRestoreClicked(program);

    EXPECT_THAT(fake.calls, ElementsAreArray(Lines{
        "GetLabelText(标签1)",
        "GetLabelText(标签1)",
        "GetFolderSize(C:\\Tamsel\\MyDrivers)",
        "SetProgressMaximum(进度条1, 1000)",
        "SetTimerPeriod(时钟2, 100)",
        "GetRunDirectory()",
        "PathExists(C:\\Tamsel\\MyDrivers)",
        MissingBackupBox,
        "GetFolderSize(C:\\Windows\\System32\\DriverStore)",
        "SetProgressPosition(进度条1, 0)",
    }));
    EXPECT_EQ(program.ReferenceSize, 0);
    EXPECT_FALSE(program.scriptWrittenByThisRun);
}

// The existence test asks only PathExists, so a file named MyDrivers passes, though it
// measures 0 as a folder.
TEST_F(LogicTest, RestoreGoesAheadWhenOnlyPathExistsSaysSo) {
    Start("C:\\Tamsel");
    fake.existingPaths = {Backup};

    OnRestoreClicked(program);

    EXPECT_EQ(program.ReferenceSize, 0);
    EXPECT_EQ(fake.files["C:\\temp.bat"], "cmd /c Dism /online /Add-Driver /Driver:\"C:\\Tamsel\\MyDrivers\" /Recurse");
    EXPECT_TRUE(Called(RestoreNotice));
    EXPECT_TRUE(Called(Launch32));
}

// A second click measures afresh and repeats every call, the timer's period included: the fake
// records it, the real timer ignores an unchanged period and keeps its phase.
TEST_F(LogicTest, SecondClickRemeasuresAndRepeatsTheSameCalls) {
    struct Click { const char* name; void (*handler)(Program&); Text measured; };
    const Click clicks[] = {{"backup", OnBackupClicked, Store}, {"restore", OnRestoreClicked, Backup}};
    for (const Click& click : clicks) {
        SCOPED_TRACE(click.name);
        Start("C:\\Tamsel");
        fake.existingPaths = {Backup};
        fake.folderSizes = {{click.measured, 1'000}};
        click.handler(program);
        const std::vector<std::string> first = fake.calls;
        ASSERT_EQ(program.ReferenceSize, 1'000);

        fake.calls.clear();
        fake.folderSizes = {{click.measured, 2'500}};
        click.handler(program);
        EXPECT_EQ(fake.calls, first);
        EXPECT_EQ(program.ReferenceSize, 2'500);
    }
}

// One ReferenceSize for both timers: whichever click came last is the divisor of every tick.
TEST_F(LogicTest, BothTimersDivideByTheReferenceOfTheLatestClick) {
    Start("C:\\Tamsel");
    fake.existingPaths = {Backup};
    fake.folderSizes = {{Store, 800}, {Backup, 400}};
    OnBackupClicked(program);
    fake.calls.clear();
    OnBackupTick(program);
    EXPECT_TRUE(Called("SetProgressPosition(进度条1, 500)"));  // 400 of the store's 800

    fake.folderSizes[Backup] = 1'000;
    fake.whileBoxOpen = [&] {
        OnBackupTick(program);
        OnRestoreTick(program);
    };
    fake.calls.clear();
    OnRestoreClicked(program);

    const auto notice = std::find(fake.calls.begin(), fake.calls.end(), RestoreNotice);
    ASSERT_NE(notice, fake.calls.end());
    EXPECT_EQ(std::vector<std::string>(notice + 1, notice + 6), (std::vector<std::string>{
        "GetLabelText(标签1)",
        "GetFolderSize(C:\\Tamsel\\MyDrivers)",
        "SetProgressPosition(进度条1, 1000)",  // the backup folder against itself
        "GetFolderSize(C:\\Windows\\System32\\DriverStore)",
        "SetProgressPosition(进度条1, 800)",  // the store against the backup folder
    }));
}

// A '%' would be expanded by the interpreter even between quotes: refused before anything else.
TEST_F(LogicTest, RunDirectoryWithPercentIsRefusedBeforeAnyOtherCall) {
    struct Click { const char* name; void (*handler)(Program&); };
    const Click clicks[] = {{"backup", OnBackupClicked}, {"restore", OnRestoreClicked}};
    for (const Text runDirectory : {"D:\\50%", "D:\\%PATH%"}) {
        for (const Click& click : clicks) {
            SCOPED_TRACE(runDirectory + " " + click.name);
            Start(runDirectory);
            fake.existingPaths = {runDirectory + "\\MyDrivers"};
            program.ReferenceSize = 7;

            click.handler(program);

            EXPECT_THAT(fake.calls, ElementsAreArray(Lines{"GetLabelText(标签1)", UnsafeRunDirectoryBox}));
            EXPECT_EQ(program.ReferenceSize, 7);
        }
    }
}

// A click whose script could not be written starts nothing: the launch would run whatever lies
// at C:\temp.bat, elevated. The backup has shown its notice by then, the restore has not.
TEST_F(LogicTest, UnwrittenScriptIsReportedAndNeverLaunched) {
    struct Click { const char* name; void (*handler)(Program&); std::string notice; bool noticeShown; };
    const Click clicks[] = {{"backup", OnBackupClicked, BackupNotice, true},
                            {"restore", OnRestoreClicked, RestoreNotice, false}};
    for (const Click& click : clicks) {
        SCOPED_TRACE(click.name);
        Start("C:\\Tamsel");
        fake.existingPaths = {Backup};
        fake.files["C:\\temp.bat"] = "stale";
        fake.writeSucceeds = false;

        click.handler(program);

        const auto write = std::find_if(fake.calls.begin(), fake.calls.end(), [](const std::string& line) {
            return line.rfind("WriteBytesToFile(", 0) == 0;
        });
        ASSERT_NE(write, fake.calls.end());
        EXPECT_EQ(std::vector<std::string>(write + 1, fake.calls.end()),
                  std::vector<std::string>{UnwrittenScriptBox});
        EXPECT_EQ(Called(click.notice), click.noticeShown);
        EXPECT_FALSE(program.scriptWrittenByThisRun);
        EXPECT_EQ(fake.files["C:\\temp.bat"], "stale");
    }
}
