// Folders and files, by path in the ANSI code page, passed to Win32 unchanged.
#include <windows.h>

#include "platform/operations.h"
#include "platform/unique_handle.h"

namespace platform {

int32_t CreateFolder(const Text& path) { return CreateDirectoryA(path.c_str(), nullptr); }

int32_t PathExists(const Text& path) {
    WIN32_FIND_DATAA found;
    // A folder and a file count alike: the attributes are not looked at.
    return FindHandle(FindFirstFileA(path.c_str(), &found)) ? 1 : 0;
}

int32_t WriteBytesToFile(const Text& path, const Bytes& bytes) {
    if (path.empty()) return 0;
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    // CREATE_ALWAYS truncates an existing file; no other opener while we write.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, &security, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 0;
    if (!bytes.empty()) {
        DWORD written = 0;
        const DWORD length = static_cast<DWORD>(bytes.size());
        if (!WriteFile(file.Get(), bytes.data(), length, &written, nullptr) || written != length)
            return 0;  // the owner closes the file; it keeps whatever reached it
    }
    return CloseHandle(file.Release()) ? 1 : 0;
}

int32_t DeleteFilePath(const Text& path) { return DeleteFileA(path.c_str()); }

}  // namespace platform
