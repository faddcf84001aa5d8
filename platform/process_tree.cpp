#include "platform/process_tree.h"

#include <algorithm>
#include <set>

namespace platform {

bool DescendsFrom(uint32_t id, uint32_t ancestorId, const std::vector<ProcessEntry>& processes) {
    std::set<uint32_t> seen{id};
    uint32_t current = id;
    for (;;) {
        auto entry = std::find_if(processes.begin(), processes.end(),
                                  [current](const ProcessEntry& e) { return e.id == current; });
        if (entry == processes.end()) return false;
        const uint32_t parent = entry->parentId;
        if (parent == ancestorId) return true;
        if (!seen.insert(parent).second) return false;
        current = parent;
    }
}

}  // namespace platform
