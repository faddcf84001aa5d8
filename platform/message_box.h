// The pure halves of ShowMessageBox: the style it asks for and what its answer becomes.
#pragma once

#include <cstdint>

namespace platform {

// The caller's flags, task-modal unless they already ask for a system-modal box.
uint32_t MessageBoxStyle(int32_t flags);

// The pressed button as the program numbers it: OK 0, Cancel 1, Abort 2, Retry 3, Ignore 4,
// Yes 5, No 6; anything else, a failure included, 0.
int32_t MessageBoxResultOf(int pressed);

}  // namespace platform
