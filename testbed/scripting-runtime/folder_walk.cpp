#include "testbed/scripting-runtime/folder_walk.h"

namespace standin {
namespace {

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Adds the folder's bytes to the total; the path buffer is extended and restored as it goes.
bool AddFolder(std::wstring& path, uint64_t& total) {
    const size_t length = path.size();
    if (path.empty() || path.back() != L'\\') path += L'\\';
    const size_t prefix = path.size();
    path += L'*';
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(path.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        path.resize(length);
        return false;
    }
    bool complete = true;
    do {
        if (IsDotEntry(entry.cFileName)) continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
            path.resize(prefix);
            path += entry.cFileName;
            complete = AddFolder(path, total) && complete;
        } else {
            total += (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    path.resize(length);
    return complete;
}

}  // namespace

HRESULT SumFolderBytes(const std::wstring& folder, uint64_t& total) {
    total = 0;
    std::wstring path = folder;
    return AddFolder(path, total) ? S_OK : PathNotFound;
}

}  // namespace standin
