#include "tests/e2e/harness.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <set>
#include <sstream>

namespace e2e {

std::wstring Widen(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& text, UINT codePage) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// --- Files and folders -------------------------------------------------------------------

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

void CreateFolders(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
}

namespace {

struct Entry {
    std::wstring name;
    bool folder;
    int64_t size;
};

std::vector<Entry> Entries(const std::wstring& folder) {
    std::vector<Entry> entries;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (static_cast<int64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return entries;
}

void CollectContents(const std::wstring& folder, const std::wstring& prefix,
                     std::map<std::wstring, std::string>& contents) {
    for (const auto& entry : Entries(folder)) {
        if (entry.folder)
            CollectContents(folder + L"\\" + entry.name, prefix + entry.name + L"\\", contents);
        else
            contents[prefix + entry.name] = ReadBytes(folder + L"\\" + entry.name);
    }
}

}  // namespace

void RemoveTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
        return;
    }
    for (const auto& entry : Entries(path)) RemoveTree(path + L"\\" + entry.name);
    RemoveDirectoryW(path.c_str());
}

std::vector<std::wstring> SubfolderNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : Entries(folder))
        if (entry.folder) names.push_back(entry.name);
    return names;
}

int64_t FolderBytes(const std::wstring& folder) {
    int64_t total = 0;
    for (const auto& entry : Entries(folder))
        total += entry.folder ? FolderBytes(folder + L"\\" + entry.name) : entry.size;
    return total;
}

std::map<std::wstring, std::string> TreeContents(const std::wstring& folder) {
    std::map<std::wstring, std::string> contents;
    CollectContents(folder, L"", contents);
    return contents;
}

void CopyTree(const std::wstring& from, const std::wstring& to) {
    CreateFolders(to);
    for (const auto& entry : Entries(from)) {
        if (entry.folder)
            CopyTree(from + L"\\" + entry.name, to + L"\\" + entry.name);
        else
            CopyFileW((from + L"\\" + entry.name).c_str(), (to + L"\\" + entry.name).c_str(), FALSE);
    }
}

// --- The test bed ------------------------------------------------------------------------

std::wstring BuildPath(const std::wstring& relative) {
    wchar_t build[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TAMSEL_BUILD", build, MAX_PATH);
    std::wstring path = std::wstring(L"Z:") + build + L"\\" + relative;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring TamselExePath() { return BuildPath(L"Tamsel.exe"); }

std::vector<std::wstring> SamplePackageNames() {
    std::vector<std::wstring> names;
    std::istringstream lines(ReadBytes(L"C:\\testbed\\driverstore-sample.txt"));
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) names.push_back(Widen(line));
    return names;
}

void ResetDriverStore() {
    const auto sample = SamplePackageNames();
    for (const auto& name : SubfolderNames(RepositoryPath))
        if (std::find(sample.begin(), sample.end(), name) == sample.end())
            RemoveTree(std::wstring(RepositoryPath) + L"\\" + name);
}

namespace {

std::wstring Unescaped(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        const char next = field[++i];
        out += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return Widen(out);
}

DismRecord ParseRecord(const std::string& line) {
    DismRecord record;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) {
        const size_t equals = field.find('=');
        const std::string key = field.substr(0, equals);
        const std::wstring value = equals == std::string::npos ? L"" : Unescaped(field.substr(equals + 1));
        if (key == "bits") record.bits = std::stoi(value);
        else if (key == "exit") record.exitCode = std::stoi(value);
        else if (key == "cwd") record.cwd = value;
        else if (key == "cmdline") record.commandLine = value;
        else if (key == "arg") record.args.push_back(value);
    }
    return record;
}

}  // namespace

std::vector<DismRecord> ReadDismLog() {
    std::vector<DismRecord> records;
    std::istringstream lines(ReadBytes(L"C:\\testbed\\dism.log"));
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) records.push_back(ParseRecord(line));
    return records;
}

