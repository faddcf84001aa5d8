// What the script's launch needs to know about the system it runs on.
#include <windows.h>

#include "platform/operations.h"

namespace platform {
namespace {

// Both folder queries report the length they need when the buffer is too small.
Text ReadFolder(UINT (WINAPI* query)(LPSTR, UINT)) {
    Text folder(MAX_PATH, '\0');
    UINT length = query(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) {
        folder.resize(length);
        length = query(folder.data(), static_cast<UINT>(folder.size()));
    }
    folder.resize(length < folder.size() ? length : 0);
    return folder;
}

}  // namespace

bool IsWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

Text GetWindowsDirectoryPath() { return ReadFolder(GetWindowsDirectoryA); }

Text GetSystemDirectoryPath() { return ReadFolder(GetSystemDirectoryA); }

}  // namespace platform
