// The program's message boxes. Its words are UTF-16, so they read right under any ANSI code page.
#include "platform/message_box.h"

#include <windows.h>

#include "platform/operations.h"

namespace platform {

uint32_t MessageBoxStyle(int32_t flags) {
    const uint32_t style = static_cast<uint32_t>(flags);
    return (style & MB_SYSTEMMODAL) ? style : style | MB_TASKMODAL;
}

int32_t MessageBoxResultOf(int pressed) {
    switch (pressed) {
        case IDCANCEL: return 1;
        case IDABORT: return 2;
        case IDRETRY: return 3;
        case IDIGNORE: return 4;
        case IDYES: return 5;
        case IDNO: return 6;
        default: return 0;  // IDOK, a failure, or a button the program never asks for
    }
}

int32_t ShowMessageBox(const UiText& message, int32_t flags, const std::optional<UiText>& caption,
                       HWND owner) {
    // A destroyed owner's handle may already name another window.
    HWND ownerNow = (owner != nullptr && IsWindow(owner)) ? owner : nullptr;
    const UiText& title = caption ? *caption : UiText(L"信息：");
    // The modal loop inside keeps dispatching this thread's timers and posted messages.
    return MessageBoxResultOf(
        MessageBoxW(ownerNow, message.c_str(), title.c_str(), MessageBoxStyle(flags)));
}

}  // namespace platform