void SetDismPace(uint64_t bytesPerSecond) {
    WriteBytes(L"C:\\testbed\\dism-pace", std::to_string(bytesPerSecond));
}

std::optional<DismRecord> WaitForDismRecord(size_t seen, std::chrono::milliseconds deadline) {
    std::vector<DismRecord> records;
    if (!WaitUntil([&] { return (records = ReadDismLog()).size() > seen; }, deadline)) return std::nullopt;
    return records[seen];
}

// --- Processes ---------------------------------------------------------------------------

Process::Process(Process&& other) noexcept : handle_(other.handle_), id_(other.id_) { other.handle_ = nullptr; }

Process& Process::operator=(Process&& other) noexcept {
    std::swap(handle_, other.handle_);
    std::swap(id_, other.id_);
    return *this;
}

Process::~Process() {
    if (handle_) CloseHandle(handle_);
}

bool Process::Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::WaitForExit(std::chrono::milliseconds deadline) {
    if (!handle_ || WaitForSingleObject(handle_, static_cast<DWORD>(deadline.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(handle_, &code);
    return code;
}

void Process::Kill() {
    if (Running()) {
        TerminateProcess(handle_, 1);
        WaitForSingleObject(handle_, 5000);
    }
}

namespace {

// The test's own environment with NAME=value overrides, as a block for CreateProcessW.
std::wstring EnvironmentBlock(const std::vector<std::wstring>& overrides) {
    auto nameOf = [](const std::wstring& entry) {
        std::wstring name = entry.substr(0, entry.find(L'=', 1));
        std::transform(name.begin(), name.end(), name.begin(), ::towupper);
        return name;
    };
    std::vector<std::wstring> entries;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* at = strings; *at; at += wcslen(at) + 1) entries.emplace_back(at);
    FreeEnvironmentStringsW(strings);
    for (const auto& entry : overrides) {
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const std::wstring& e) { return nameOf(e) == nameOf(entry); }),
                      entries.end());
        entries.push_back(entry);
    }
    std::wstring block;
    for (const auto& entry : entries) block += entry + L'\0';
    return block + L'\0';
}

}  // namespace

Process Start(const std::wstring& program, const std::wstring& arguments, const std::wstring& directory,
              const std::vector<std::wstring>& environment, DWORD flags) {
    std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    std::wstring block = EnvironmentBlock(environment);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        flags | CREATE_UNICODE_ENVIRONMENT, block.data(),
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info))
        return {};
    CloseHandle(info.hThread);
    return Process(info.hProcess, info.dwProcessId);
}

std::vector<ProcessEntry> ListProcesses() {
    std::vector<ProcessEntry> processes;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return processes;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
    CloseHandle(snapshot);
    return processes;
}

Process StartUserPrompt() {
    return Start(L"C:\\windows\\system32\\cmd.exe", L"/k", L"C:\\", {}, CREATE_NEW_CONSOLE);
}

void PrepareRunFolder(const std::wstring& folder) {
    if (folder.size() > 2) CreateFolders(folder);
    CopyFileW(TamselExePath().c_str(), (folder + L"\\Tamsel.exe").c_str(), FALSE);
}

// --- The window --------------------------------------------------------------------------

namespace {

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

template <typename Match>
HWND FindTopLevel(DWORD processId, Match match) {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows)
        if (ProcessOf(window) == processId && IsWindowVisible(window) && match(window)) return window;
    return nullptr;
}

struct Place {
    const wchar_t* className;  // nullptr: any
    int left;
    int top;
};

Place PlaceOf(Control control) {
    switch (control) {
        case Control::按钮1: return {L"Button", 352, 24};
        case Control::按钮2: return {L"Button", 352, 56};
        case Control::按钮3: return {L"Button", 352, 163};
        case Control::进度条1: return {PROGRESS_CLASSW, -1, 209};
        case Control::图片框1: return {nullptr, 8, 152};
        case Control::标签1: return {nullptr, 224, 5};
    }
    return {};
}

// Cross-process messages with a bound: the window may be busy measuring a folder.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result)) return -1;
    return static_cast<LRESULT>(result);
}

}  // namespace

