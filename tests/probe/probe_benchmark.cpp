// Prints, as "name: value" lines, what one measurement of a tree of 10,000 files costs next to
// the stand-in's bare walk of the same tree, and what 10,000 measurements of a small folder do
// to the process's handles and private bytes. It asserts nothing about time; it fails only
// when the sizes it measured are wrong, since its figures would then mean nothing.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "platform/folder_size.h"
#include "tests/probe/probe_support.h"

namespace {

constexpr int Folders = 100;
constexpr int FilesPerFolder = 100;
constexpr int Calls = 10000;

double Milliseconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// The tree is kept in the prefix between runs: making 10,000 files costs more than the rest.
// The mark is written last, so a run that was stopped half-way makes it again.
Text BenchmarkTree(uint64_t& bytes) {
    const Text root = "C:\\tamsel-probe-benchmark";
    const Text mark = root + "\\complete.mark";
    std::vector<TreeEntry> entries;
    bytes = 0;
    for (int folder = 0; folder < Folders; ++folder)
        for (int file = 0; file < FilesPerFolder; ++file) {
            const uint64_t size = static_cast<uint64_t>(folder * FilesPerFolder + file);
            entries.push_back(
                {"tree\\d" + std::to_string(folder) + "\\f" + std::to_string(file) + ".bin", size});
            bytes += size;
        }
    if (GetFileAttributesA(mark.c_str()) == INVALID_FILE_ATTRIBUTES) {
        for (const TreeEntry& entry : entries) MakeFile(root + "\\" + entry.relativePath, entry.size);
        MakeFile(mark, 0);
    }
    return root + "\\tree";
}

struct ProcessUse {
    DWORD handleCount = 0;
    uintptr_t nextHandle = 0;
    SIZE_T privateUsage = 0;
    SIZE_T privateCommitted = 0;
};

ProcessUse CurrentUse() {
    ProcessUse use;
    if (!GetProcessHandleCount(GetCurrentProcess(), &use.handleCount)) use.handleCount = 0;
    // Where a new handle lands: it climbs when handles are left open, also where the count
    // above is not kept (Wine reports 0).
    HANDLE probe = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    use.nextHandle = reinterpret_cast<uintptr_t>(probe);
    CloseHandle(probe);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory))
        use.privateUsage = memory.PrivateUsage;
    // The same figure counted from the address space, since Wine keeps the one above at 0.
    MEMORY_BASIC_INFORMATION region;
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            use.privateCommitted += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return use;
}

long Change(uintptr_t before, uintptr_t after) {
    return static_cast<long>(after) - static_cast<long>(before);
}

}  // namespace

int main() {
    ComApartment com;
    StandIn standIn;
    if (!standIn.Loaded()) {
        std::printf("error: the stand-in Scripting Runtime is not installed\n");
        return 1;
    }

    uint64_t treeBytes = 0;
    const Text tree = BenchmarkTree(treeBytes);
    const std::wstring wideTree = ToWide(tree);
    // The first walk warms what every later one finds warm; then the better of three of each.
    int64_t probed = GetFolderSize(tree);
    LONGLONG walked = 0;
    double probeMs = 1e300, walkMs = 1e300;
    for (int round = 0; round < 3; ++round) {
        probeMs = std::min(probeMs, Milliseconds([&] { probed = GetFolderSize(tree); }));
        walkMs = std::min(walkMs, Milliseconds([&] { standIn.FolderBytes(wideTree, walked); }));
    }
    std::printf("tree_files: %d\n", Folders * FilesPerFolder);
    std::printf("tree_bytes: %llu\n", static_cast<unsigned long long>(treeBytes));
    std::printf("probe_bytes: %lld\n", static_cast<long long>(probed));
    std::printf("walk_bytes: %lld\n", static_cast<long long>(walked));
    std::printf("probe_ms: %.3f\n", probeMs);
    std::printf("walk_ms: %.3f\n", walkMs);
    std::printf("probe_to_walk_ratio: %.3f\n", probeMs / walkMs);

    ScratchFolder scratch;
    const Text small = scratch.MakeTree("small", {{"a.bin", 1234}});
    for (int i = 0; i < 100; ++i) GetFolderSize(small);  // one-time allocations out of the way
    const ProcessUse before = CurrentUse();
    int wrong = 0;
    const double callsMs = Milliseconds([&] {
        for (int i = 0; i < Calls; ++i) wrong += GetFolderSize(small) != 1234;
    });
    const ProcessUse after = CurrentUse();
    std::printf("calls: %d\n", Calls);
    std::printf("calls_with_wrong_size: %d\n", wrong);
    std::printf("call_ms: %.4f\n", callsMs / Calls);
    std::printf("handle_count_before: %lu\n", before.handleCount);
    std::printf("handle_count_change: %ld\n", Change(before.handleCount, after.handleCount));
    std::printf("next_handle_change: %ld\n", Change(before.nextHandle, after.nextHandle));
    std::printf("private_usage_before: %lu\n", static_cast<unsigned long>(before.privateUsage));
    std::printf("private_usage_change: %ld\n", Change(before.privateUsage, after.privateUsage));
    std::printf("private_committed_before: %lu\n", static_cast<unsigned long>(before.privateCommitted));
    std::printf("private_committed_change: %ld\n", Change(before.privateCommitted, after.privateCommitted));
    std::printf("live_objects_after: %ld\n", standIn.LiveObjects());

    const bool sizesRight =
        probed == static_cast<int64_t>(treeBytes) && walked == static_cast<LONGLONG>(treeBytes) && wrong == 0;
    return sizesRight ? 0 : 1;
}
