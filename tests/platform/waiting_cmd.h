// A command interpreter that waits for input on a pipe we hold, so that it stays alive until
// something ends it. Used by the tests and by the helper that plays the program.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

struct WaitingCmd {
    platform::KernelHandle process;
    platform::KernelHandle input;  // our end of its standard input; it waits while this is open

    WaitingCmd() = default;
    WaitingCmd(WaitingCmd&&) = default;
    WaitingCmd& operator=(WaitingCmd&&) = default;
    ~WaitingCmd();

    bool Running() const;
};

// Starts "cmd.exe /q /k" with no window. An empty process handle when the start failed.
WaitingCmd StartWaitingCmd();