// Wine takes a process's ANSI code page from its Unix locale, which a Windows parent cannot
// set: Tamsel is started through Wine's Unix launcher with the overrides in its environment,
// and then found as the new Tamsel.exe with a main window. Wine leaves WINEDLLOVERRIDES out of
// a Unix child's environment, so it is passed on here as well.
Tamsel::Tamsel(const std::wstring& runFolder, const std::vector<std::wstring>& environment) {
    std::set<DWORD> earlier;
    for (const auto& process : ListProcesses()) earlier.insert(process.id);
    wchar_t overrides[1024] = {};
    GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 1024);
    std::wstring commandLine = L"env \"WINEDLLOVERRIDES=" + std::wstring(overrides) + L"\"";
    for (const auto& entry : environment) commandLine += L" \"" + entry + L"\"";
    commandLine += L" wine \"" + runFolder + L"\\Tamsel.exe\"";
    const std::wstring directory = runFolder.size() > 2 ? runFolder : runFolder + L"\\";  // "D:" alone is relative
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(L"Z:\\usr\\bin\\env", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &info))
        return;
    if (info.hProcess) CloseHandle(info.hProcess);
    if (info.hThread) CloseHandle(info.hThread);
    WaitUntil([&] {
        for (const auto& process : ListProcesses()) {
            if (earlier.count(process.id) || _wcsicmp(process.exeName.c_str(), L"Tamsel.exe") != 0) continue;
            window_ = FindTopLevel(process.id, [](HWND w) { return TextOf(w) == L"Tamsel Beta"; });
            if (window_) {
                process_ = Process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE,
                                               FALSE, process.id), process.id);
                return true;
            }
        }
        return false;
    });
}

Tamsel::~Tamsel() { process_.Kill(); }

HWND Tamsel::Find(Control control) const {
    const Place place = PlaceOf(control);
    HWND found = nullptr;
    for (HWND child = GetWindow(window_, GW_CHILD); child && !found; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.left == place.left && rect.top == place.top &&
            (!place.className || _wcsicmp(ClassOf(child).c_str(), place.className) == 0))
            found = child;
    }
    return found;
}

void Tamsel::Click(Control button) const { PostMessageW(Find(button), BM_CLICK, 0, 0); }

std::optional<MessageBoxView> Tamsel::OpenMessageBox() const {
    HWND box = FindTopLevel(process_.Id(), [](HWND w) { return ClassOf(w) == L"#32770"; });
    if (!box) return std::nullopt;
    return MessageBoxView{box, TextOf(box), TextOf(GetDlgItem(box, 0xFFFF)), GetWindow(box, GW_OWNER)};
}

std::optional<MessageBoxView> Tamsel::WaitForMessageBox(std::chrono::milliseconds deadline) const {
    std::optional<MessageBoxView> box;
    WaitUntil([&] { return (box = OpenMessageBox()).has_value(); }, deadline);
    return box;
}

void Tamsel::PressOk(const MessageBoxView& box) {
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box.window, IDOK)));
}

int Tamsel::BarPosition() const { return static_cast<int>(Ask(Find(Control::进度条1), PBM_GETPOS)); }

std::pair<int, int> Tamsel::BarRange() const {
    HWND bar = Find(Control::进度条1);
    return {static_cast<int>(Ask(bar, PBM_GETRANGE, TRUE)), static_cast<int>(Ask(bar, PBM_GETRANGE, FALSE))};
}

void Tamsel::Close() const { PostMessageW(window_, WM_CLOSE, 0, 0); }

void Tamsel::PressEscape() const {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &thread);
    HWND target = thread.hwndFocus ? thread.hwndFocus : window_;
    const LPARAM scan = 1 | (MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC) << 16);
    PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, scan);
    PostMessageW(target, WM_KEYUP, VK_ESCAPE, scan | 0xC0000000);
}

void Tamsel::SystemMenuClose() const { PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0); }

}  // namespace e2e
