// The pure halves of the platform operations, as tables: cutting the module path, ShellOpen's
// two mappings, the message box's style and answer, and the parent-id fallback.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "platform/process_tree.h"
#include "platform/run_directory.h"
#include "platform/shell.h"

namespace {

using platform::CutAtLastBackslash;

bool CodePage936Lead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
bool NoLeadBytes(unsigned char) { return false; }

TEST(CutAtLastBackslash, KeepsTheFolderAndSkipsTrailBytes) {
    struct Case {
        const char* path;
        platform::LeadBytePredicate isLead;
        const char* folder;
    } cases[] = {
        {"D:\\Tools\\Drv\\app.exe", CodePage936Lead, "D:\\Tools\\Drv"},
        {"C:\\app.exe", CodePage936Lead, "C:"},
        {"\\\\server\\share\\app.exe", CodePage936Lead, "\\\\server\\share"},
        // 乗 is 81 5C in code page 936: its second byte is no backslash, in the folder or the name.
        {"C:\\\x81\x5C\\\x81\x5C.exe", CodePage936Lead, "C:\\\x81\x5C"},
        {"C:\\\x81\x5C\\\x81\x5C.exe", NoLeadBytes, "C:\\\x81\x5C\\\x81"},
        {"C:\\dir\\\x81", CodePage936Lead, "C:\\dir"},  // a lead byte cut off at the end
        {"app.exe", CodePage936Lead, ""},
        {"", CodePage936Lead, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.folder, CutAtLastBackslash(c.path, c.isLead)) << c.path;
}

TEST(ShellOpenTables, VerbsAndShowCommands) {
    struct VerbCase {
        std::optional<int32_t> operation;
        const char* verb;  // nullptr: the file type's default verb
    } verbs[] = {{std::nullopt, nullptr}, {0, nullptr}, {1, "edit"}, {2, "explore"}, {3, "find"},
                 {4, "open"},             {5, "print"}, {6, nullptr}, {-1, nullptr}};
    for (const VerbCase& c : verbs) {
        const char* verb = platform::ShellVerb(c.operation);
        EXPECT_STREQ(c.verb, verb) << c.operation.value_or(999);
    }

    struct ShowCase {
        std::optional<int32_t> mode;
        int command;
    } shows[] = {{std::nullopt, SW_SHOWNORMAL}, {0, SW_SHOWNORMAL}, {1, SW_HIDE},
                 {2, SW_SHOWNORMAL},            {3, SW_SHOWMINIMIZED}, {4, SW_SHOWMAXIMIZED},
                 {5, SW_SHOWNA},                {6, SW_MINIMIZE},   {7, SW_SHOWNORMAL},
                 {-1, SW_SHOWNORMAL}};
    for (const ShowCase& c : shows)
        EXPECT_EQ(c.command, platform::ShowCommand(c.mode)) << c.mode.value_or(999);
}

TEST(MessageBoxTables, StyleIsTaskModalUnlessSystemModal) {
    struct Case {
        int32_t flags;
        uint32_t style;
    } cases[] = {{0, 0x2000},      {MB_ICONINFORMATION, 0x2040}, {MB_SYSTEMMODAL, 0x1000},
                 {0x1040, 0x1040}, {MB_TASKMODAL, 0x2000},       {MB_YESNO, 0x2004}};
    for (const Case& c : cases) EXPECT_EQ(c.style, platform::MessageBoxStyle(c.flags)) << c.flags;
}

TEST(MessageBoxTables, AnswerNumbers) {
    struct Case {
        int pressed;
        int32_t result;
    } cases[] = {{IDOK, 0},     {IDCANCEL, 1}, {IDABORT, 2},    {IDRETRY, 3},    {IDIGNORE, 4},
                 {IDYES, 5},    {IDNO, 6},     {0, 0},          {IDTRYAGAIN, 0}, {IDCONTINUE, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.result, platform::MessageBoxResultOf(c.pressed)) << c.pressed;
}

TEST(DescendsFrom, FollowsParentIdsBackToUs) {
    const std::vector<platform::ProcessEntry> processes = {
        {1, 0, "wininit.exe"}, {10, 1, "tamsel.exe"}, {20, 10, "cmd.exe"}, {30, 20, "cmd.exe"},
        {40, 1, "cmd.exe"},    {50, 99, "dism.exe"},  {60, 61, "cmd.exe"}, {61, 60, "cmd.exe"},
    };
    struct Case {
        uint32_t id;
        bool ours;
    } cases[] = {
        {20, true},   // our child
        {30, true},   // its child
        {40, false},  // a sibling of ours
        {10, false},  // ourselves
        {50, false},  // its parent is gone from the list
        {60, false},  // reused ids that loop
        {77, false},  // not in the list at all
    };
    for (const Case& c : cases) EXPECT_EQ(c.ours, platform::DescendsFrom(c.id, 10, processes)) << c.id;
}

}  // namespace
