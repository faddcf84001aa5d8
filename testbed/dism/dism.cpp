// The test bed's DISM: understands the two driver commands Tamsel hands it, does the part of
// their work that Tamsel can see (folders filling up, at a visible pace), and records every run.
//
// One line per run is appended to C:\testbed\dism.log in UTF-8, tab-separated key=value fields
// (tab, CR, LF and backslash escaped as \t \r \n \\):
//   bits=64  exit=0  cwd=C:\windows\system32  cmdline=<raw>  arg=<argv[0]>  arg=<argv[1]> ...
// C:\testbed\dism-pace holds the copy rate in bytes per second (0: as fast as possible).
// Exit codes as DISM gives them: 87 malformed command, 3 path not found, 2 no driver package,
// 11 a 32-bit DISM asked to service a running 64-bit system.
#include <windows.h>
#include <shellapi.h>

#include <cwctype>
#include <string>
#include <vector>

namespace {

const wchar_t LogPath[] = L"C:\\testbed\\dism.log";
const wchar_t PacePath[] = L"C:\\testbed\\dism-pace";
const wchar_t RepositoryPath[] = L"C:\\Windows\\System32\\DriverStore\\FileRepository";

enum ExitCode : int { Success = 0, NoDriverPackage = 2, PathNotFound = 3, WrongBitness = 11, BadCommand = 87 };

std::wstring Lower(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string Escaped(const std::wstring& text) {
    std::string out;
    for (char c : Utf8(text)) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default: out += c;
        }
    }
    return out;
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Copies at a steady rate in small chunks, so that a folder measured ten times a second is seen
// to grow. Each chunk reaches the file at once: WriteFile keeps no buffer of its own.
class PacedCopier {
public:
    PacedCopier() : start_(GetTickCount64()) {
        HANDLE file = CreateFileW(PacePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        char text[32] = {};
        DWORD read = 0;
        ReadFile(file, text, sizeof text - 1, &read, nullptr);
        CloseHandle(file);
        bytesPerSecond_ = _strtoui64(text, nullptr, 10);
    }

    bool CopyOneFile(const std::wstring& from, const std::wstring& to) {
        HANDLE in = CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (in == INVALID_HANDLE_VALUE) return false;
        HANDLE out = CreateFileW(to.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
        bool ok = out != INVALID_HANDLE_VALUE;
        std::vector<char> chunk(64 * 1024);
        DWORD read = 0;
        while (ok && ReadFile(in, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) && read > 0) {
            DWORD written = 0;
            ok = WriteFile(out, chunk.data(), read, &written, nullptr) && written == read;
            copied_ += read;
            Pace();
        }
        if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
        CloseHandle(in);
        return ok;
    }

    // Copies the files of one package folder (packages hold no subfolders).
    bool CopyPackage(const std::wstring& from, const std::wstring& to) {
        if (!CreateDirectoryW(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
        bool ok = true;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return false;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ok = CopyOneFile(from + L"\\" + found.cFileName, to + L"\\" + found.cFileName) && ok;
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return ok;
    }

private:
    void Pace() {
        if (bytesPerSecond_ == 0) return;
        const ULONGLONG due = start_ + copied_ * 1000 / bytesPerSecond_;
        const ULONGLONG now = GetTickCount64();
        if (due > now) Sleep(static_cast<DWORD>(due - now));
    }

    ULONGLONG start_;
    ULONGLONG bytesPerSecond_ = 8 * 1024 * 1024;
    ULONGLONG copied_ = 0;
};

std::vector<std::wstring> SubfolderNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// "*.inf" also matches by short name, and a package folder "x.inf_amd64_..." has the short
// name "X~1.INF": only a file whose own name ends in .inf counts.
bool HoldsInf(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*.inf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool holds = false;
    do {
        const std::wstring name = Lower(found.cFileName);
        holds = !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.size() > 4 &&
                name.compare(name.size() - 4, 4, L".inf") == 0;
    } while (!holds && FindNextFileW(search, &found));
    FindClose(search);
    return holds;
}

int ExportDrivers(const std::wstring& destination) {
    if (!IsDirectory(destination)) return PathNotFound;
    PacedCopier copier;
    for (const auto& name : SubfolderNames(RepositoryPath))
        copier.CopyPackage(std::wstring(RepositoryPath) + L"\\" + name, destination + L"\\" + name);
    return Success;
}

void FindPackages(const std::wstring& folder, bool recurse, std::vector<std::wstring>& packages) {
    if (HoldsInf(folder)) packages.push_back(folder);
    if (!recurse) return;
    for (const auto& name : SubfolderNames(folder)) FindPackages(folder + L"\\" + name, recurse, packages);
}

// Each package becomes a new folder in the store, even when the same one is already there, so
// the store always grows by what was added.
int AddDrivers(const std::wstring& source, bool recurse) {
    if (!IsDirectory(source)) return PathNotFound;
    std::vector<std::wstring> packages;
    FindPackages(source, recurse, packages);
    if (packages.empty()) return NoDriverPackage;
    PacedCopier copier;
    for (const auto& package : packages) {
        const std::wstring name = package.substr(package.find_last_of(L'\\') + 1);
        std::wstring target;
        for (int n = 1; target.empty() || GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
            target = std::wstring(RepositoryPath) + L"\\" + name + L"~" + std::to_wstring(n);
        copier.CopyPackage(package, target);
    }
    return Success;
}

bool IsWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

int Run(const std::vector<std::wstring>& args) {
    bool online = false, exportDriver = false, addDriver = false, recurse = false;
    std::wstring destination, driver;
    bool hasDestination = false, hasDriver = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg.size() < 2 || (arg[0] != L'/' && arg[0] != L'-')) return BadCommand;
        const size_t colon = arg.find(L':');
        const std::wstring name = Lower(arg.substr(1, colon == std::wstring::npos ? std::wstring::npos : colon - 1));
        const bool hasValue = colon != std::wstring::npos;
        const std::wstring value = hasValue ? arg.substr(colon + 1) : std::wstring();
        if (name == L"online" && !hasValue) online = true;
        else if (name == L"export-driver" && !hasValue) exportDriver = true;
        else if (name == L"add-driver" && !hasValue) addDriver = true;
        else if (name == L"recurse" && !hasValue) recurse = true;
        else if (name == L"destination" && !value.empty()) destination = value, hasDestination = true;
        else if (name == L"driver" && !value.empty()) driver = value, hasDriver = true;
        else return BadCommand;
    }
    if (!online || exportDriver == addDriver) return BadCommand;
    if (exportDriver && (!hasDestination || hasDriver || recurse)) return BadCommand;
    if (addDriver && (!hasDriver || hasDestination)) return BadCommand;
    if (IsWow64()) return WrongBitness;
    return exportDriver ? ExportDrivers(destination) : AddDrivers(driver, recurse);
}

void AppendRecord(int exitCode, const std::vector<std::wstring>& args) {
    wchar_t cwd[MAX_PATH * 4] = {};
    GetCurrentDirectoryW(ARRAYSIZE(cwd), cwd);
    std::string line = "bits=" + std::to_string(sizeof(void*) * 8) + "\texit=" + std::to_string(exitCode) +
                       "\tcwd=" + Escaped(cwd) + "\tcmdline=" + Escaped(GetCommandLineW());
    for (const auto& arg : args) line += "\targ=" + Escaped(arg);
    line += "\n";
    // Runs may end at the same moment: appends of one write each do not interleave.
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE log = CreateFileW(LogPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_ALWAYS, 0, nullptr);
        if (log != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(log);
            return;
        }
        Sleep(10);
    }
}

}  // namespace

int wmain() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args(argv, argv + (argv ? count : 0));
    LocalFree(argv);
    const int exitCode = Run(args);
    AppendRecord(exitCode, args);
    return exitCode;
}
