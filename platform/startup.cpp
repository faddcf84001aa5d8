// What the process does before its first window and after its message loop.
#include <windows.h>
#include <ole2.h>

#include "platform/operations.h"
#include "platform/own_job.h"
#include "platform/run_directory.h"

namespace platform {
namespace {

bool& OleStarted() {
    static bool started = false;
    return started;
}

}  // namespace

void StartUp() {
    // We run elevated from wherever the user put us: a DLL planted beside the executable (or in
    // the current directory) must never be loaded in place of a system one. This comes before
    // anything that may load a DLL on demand, COM first of all.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A failure is not reported: every folder then measures 0 bytes.
    OleStarted() = SUCCEEDED(OleInitialize(nullptr));
    FixRunDirectory();
    JoinOwnJob();
}

void ShutDown() {
    if (OleStarted()) OleUninitialize();
    OleStarted() = false;
}

}  // namespace platform
