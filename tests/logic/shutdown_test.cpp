// Leaving: the interrupt button and the clean-up when the window goes.
#include "drivers/backup.h"
#include "shutdown/shutdown.h"
#include "tests/logic/logic_fixture.h"

using ::testing::ElementsAreArray;

TEST_F(LogicTest, InterruptEndsOneInterpreterThenAsksTheWindowToGo) {
    Start("C:\\Tamsel");
    OnInterruptClicked(program);
    EXPECT_THAT(fake.calls, ElementsAreArray(Lines{"TerminateProcessByName(cmd.exe)", "DestroyMainWindow()"}));
}

// The clean-up deletes C:\temp.bat only when this run wrote it; a file that somebody else left
// there, or that a refused write left untouched, stays.
TEST_F(LogicTest, CleanUpDeletesOnlyAScriptThisRunWrote) {
    const std::vector<std::string> deleteAndEnd = {"DeleteFilePath(C:\\temp.bat)", "TerminateProcessByName(cmd.exe)"};
    const std::vector<std::string> endOnly = {"TerminateProcessByName(cmd.exe)"};
    struct Case { const char* name; std::vector<bool> backupWrites; std::vector<std::string> cleanUp; };
    const Case cases[] = {
        {"no click", {}, endOnly},
        {"written", {true}, deleteAndEnd},
        {"write refused", {false}, endOnly},
        {"written, then refused", {true, false}, deleteAndEnd},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start("C:\\Tamsel");
        for (const bool written : c.backupWrites) {
            fake.writeSucceeds = written;
            OnBackupClicked(program);
        }
        fake.calls.clear();

        OnWindowDestroying(program);

        EXPECT_THAT(fake.calls, ElementsAreArray(c.cleanUp));
    }
}
