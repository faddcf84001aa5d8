// Every way out of the real Tamsel.exe in the 64-bit test prefix, before, during and after the
// work it starts: the exit code, the script file, the backup folder, the interpreters it started,
// and the processes that are not its own.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/harness.h"
#include "tests/leaving/ways_out.h"

namespace e2e {
namespace {

const std::wstring Work = L"C:\\leaving";
// Somebody else's script, left where Tamsel writes its own.
const std::string ForeignScript = "@echo this script belongs to somebody else\r\n";
// Slow enough that DISM is still copying when the window goes: a restore row adds three packages
// (about 2.6 MB), which at this pace takes some 40 s, even on a loaded machine.
const uint64_t SlowPace = 64 * 1024;

enum class Way { 按钮3, 按钮3Twice, CloseButton, SystemMenuClose, AltF4, WmClose, Esc };
enum class Activity { Nothing, Backup, Restore, RestoreRefused };

const char* NameOf(Way way) {
    switch (way) {
        case Way::按钮3: return "button 3";
        case Way::按钮3Twice: return "button 3 twice";
        case Way::CloseButton: return "close button";
        case Way::SystemMenuClose: return "system menu Close";
        case Way::AltF4: return "Alt+F4";
        case Way::WmClose: return "WM_CLOSE";
        case Way::Esc: return "Esc";
    }
    return "";
}

const char* NameOf(Activity activity) {
    switch (activity) {
        case Activity::Nothing: return "nothing started";
        case Activity::Backup: return "backup running";
        case Activity::Restore: return "restore running";
        case Activity::RestoreRefused: return "restore refused";
    }
    return "";
}

bool Leave(Tamsel& tamsel, Way way) {
    switch (way) {
        case Way::按钮3:
            tamsel.Click(Control::按钮3);
            return true;
        case Way::按钮3Twice:
            // Back to back: the second click is queued before the first one's destroy request.
            tamsel.Click(Control::按钮3);
            tamsel.Click(Control::按钮3);
            return true;
        case Way::CloseButton: return ClickCloseButton(tamsel.Window());
        case Way::SystemMenuClose: tamsel.SystemMenuClose(); return true;
        case Way::AltF4: return PressAltF4(tamsel.Window());
        case Way::WmClose: tamsel.Close(); return true;
        case Way::Esc: tamsel.PressEscape(); return true;
    }
    return false;
}

bool Named(const ProcessEntry& process, const wchar_t* name) { return _wcsicmp(process.exeName.c_str(), name) == 0; }

// Whatever a run leaves running is ended at the end of the run, whatever the test found.
struct Leftovers {
    std::vector<Process> processes;
    void KillAll() {
        for (auto& process : processes) process.Kill();
    }
    ~Leftovers() { KillAll(); }
};

class Leaving : public testing::Test {
protected:
    void SetUp() override {
        scriptBefore_ = Exists(ScriptPath) ? std::optional<std::string>(ReadBytes(ScriptPath)) : std::nullopt;
        paceBefore_ = Exists(PacePath) ? std::optional<std::string>(ReadBytes(PacePath)) : std::nullopt;
        ResetDriverStore();
        RemoveTree(Work);
        SetDismPace(SlowPace);
    }
    void TearDown() override {
        ResetDriverStore();
        RemoveTree(Work);
        if (scriptBefore_) WriteBytes(ScriptPath, *scriptBefore_);
        else DeleteFileW(ScriptPath);
        if (paceBefore_) WriteBytes(PacePath, *paceBefore_);
        else DeleteFileW(PacePath);
    }

