// TerminateProcessByName ends the program's own interpreters one per call, and never a process
// of that name (or with a window of that title) that someone else started.
#include <gtest/gtest.h>

#include "support.h"
#include "waiting_cmd.h"

namespace {

// Polls with a deadline: a window appears only once its process has got that far.
bool WaitForWindowTitled(const char* title) {
    for (int waited = 0; waited < 20000; waited += 20) {
        if (FindWindowA(nullptr, title)) return true;
        Sleep(20);
    }
    return false;
}

TEST(TerminateProcessByName, EndsOnlyOurOwnInterpretersOneAtATime) {
    ScratchFolder folder(L"terminate");
    // Not ours: an interpreter this test started, and a window titled like the name.
    WaitingCmd outsider = StartWaitingCmd();
    ASSERT_TRUE(outsider.Running());
    ChildProcess titled = StartChild(L"\"" + HelperPath(L"terminate_probe.exe") + L"\" window");
    ASSERT_TRUE(WaitForWindowTitled("cmd.exe"));

    // "job" starts up as the program does; "parents" has no job, so parent ids must decide.
    for (const char* mode : {"job", "parents"}) {
        SCOPED_TRACE(mode);
        const std::wstring out = folder.Path() + L"\\" + std::wstring(mode, mode + strlen(mode));
        ChildProcess program = StartChild(L"\"" + HelperPath(L"terminate_probe.exe") + L"\" " +
                                          std::wstring(mode, mode + strlen(mode)) + L" " + out);
        ASSERT_TRUE(program.Started());
        EXPECT_EQ(0u, program.WaitForExit());
        // Per call: the name, the result, how many of the program's two interpreters have ended.
        EXPECT_EQ(std::string("job ") + (std::string(mode) == "job" ? "1" : "0") +
                      "\n"
                      "'' 0 0\n"
                      "'cmd.exe' 1 1\n"
                      "'CMD.EXE' 1 2\n"
                      "'cmd.exe' 0 2\n"
                      "exit 0\n"
                      "exit 0\n",
                  ReadFileBytes(out));
        EXPECT_TRUE(outsider.Running());
        EXPECT_TRUE(titled.Running());
    }
}

}  // namespace
