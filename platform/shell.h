// How ShellOpen's numbered arguments become ShellExecuteA's verb and show command.
#pragma once

#include <cstdint>
#include <optional>

namespace platform {

// 1 edit, 2 explore, 3 find, 4 open, 5 print; any other number, or none, gives nullptr:
// the default verb of the file's type.
const char* ShellVerb(std::optional<int32_t> operation);

// 1 hide, 2 normal, 3 minimised, 4 maximised, 5 shown without activation, 6 minimise;
// any other number, or none, gives SW_SHOWNORMAL.
int ShowCommand(std::optional<int32_t> showMode);

}  // namespace platform
