#include "support.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

const std::wstring ScratchRoot = L"C:\\tamsel-platform-tests";

}  // namespace

ScratchFolder::ScratchFolder(const std::wstring& name) : path_(ScratchRoot + L"\\" + name) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::wstring HelperPath(const std::wstring& fileName) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.rfind(L'\\') + 1) + fileName;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

ChildProcess::~ChildProcess() {
    if (Running()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 10000);
    }
}

bool ChildProcess::Running() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::WaitForExit(DWORD deadlineMs) const {
    DWORD code = STILL_ACTIVE;
    if (process_ && WaitForSingleObject(process_.Get(), deadlineMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_.Get(), &code);
    return code;
}

ChildProcess StartChild(const std::wstring& commandLine, const std::wstring& directory) {
    std::wstring mutableLine = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &started))
        return ChildProcess(nullptr);
    CloseHandle(started.hThread);
    return ChildProcess(started.hProcess);
}
