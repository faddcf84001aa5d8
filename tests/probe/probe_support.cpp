#include "tests/probe/probe_support.h"

#include <filesystem>

std::wstring ToWide(const Text& text) {
    std::wstring wide(text.size() + 1, L'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()) + 1,
                                            wide.data(), static_cast<int>(wide.size()));
    wide.resize(written > 0 ? static_cast<size_t>(written) - 1 : 0);
    return wide;
}

namespace {

void MakeFolders(const Text& path) {
    for (size_t at = path.find('\\', 3); at != Text::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

}  // namespace

void MakeFile(const Text& path, uint64_t size) {
    MakeFolders(path.substr(0, path.rfind('\\')));
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = Text(temp) + "tamsel-probe-" + std::to_string(GetCurrentProcessId());
    std::error_code ignored;
    std::filesystem::remove_all(ToWide(path_), ignored);
    MakeFolders(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(ToWide(path_), ignored);
}

Text ScratchFolder::MakeTree(const Text& name, const std::vector<TreeEntry>& entries) const {
    const Text root = path_ + "\\" + name;
    MakeFolders(root);
    for (const TreeEntry& entry : entries) {
        const Text path = root + "\\" + entry.relativePath;
        if (path.back() == '\\')
            MakeFolders(path.substr(0, path.size() - 1));
        else
            MakeFile(path, entry.size);
    }
    return root;
}

StandIn::StandIn() : module_(LoadLibraryW(standin::DllPath)) {
    if (!module_) return;
    liveObjects_ = reinterpret_cast<standin::LiveObjectsFunction>(
        reinterpret_cast<void*>(GetProcAddress(module_, standin::LiveObjectsName)));
    folderBytes_ = reinterpret_cast<standin::FolderBytesFunction>(
        reinterpret_cast<void*>(GetProcAddress(module_, standin::FolderBytesName)));
}

StandIn::~StandIn() {
    if (module_) FreeLibrary(module_);
}
