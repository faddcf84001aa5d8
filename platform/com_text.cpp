#include "platform/com_text.h"

#include <windows.h>

namespace platform {

std::optional<std::wstring> ToComText(const Text& text) {
    // The terminating zero goes through too, and one wide character per byte is always enough.
    const int length = static_cast<int>(text.size()) + 1;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, text.c_str(), length, wide.data(), length);
    if (written <= 0) return std::nullopt;
    wide.resize(static_cast<size_t>(written) - 1);
    return wide;
}

}  // namespace platform
