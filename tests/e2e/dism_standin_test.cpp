// The test bed's stand-in DISM, run as an interpreter would run it: what it records, the exit
// codes it gives, and the folders it fills.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const wchar_t Native[] = L"C:\\windows\\sysnative\\dism.exe";   // 64-bit, from our 32-bit test
const wchar_t WoW64[] = L"C:\\windows\\syswow64\\dism.exe";    // 32-bit
const std::wstring Work = L"C:\\e2e\\stand in";

struct DismRun {
    DWORD exitCode;
    DismRecord record;
};

DismRun RunDism(const std::wstring& program, const std::wstring& arguments) {
    const size_t seen = ReadDismLog().size();
    Process dism = Start(program, arguments, L"C:\\");
    const auto exitCode = dism.WaitForExit(60s);
    const auto record = WaitForDismRecord(seen, 5s);
    EXPECT_TRUE(exitCode && record) << "no run of " << Narrow(arguments, CP_UTF8);
    return {exitCode.value_or(~0u), record.value_or(DismRecord{})};
}

class StandInDism : public testing::Test {
protected:
    void SetUp() override {
        SetDismPace(0);
        RemoveTree(Work);
        ResetDriverStore();
        CreateFolders(Work);
    }
    void TearDown() override {
        RemoveTree(Work);
        ResetDriverStore();
    }
};

// The destination is quoted after the colon, as Tamsel writes it; the 64-bit DISM reads the
// store through System32 while this 32-bit test reads it through SysWOW64: one store for both.
TEST_F(StandInDism, ExportCopiesEveryPackageIntoAQuotedDestinationWithSpaces) {
    const std::wstring destination = Work + L"\\MyDrivers";
    CreateFolders(destination);
    const std::wstring arguments = L"/online /export-driver /destination:\"" + destination + L"\"";

    const DismRun run = RunDism(Native, arguments);

    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.record.exitCode, 0);
    EXPECT_EQ(run.record.bits, 64);
    EXPECT_EQ(run.record.commandLine, L"\"" + std::wstring(Native) + L"\" " + arguments);
    EXPECT_EQ(run.record.args, (std::vector<std::wstring>{Native, L"/online", L"/export-driver",
                                                          L"/destination:" + destination}));
    EXPECT_EQ(SubfolderNames(destination).size(), SamplePackageNames().size());
    EXPECT_TRUE(TreeContents(destination) == TreeContents(RepositoryPath));
}

TEST_F(StandInDism, AddDriverCopiesEveryPackageBelowTheFolderIntoTheStore) {
    const auto sample = SamplePackageNames();
    ASSERT_GE(sample.size(), 2u);
    const std::wstring backup = Work + L"\\Backup";
    CopyTree(std::wstring(RepositoryPath) + L"\\" + sample[0], backup + L"\\" + sample[0]);
    CopyTree(std::wstring(RepositoryPath) + L"\\" + sample[1], backup + L"\\deeper\\" + sample[1]);
    const int64_t storeBefore = FolderBytes(DriverStorePath);

    // Options are not case-sensitive.
    const DismRun run = RunDism(Native, L"/ONLINE /add-DRIVER /Driver:\"" + backup + L"\" /recurse");

    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(SubfolderNames(RepositoryPath).size(), sample.size() + 2);
    EXPECT_EQ(FolderBytes(DriverStorePath), storeBefore + FolderBytes(backup));
}

TEST_F(StandInDism, RefusalsGiveDismExitCodes) {
    CreateFolders(Work + L"\\Packages only below\\sub");
    WriteBytes(Work + L"\\Packages only below\\sub\\x.inf", "[Version]\r\n");
    const struct {
        const wchar_t* arguments;
        DWORD exitCode;
    } cases[] = {
        {L"/online /export-driver /destination:\"C:\\e2e\\stand in\\missing\"", 3},
        {L"/online /add-driver /driver:\"C:\\e2e\\stand in\\missing\" /recurse", 3},
        {L"/online /add-driver /driver:\"C:\\e2e\\stand in\\Packages only below\"", 2},
        {L"/online /export-driver", 87},
        {L"/online /export-driver /destination:", 87},
        {L"/export-driver /destination:C:\\e2e", 87},
        {L"/online /export-driver /add-driver /destination:C:\\e2e", 87},
        {L"/online /export-driver /destination:C:\\e2e /bogus", 87},
        {L"/online /export-driver /destination:C:\\e2e\\stand in", 87},  // unquoted space
    };
    for (const auto& c : cases) {
        const DismRun run = RunDism(Native, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << Narrow(c.arguments, CP_UTF8);
        EXPECT_EQ(run.record.exitCode, static_cast<int>(c.exitCode)) << Narrow(c.arguments, CP_UTF8);
    }
    EXPECT_EQ(SubfolderNames(RepositoryPath).size(), SamplePackageNames().size());
}

// As on Windows, the 32-bit DISM cannot service the running 64-bit system.
TEST_F(StandInDism, The32BitOneRefusesTheRunning64BitSystem) {
    const DismRun run = RunDism(WoW64, L"/online /export-driver /destination:\"" + Work + L"\"");

    EXPECT_EQ(run.exitCode, 11u);
    EXPECT_EQ(run.record.bits, 32);
    EXPECT_TRUE(SubfolderNames(Work).empty());
}

}  // namespace
}  // namespace e2e
