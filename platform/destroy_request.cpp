// The destroy request: a mark on the window plus a posted message, so that the handler asking
// for it runs to its end with the window still in place.
#include <windows.h>

#include "platform/operations.h"

namespace platform {
namespace {

constexpr char PendingMark[] = "Tamsel.DestroyRequestPending";

}  // namespace

void DestroyMainWindow(HWND window) {
    SetPropA(window, PendingMark, reinterpret_cast<HANDLE>(1));
    PostMessageA(window, DestroyRequestMessage, 0, 0);
}

bool TakeDestroyRequest(HWND window) {
    // RemovePropA hands back the mark and clears it in one step; nullptr when none was set.
    return RemovePropA(window, PendingMark) != nullptr;
}

}  // namespace platform
