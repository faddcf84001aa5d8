// Texts cross into COM as UTF-16, converted from the system's ANSI code page.
#pragma once

#include <optional>
#include <string>

#include "platform/system.h"

namespace platform {

// The text in UTF-16 through CP_ACP; nothing when the conversion fails.
std::optional<std::wstring> ToComText(const Text& text);

}  // namespace platform
