// The real Tamsel.exe in the 64-bit test prefix, clicked from outside: what reaches DISM, what
// lands on disk, and what the bar shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const std::vector<std::wstring> CodePage936 = {L"LC_ALL=zh_CN.UTF-8"};
const std::vector<std::wstring> CodePage1252 = {L"LC_ALL=C.UTF-8"};
const wchar_t PlantedLog[] = L"C:\\testbed\\planted.log";
const std::wstring Work = L"C:\\e2e";

std::string ExportScript(const std::wstring& runFolder, UINT codePage) {
    return "cmd /c dism /online /export-driver /destination:\"" + Narrow(runFolder, codePage) + "\\MyDrivers\"";
}

std::string AddScript(const std::wstring& runFolder, UINT codePage) {
    return "cmd /c Dism /online /Add-Driver /Driver:\"" + Narrow(runFolder, codePage) + "\\MyDrivers\" /Recurse";
}

// Where the bar stands for a folder smaller than the reference: the ratio first, then the scale.
int BarFor(int64_t size, int64_t reference) {
    return static_cast<int>(static_cast<double>(size) / static_cast<double>(reference) * 1000.0);
}

std::vector<DWORD> ChildrenOf(DWORD parent) {
    std::vector<DWORD> children;
    for (const auto& process : ListProcesses())
        if (process.parentId == parent) children.push_back(process.id);
    return children;
}

bool Gone(const MessageBoxView& box) {
    return WaitUntil([&] { return !IsWindow(box.window); }, 5s);
}

class TamselRun : public testing::Test {
protected:
    void SetUp() override {
        ResetDriverStore();
        RemoveTree(Work);
        DeleteFileW(ScriptPath);
        DeleteFileW(PlantedLog);
    }
    void TearDown() override {
        ResetDriverStore();
        RemoveTree(Work);
    }
};

