#include "waiting_cmd.h"

WaitingCmd::~WaitingCmd() {
    if (Running()) TerminateProcess(process.Get(), 1);
}

bool WaitingCmd::Running() const {
    return process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

WaitingCmd StartWaitingCmd() {
    WaitingCmd cmd;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return cmd;
    platform::KernelHandle childInput(readEnd);
    cmd.input.Reset(writeEnd);
    SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
    platform::FileHandle nul(CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         &inheritable, OPEN_EXISTING, 0, nullptr));

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput.Get();
    startup.hStdOutput = nul.Get();
    startup.hStdError = nul.Get();
    PROCESS_INFORMATION started{};
    char commandLine[] = "cmd.exe /q /k";
    if (CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        cmd.process.Reset(started.hProcess);
    }
    return cmd;
}
