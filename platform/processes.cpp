// Ending one of this program's own interpreters by its executable name.
#include <windows.h>
#include <tlhelp32.h>

#include <optional>
#include <vector>

#include "platform/operations.h"
#include "platform/own_job.h"
#include "platform/process_tree.h"
#include "platform/unique_handle.h"

namespace platform {
namespace {

static_assert(sizeof(PROCESSENTRY32) == 296, "the ANSI process entry");

std::vector<ProcessEntry> TakeProcessSnapshot() {
    std::vector<ProcessEntry> processes;
    FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
    }
    return processes;
}

// The snapshot is taken at most once per call, and only when it is needed.
class Snapshot {
public:
    const std::vector<ProcessEntry>& Processes() {
        if (!processes_) processes_ = TakeProcessSnapshot();
        return *processes_;
    }

private:
    std::optional<std::vector<ProcessEntry>> processes_;
};

// Opens the process for termination if this program started it, directly or through its own
// interpreters; an empty handle otherwise. We never end ourselves.
KernelHandle OpenOwnProcess(DWORD id, Snapshot& snapshot) {
    if (id == 0 || id == GetCurrentProcessId()) return KernelHandle();
    KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id));
    if (!process) return process;
    bool ours = false;
    if (HANDLE job = OwnJob()) {
        BOOL inJob = FALSE;
        ours = IsProcessInJob(process.Get(), job, &inJob) && inJob;
    } else {
        ours = DescendsFrom(id, GetCurrentProcessId(), snapshot.Processes());
    }
    return ours ? std::move(process) : KernelHandle();
}

// Case-insensitive and aware of double-byte characters in the ANSI code page.
bool SameExeName(const Text& a, const Text& b) {
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_EQUAL;
}

}  // namespace

int32_t TerminateProcessByName(const Text& name) {
    if (name.empty()) return 0;
    Snapshot snapshot;
    // A window titled with the name comes first, but only when its process is ours.
    if (HWND window = FindWindowA(nullptr, name.c_str())) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        if (KernelHandle process = OpenOwnProcess(id, snapshot))
            return TerminateProcess(process.Get(), 0);
    }
    // At most one process per call: the first of ours in the snapshot's order. Its own
    // children keep running.
    for (const ProcessEntry& entry : snapshot.Processes()) {
        if (!SameExeName(entry.exeName, name)) continue;
        if (KernelHandle process = OpenOwnProcess(entry.id, snapshot))
            return TerminateProcess(process.Get(), 0);
    }
    return 0;
}

}  // namespace platform