TEST_F(TamselRun, BackupExportsTheStoreWhileTheBarFollowsTheBackupFolder) {
    const std::wstring run = Work + L"\\Backup";
    const std::wstring backup = run + L"\\MyDrivers";
    PrepareRunFolder(run);
    SetDismPace(8 * 1024 * 1024);
    const int64_t store = FolderBytes(DriverStorePath);
    Tamsel tamsel(run, CodePage936);
    ASSERT_TRUE(tamsel.Window());
    const size_t seen = ReadDismLog().size();

    tamsel.Click(Control::按钮1);
    const auto notice = tamsel.WaitForMessageBox();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->caption, L"消息");
    EXPECT_EQ(notice->text, L"进度指示停止则表明备份完成，将不再另行提示。");
    EXPECT_EQ(notice->owner, tamsel.Window());
    Tamsel::PressOk(*notice);

    // Follow the bar until DISM has recorded its run.
    std::vector<int> rising;
    std::optional<DismRecord> record;
    WaitUntil([&] {
        rising.push_back(tamsel.BarPosition());
        const auto records = ReadDismLog();
        if (records.size() > seen) record = records[seen];
        return record.has_value();
    }, 60s);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->bits, 64);
    EXPECT_EQ(record->exitCode, 0);
    EXPECT_EQ(record->commandLine, L"dism /online /export-driver /destination:\"" + backup + L"\"");
    EXPECT_EQ(record->args, (std::vector<std::wstring>{L"dism", L"/online", L"/export-driver", L"/destination:" + backup}));
    EXPECT_EQ(ReadBytes(ScriptPath), ExportScript(run, 936));
    EXPECT_TRUE(TreeContents(backup) == TreeContents(RepositoryPath));

    const int expected = BarFor(FolderBytes(backup), store);
    EXPECT_LT(expected, 1000);  // the store holds more than its packages
    EXPECT_TRUE(WaitUntil([&] { return tamsel.BarPosition() == expected; }, 5s))
        << tamsel.BarPosition() << " where " << expected << " was due";
    EXPECT_TRUE(std::is_sorted(rising.begin(), rising.end()));
    const std::set<int> steps(rising.begin(), rising.end());
    EXPECT_GE(std::count_if(steps.begin(), steps.end(), [&](int p) { return p > 0 && p < expected; }), 3)
        << "the bar did not rise in steps while DISM copied";
    // Ten ticks later it still stands there.
    std::vector<int> still;
    WaitUntil([&] { still.push_back(tamsel.BarPosition()); return false; }, 1s);
    EXPECT_TRUE(std::all_of(still.begin(), still.end(), [&](int p) { return p == expected; }));
    EXPECT_EQ(tamsel.BarRange(), (std::pair<int, int>{0, 1000}));

    tamsel.Close();
    EXPECT_EQ(tamsel.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(TamselRun, RestoreAddsEveryPackageOfTheBackupToTheDriverStore) {
    const std::wstring run = Work + L"\\Restore";
    const std::wstring backup = run + L"\\MyDrivers";
    const auto sample = SamplePackageNames();
    PrepareRunFolder(run);
    for (size_t i = 0; i < 3; ++i)
        CopyTree(std::wstring(RepositoryPath) + L"\\" + sample[i], backup + (i ? L"\\" : L"\\deeper\\") + sample[i]);
    SetDismPace(0);
    const int64_t storeBefore = FolderBytes(DriverStorePath);
    Tamsel tamsel(run, CodePage936);
    ASSERT_TRUE(tamsel.Window());
    const size_t seen = ReadDismLog().size();

    tamsel.Click(Control::按钮2);
    const auto notice = tamsel.WaitForMessageBox();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->caption, L"消息");
    EXPECT_EQ(notice->text, L"进度指示停止则表明还原完成，将不再另行提示。");
    // Written before the notice, started only after it.
    EXPECT_EQ(ReadBytes(ScriptPath), AddScript(run, 936));
    EXPECT_TRUE(ChildrenOf(tamsel.Proc().Id()).empty());
    Tamsel::PressOk(*notice);

    const auto record = WaitForDismRecord(seen);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->bits, 64);
    EXPECT_EQ(record->exitCode, 0);
    EXPECT_EQ(record->commandLine, L"Dism /online /Add-Driver /Driver:\"" + backup + L"\" /Recurse");
    EXPECT_EQ(record->args, (std::vector<std::wstring>{L"Dism", L"/online", L"/Add-Driver", L"/Driver:" + backup,
                                                       L"/Recurse"}));
    EXPECT_EQ(SubfolderNames(RepositoryPath).size(), sample.size() + 3);
    EXPECT_EQ(FolderBytes(DriverStorePath), storeBefore + FolderBytes(backup));
    // The store is far larger than the backup: full from the first tick on.
    EXPECT_TRUE(WaitUntil([&] { return tamsel.BarPosition() == 1000; }, 5s));

    tamsel.Close();
    EXPECT_EQ(tamsel.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(TamselRun, RestoreWithoutBackupFolderShowsTheErrorAndStartsNothing) {
    const std::wstring run = Work + L"\\Nothing here";
    PrepareRunFolder(run);
    Tamsel tamsel(run, CodePage936);
    ASSERT_TRUE(tamsel.Window());
    const size_t seen = ReadDismLog().size();

    tamsel.Click(Control::按钮2);
    const auto error = tamsel.WaitForMessageBox();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->caption, L"错误");
    EXPECT_EQ(error->text, L"当前目录没有发现备份文件，请将程序放到与<MyDrivers>文件夹同一目录");
    EXPECT_EQ(error->owner, nullptr);
    Tamsel::PressOk(*error);
    ASSERT_TRUE(Gone(*error));

    EXPECT_FALSE(Exists(ScriptPath));
    EXPECT_TRUE(ChildrenOf(tamsel.Proc().Id()).empty());
    tamsel.Close();
    EXPECT_EQ(tamsel.WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(ReadDismLog().size(), seen);
}

// Programs named like the system's, planted where the user keeps Tamsel, must never run.
void PlantImpostors(const std::wstring& folder) {
    for (const wchar_t* name : {L"dism.exe", L"cmd.exe"})
        CopyFileW(BuildPath(L"tests\\e2e\\e2e_planted.exe").c_str(), (folder + L"\\" + name).c_str(), FALSE);
    for (const wchar_t* name : {L"dism.bat", L"dism.cmd", L"cmd.bat"})
        WriteBytes(folder + L"\\" + name, "@echo %~f0>>C:\\testbed\\planted.log\r\n");
}

void RemoveRunFolder(const std::wstring& folder) {
    if (folder.size() > 2) return RemoveTree(folder);
    for (const wchar_t* name : {L"Tamsel.exe", L"MyDrivers", L"dism.exe", L"cmd.exe", L"dism.bat", L"dism.cmd", L"cmd.bat"})
        RemoveTree(folder + L"\\" + name);
}

// Each run folder is real, Tamsel runs from it, and DISM must receive the backup folder as one
// argument, exactly; a folder with '%' would be expanded by the interpreter, so it is refused.
TEST_F(TamselRun, EveryRunFolderReachesDismAsOneArgument) {
    const struct {
        std::wstring folder;
        UINT codePage;
        bool refused;
    } cases[] = {
        {L"C:\\Tamsel", 936, false},
        {L"D:\\My Tools", 1252, false},
        {Work + L"\\a&b", 936, false},
        {Work + L"\\x^y", 936, false},
        {Work + L"\\(1)", 936, false},
        {Work + L"\\乗", 936, false},  // its second byte in code page 936 is a backslash
        {L"D:", 936, false},
        {Work + L"\\" + std::wstring(186, L'L') + L" path", 1252, false},
        {Work + L"\\50%", 936, true},
        {Work + L"\\%PATH%", 1252, true},
    };
    SetDismPace(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.folder, CP_UTF8));
        RemoveRunFolder(c.folder);
        PrepareRunFolder(c.folder);
        PlantImpostors(c.folder);
        DeleteFileW(ScriptPath);
        const size_t seen = ReadDismLog().size();
        Tamsel tamsel(c.folder, c.codePage == 936 ? CodePage936 : CodePage1252);
        ASSERT_TRUE(tamsel.Window());

        for (Control button : {Control::按钮1, Control::按钮2}) {
            tamsel.Click(button);
            const auto box = tamsel.WaitForMessageBox();
            ASSERT_TRUE(box);
            EXPECT_EQ(box->caption, c.refused ? L"错误" : L"消息");
            if (c.refused) {
                EXPECT_EQ(box->text, L"程序所在目录的路径含有“%”，无法安全地交给命令解释器。请把程序移到其他目录后再试。");
            }
            Tamsel::PressOk(*box);
            ASSERT_TRUE(Gone(*box));
            if (!c.refused) break;  // one export is enough: the restore's line is formed alike
        }

        if (c.refused) {
            EXPECT_FALSE(Exists(ScriptPath));
            EXPECT_FALSE(Exists(c.folder + L"\\MyDrivers"));
            EXPECT_TRUE(ChildrenOf(tamsel.Proc().Id()).empty());
        } else {
            WaitUntil([&] { return ReadDismLog().size() > seen || Exists(PlantedLog); }, 30s);
            const auto records = ReadDismLog();
            ASSERT_GT(records.size(), seen) << (Exists(PlantedLog) ? "a planted program ran instead" : "DISM never ran");
            EXPECT_EQ(records[seen].bits, 64);
            EXPECT_EQ(records[seen].args, (std::vector<std::wstring>{L"dism", L"/online", L"/export-driver",
                                                                     L"/destination:" + c.folder + L"\\MyDrivers"}));
            EXPECT_EQ(ReadBytes(ScriptPath), ExportScript(c.folder, c.codePage));
        }
        tamsel.Close();
        EXPECT_EQ(tamsel.WaitForExit(), std::optional<DWORD>(0));
        EXPECT_EQ(ReadDismLog().size(), seen + (c.refused ? 0 : 1));
        EXPECT_FALSE(Exists(PlantedLog)) << "a program planted in the run folder ran";
        RemoveRunFolder(c.folder);
    }
}

}  // namespace
}  // namespace e2e
