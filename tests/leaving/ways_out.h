// Ways out of a running Tamsel that the shared harness does not offer yet, and the processes
// that a run leaves behind.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {

// A real mouse click on the close button of the window's title bar. False when the button was
// not found or another window would have taken the click.
bool ClickCloseButton(HWND window);
// Alt+F4 as real keys on the keyboard, with the window in the foreground. False when it could
// not be brought there.
bool PressAltF4(HWND window);

// Every process below `root` in the parent chain, the ones whose parent has ended included.
std::vector<ProcessEntry> Descendants(DWORD root);
// Opened to be watched and killed.
Process OpenForKill(DWORD id);

}  // namespace e2e
