// The process list as a snapshot shows it, and who descends from whom in it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/system.h"

namespace platform {

struct ProcessEntry {
    uint32_t id;
    uint32_t parentId;
    Text exeName;  // the file name without its folder, in the ANSI code page
};

// Whether the parent links lead from the process `id` back to `ancestorId`. A process is not
// its own descendant. The walk stops at a process missing from the list (its parent has
// ended) and at a loop, which reused process ids can make.
bool DescendsFrom(uint32_t id, uint32_t ancestorId, const std::vector<ProcessEntry>& processes);

}  // namespace platform