    static constexpr wchar_t PacePath[] = L"C:\\testbed\\dism-pace";
    std::optional<std::string> scriptBefore_, paceBefore_;
};

// Starts the activity; gives the processes that Tamsel started, once DISM runs below it.
std::vector<ProcessEntry> Begin(Tamsel& tamsel, Activity activity, const std::wstring& backup) {
    if (activity == Activity::Nothing) return {};
    tamsel.Click(activity == Activity::Backup ? Control::按钮1 : Control::按钮2);
    const auto box = tamsel.WaitForMessageBox();
    if (!box) return {};
    EXPECT_EQ(box->caption, activity == Activity::RestoreRefused ? L"错误" : L"消息");
    Tamsel::PressOk(*box);
    if (activity == Activity::RestoreRefused) {
        WaitUntil([&] { return !IsWindow(box->window); }, 5s);
        return {};
    }
    std::vector<ProcessEntry> started;
    WaitUntil([&] {
        started = Descendants(tamsel.Proc().Id());
        const bool dismRuns = std::any_of(started.begin(), started.end(), [](auto& p) { return Named(p, L"dism.exe"); });
        return dismRuns && (activity != Activity::Backup || FolderBytes(backup) > 0);
    });
    return started;
}

// One run per row: every way out, crossed with what was going on when it was taken.
TEST_F(Leaving, EveryWayOutEndsWithCodeZeroAndCleansUpOnlyWhatThisRunStarted) {
    // Processes of the user's own, outside Tamsel: a command prompt, and a program whose window
    // is titled like an interpreter. Either would be the first match of a search by name.
    Leftovers theirs;
    theirs.processes.push_back(StartUserPrompt());
    theirs.processes.push_back(Start(BuildPath(L"tests\\leaving\\leaving_titled_window.exe"), L"", L"C:\\"));
    const Process& prompt = theirs.processes[0];
    const Process& titled = theirs.processes[1];
    ASSERT_TRUE(WaitUntil([&] {
        HWND window = FindWindowW(nullptr, L"cmd.exe");
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return window && owner == titled.Id();
    }));
    ASSERT_TRUE(prompt.Running());

    const std::vector<std::wstring> samples = SamplePackageNames();
    int row = 0;
    for (Activity activity : {Activity::Nothing, Activity::Backup, Activity::Restore, Activity::RestoreRefused}) {
        for (Way way : {Way::按钮3, Way::按钮3Twice, Way::CloseButton, Way::SystemMenuClose, Way::AltF4, Way::WmClose,
                        Way::Esc}) {
            SCOPED_TRACE(std::string(NameOf(way)) + ", " + NameOf(activity));
            const std::wstring run = Work + L"\\" + std::to_wstring(++row);
            const std::wstring backup = run + L"\\MyDrivers";
            PrepareRunFolder(run);
            if (activity == Activity::Restore)
                for (size_t i = 0; i < 3; ++i)
                    CopyTree(std::wstring(RepositoryPath) + L"\\" + samples[i], backup + L"\\" + samples[i]);
            const bool writesScript = activity == Activity::Backup || activity == Activity::Restore;
            if (writesScript) DeleteFileW(ScriptPath);
            else WriteBytes(ScriptPath, ForeignScript);

            Leftovers ours;
            Tamsel tamsel(run);
            ASSERT_TRUE(tamsel.Window());
            const auto started = Begin(tamsel, activity, backup);
            for (const auto& process : started) ours.processes.push_back(OpenForKill(process.id));
            std::vector<const Process*> interpreters, dism;
            for (size_t i = 0; i < started.size(); ++i) {
                if (Named(started[i], L"cmd.exe")) interpreters.push_back(&ours.processes[i]);
                if (Named(started[i], L"dism.exe")) dism.push_back(&ours.processes[i]);
            }
            if (writesScript) {
                ASSERT_FALSE(interpreters.empty());
                ASSERT_EQ(dism.size(), 1u);
            }

            ASSERT_TRUE(Leave(tamsel, way));
            EXPECT_EQ(tamsel.WaitForExit(), std::optional<DWORD>(0));

            if (writesScript) {
                // The interpreter may hold the script open until it has ended.
                EXPECT_TRUE(WaitUntil([] { return !Exists(ScriptPath); }, 5s)) << "the script is still there";
                EXPECT_TRUE(WaitUntil([&] {
                    return std::any_of(interpreters.begin(), interpreters.end(), [](auto* p) { return !p->Running(); });
                }, 5s)) << "no interpreter that Tamsel started was ended";
                EXPECT_TRUE(dism[0]->Running()) << "DISM is nobody's to stop";
            } else {
                EXPECT_EQ(ReadBytes(ScriptPath), ForeignScript);
            }
            if (activity == Activity::Backup) {
                EXPECT_GT(FolderBytes(backup), 0) << "the export so far is kept";
            }
            EXPECT_TRUE(prompt.Running()) << "the user's own command prompt was ended";
            EXPECT_TRUE(titled.Running()) << "the program with a window titled cmd.exe was ended";
            if (!prompt.Running() || !titled.Running()) return;

            ours.KillAll();
            if (activity == Activity::Restore) ResetDriverStore();
            RemoveTree(run);
        }
    }
}

// With a box up the main window takes no keys: Esc closes the box, and the window lives on.
TEST_F(Leaving, EscWithAMessageBoxUpClosesOnlyTheBox) {
    const struct {
        Control button;
        const wchar_t* caption;
    } cases[] = {
        {Control::按钮1, L"消息"},  // the backup's notice, owned by the main window
        {Control::按钮2, L"错误"},  // no backup folder: the restore's error box, owned by nobody
    };
    SetDismPace(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.caption, CP_UTF8));
        const std::wstring run = Work + L"\\Esc";
        PrepareRunFolder(run);
        Leftovers ours;
        Tamsel tamsel(run);
        ASSERT_TRUE(tamsel.Window());

        tamsel.Click(c.button);
        const auto box = tamsel.WaitForMessageBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, c.caption);
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(tamsel.Window(), nullptr), &thread);
        ASSERT_EQ(GetAncestor(thread.hwndFocus, GA_ROOT), box->window) << "the key would not reach the box";
        tamsel.PressEscape();
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->window); }, 5s));

        // A click posted after the key is handled after whatever the key caused: a box again
        // means the window is still there and takes input.
        tamsel.Click(c.button);
        const auto again = tamsel.WaitForMessageBox();
        ASSERT_TRUE(again);
        EXPECT_NE(again->window, box->window);
        EXPECT_TRUE(IsWindow(tamsel.Window()));
        Tamsel::PressOk(*again);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(again->window); }, 5s));

        for (const auto& process : Descendants(tamsel.Proc().Id())) ours.processes.push_back(OpenForKill(process.id));
        tamsel.Close();
        EXPECT_EQ(tamsel.WaitForExit(), std::optional<DWORD>(0));
        ours.KillAll();
        RemoveTree(run);
    }
}

}  // namespace
}  // namespace e2e
