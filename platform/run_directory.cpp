#include "platform/run_directory.h"

#include <windows.h>

#include "platform/operations.h"

namespace platform {
namespace {

Text& RunDirectory() {
    static Text runDirectory;
    return runDirectory;
}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

Text CutAtLastBackslash(const Text& modulePath, LeadBytePredicate isLeadByte) {
    size_t lastBackslash = Text::npos;
    for (size_t i = 0; i < modulePath.size(); ++i) {
        if (modulePath[i] == '\\') {
            lastBackslash = i;
        } else if (isLeadByte(static_cast<unsigned char>(modulePath[i])) &&
                   i + 1 < modulePath.size()) {
            ++i;  // the trail byte belongs to this character, whatever its value
        }
    }
    return lastBackslash == Text::npos ? Text() : modulePath.substr(0, lastBackslash);
}

void FixRunDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    RunDirectory() = CutAtLastBackslash(Text(path, length), IsAnsiLeadByte);
    // The shell starts the script with an empty working directory, which means this one.
    // The backslash matters at a drive root: "C:" alone names the drive's current directory,
    // which need not be its root.
    SetCurrentDirectoryA((RunDirectory() + "\\").c_str());
}

Text GetRunDirectory() { return RunDirectory(); }

}  // namespace platform
