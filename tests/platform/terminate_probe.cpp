// Plays the program for the process tests.
//   terminate_probe window          a top-level window titled "cmd.exe", until it is ended
//   terminate_probe job OUT         start-up as the program does it, two interpreters of its
//   terminate_probe parents OUT     own; "parents" skips the job, so parent ids must tell
// For each name in turn it writes: the name, TerminateProcessByName's result, and how many of
// its own interpreters have ended by then.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/operations.h"
#include "platform/own_job.h"
#include "waiting_cmd.h"

namespace {

int ShowTitledWindow() {
    HWND window = CreateWindowExA(0, "STATIC", "cmd.exe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  200, 100, nullptr, nullptr, nullptr, nullptr);
    if (!window) return 2;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}

int Ended(const WaitingCmd (&own)[2]) { return !own[0].Running() + !own[1].Running(); }

// A process ends a moment after TerminateProcess returns: wait, with a deadline, until one of
// those that were running before the call has ended.
int WaitForOneOf(const std::vector<HANDLE>& wereRunning, const WaitingCmd (&own)[2]) {
    if (!wereRunning.empty())
        WaitForMultipleObjects(static_cast<DWORD>(wereRunning.size()), wereRunning.data(), FALSE,
                               10000);
    return Ended(own);
}

int EndOwnInterpreters(bool useJob, const char* outPath) {
    if (useJob) platform::StartUp();
    WaitingCmd own[2] = {StartWaitingCmd(), StartWaitingCmd()};
    if (!own[0].process || !own[1].process) return 3;

    std::string report = "job " + std::to_string(platform::OwnJob() != nullptr) + "\n";
    for (const char* name : {"", "cmd.exe", "CMD.EXE", "cmd.exe"}) {
        std::vector<HANDLE> running;
        for (const WaitingCmd& cmd : own)
            if (cmd.Running()) running.push_back(cmd.process.Get());
        const int32_t result = platform::TerminateProcessByName(name);
        const int ended = result ? WaitForOneOf(running, own) : Ended(own);
        report += "'" + std::string(name) + "' " + std::to_string(result) + " " +
                  std::to_string(ended) + "\n";
    }
    for (const WaitingCmd& cmd : own) {
        DWORD code = 99;
        GetExitCodeProcess(cmd.process.Get(), &code);
        report += "exit " + std::to_string(code) + "\n";
    }
    if (useJob) platform::ShutDown();

    FILE* out = std::fopen(outPath, "wb");
    if (!out) return 4;
    std::fwrite(report.data(), 1, report.size(), out);
    return std::fclose(out) == 0 ? 0 : 4;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "window") return ShowTitledWindow();
    if ((mode == "job" || mode == "parents") && argc > 2)
        return EndOwnInterpreters(mode == "job", argv[2]);
    return 1;
}
