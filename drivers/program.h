// What the handlers share: the system seam and the program's few pieces of state.
#pragma once

#include <cstdint>

#include "platform/system.h"

struct Program {
    explicit Program(System& s) : system(s) {}

    System& system;
    // The size that progress is measured against; written by each backup or restore click.
    int64_t ReferenceSize = 0;
    // Set once this run has written the script file, so that the clean-up never deletes a
    // "C:\temp.bat" that somebody else left there.
    bool scriptWrittenByThisRun = false;
};

// Every handler in the event table has this shape: no arguments beyond the program.
using Handler = void (*)(Program&);
