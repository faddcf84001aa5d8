// GetFolderSize against the stand-in Scripting Runtime registered in the test prefix.
#include <gtest/gtest.h>

#include "platform/com_object.h"
#include "platform/folder_size.h"
#include "platform/invoke_com_member.h"
#include "tests/probe/probe_support.h"

using platform::CallKind;
using platform::ComObject;

namespace {

constexpr uint64_t GiB = uint64_t{1} << 30;

class FolderSizeTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(standIn.Loaded()) << "the stand-in DLL is not installed"; }

    ComApartment com;
    StandIn standIn;
    ScratchFolder scratch;
};

struct TreeCase {
    const char* name;
    std::vector<TreeEntry> entries;
    int64_t expected;
};

TEST_F(FolderSizeTest, GivesTheTotalBytesOfTheWholeTree) {
    const TreeCase cases[] = {
        {"empty", {}, 0},
        {"one-file", {{"a.bin", 1234}}, 1234},
        {"only-empty-files-and-folders", {{"a.txt", 0}, {"sub\\", 0}, {"sub\\deeper\\b.txt", 0}}, 0},
        {"nested",
         {{"a.bin", 10},
          {"sub\\b.bin", 200},
          {"sub\\deeper\\c.bin", 3000},
          {"sub\\empty\\", 0},
          {"other\\d.bin", 40000}},
         43210},
        // Above 4 GiB, and each file's size needs its high 32 bits too.
        {"above-4-GiB",
         {{"big.bin", 4 * GiB + 7}, {"sub\\more.bin", 2 * GiB + 5}, {"small.bin", 1}},
         static_cast<int64_t>(6 * GiB + 13)},
    };
    for (const TreeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Text path = scratch.MakeTree(c.name, c.entries);
        const Text before = path;
        EXPECT_EQ(GetFolderSize(path), c.expected);
        EXPECT_EQ(path, before);
        LONGLONG walked = -1;
        EXPECT_EQ(standIn.FolderBytes(ToWide(path), walked), S_OK);
        EXPECT_EQ(walked, c.expected);
    }
}

TEST_F(FolderSizeTest, GivesZeroForWhatIsNoFolder) {
    const Text file = scratch.Path() + "\\file.bin";
    MakeFile(file, 1234);
    const Text cases[] = {
        scratch.Path() + "\\missing", file, file + "\\below-a-file", "", scratch.Path() + "\\missing\\*",
    };
    for (const Text& path : cases) {
        SCOPED_TRACE(path);
        const Text before = path;
        EXPECT_EQ(GetFolderSize(path), 0);
        EXPECT_EQ(path, before);
    }
}

TEST_F(FolderSizeTest, LeavesNoObjectAliveAfterSuccessOrFailure) {
    const Text folder = scratch.MakeTree("tree", {{"a.bin", 1234}, {"sub\\b.bin", 1}});
    const Text missing = scratch.Path() + "\\missing";
    ASSERT_EQ(standIn.LiveObjects(), 0);
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(GetFolderSize(folder), 1235);
        ASSERT_EQ(standIn.LiveObjects(), 0) << "after a measurement, call " << i;
        ASSERT_EQ(GetFolderSize(missing), 0);
        ASSERT_EQ(standIn.LiveObjects(), 0) << "after a failure, call " << i;
    }
}

// Every way a call on a live object can fail or succeed leaves exactly the objects the caller
// holds: the count would grow with any reference left behind.
TEST_F(FolderSizeTest, CallsHoldNoReferenceOnAnyPath) {
    ComObject fileSystem;
    ASSERT_EQ(platform::CreateComObject(fileSystem, "Scripting.FileSystemObject"), 1);
    ASSERT_EQ(standIn.LiveObjects(), 1);
    const Text folder = scratch.MakeTree("tree", {{"a.bin", 1234}});
    struct Call {
        const char* name;
        Text member;
        CallKind kind;
        platform::ComArguments arguments;
        bool succeeds;
    };
    const Call calls[] = {
        {"GetFolder", "GetFolder", CallKind::MethodReturningObject, {folder}, true},
        {"trailing omitted argument dropped",
         "GetFolder",
         CallKind::MethodReturningObject,
         {folder, std::nullopt},
         true},
        {"too many arguments", "GetFolder", CallKind::MethodReturningObject, {folder, Text("x")}, false},
        {"missing folder",
         "GetFolder",
         CallKind::MethodReturningObject,
         {scratch.Path() + "\\missing"},
         false},
        {"no argument", "GetFolder", CallKind::MethodReturningObject, {}, false},
        {"unknown member", "GetFile", CallKind::MethodReturningObject, {folder}, false},
        {"object read as a number", "GetFolder", CallKind::PropertyAsNumber, {folder}, false},
        {"member of the folder asked of the file-system object",
         "Size",
         CallKind::PropertyAsNumber,
         {},
         false},
    };
    for (const Call& call : calls) {
        SCOPED_TRACE(call.name);
        {
            platform::ComResult result =
                platform::InvokeComMember(fileSystem, call.member, call.kind, call.arguments);
            EXPECT_EQ(static_cast<bool>(result.object), call.succeeds);
            EXPECT_EQ(result.number, 0.0);
            EXPECT_EQ(standIn.LiveObjects(), call.succeeds ? 2 : 1);
        }
        EXPECT_EQ(standIn.LiveObjects(), 1);
    }
    platform::ClearComObject(fileSystem);
    EXPECT_FALSE(fileSystem);
    EXPECT_EQ(standIn.LiveObjects(), 0);
    platform::ClearComObject(fileSystem);
    EXPECT_FALSE(fileSystem);
}

TEST_F(FolderSizeTest, CreateComObjectReplacesOnlyOnSuccess) {
    ComObject object;
    ASSERT_EQ(platform::CreateComObject(object, "Scripting.FileSystemObject"), 1);
    IUnknown* const first = object.Get();
    EXPECT_EQ(platform::CreateComObject(object, "Tamsel.NoSuchClass"), 0);
    EXPECT_EQ(object.Get(), first);
    EXPECT_EQ(platform::CreateComObject(object, ""), 0);
    EXPECT_EQ(object.Get(), first);
    // The new object takes the place of the old one, whose reference is given back.
    ASSERT_EQ(platform::CreateComObject(object, "Scripting.FileSystemObject"), 1);
    EXPECT_EQ(standIn.LiveObjects(), 1);
}

// Chinese folder names whose second bytes are backslashes, which only a CP_ACP conversion of
// the whole path brings to the component intact. Needs a process whose ANSI code page is 936.
TEST_F(FolderSizeTest, MeasuresAPathInCodePage936) {
    if (GetACP() != 936) GTEST_SKIP() << "runs as probe_tests.cp936, with ANSI code page 936";
    const Text chinese =
        "\x81\x5c\x82\x5c\x87\x5c"
        "\xc4\xbf\xc2\xbc";  // 乗俓嘰目录
    const Text path = scratch.MakeTree(chinese, {{"\x87\x5c.bin", 1234}, {chinese + "\\b.bin", 766}});
    const Text before = path;
    EXPECT_EQ(GetFolderSize(path), 2000);
    EXPECT_EQ(path, before);
    EXPECT_EQ(standIn.LiveObjects(), 0);
}

}  // namespace
