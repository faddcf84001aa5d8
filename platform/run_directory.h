// The run directory: the folder of the running executable, fixed once at start-up.
#pragma once

#include "platform/system.h"

namespace platform {

// Tells whether a byte opens a two-byte character in the code page the path is written in.
using LeadBytePredicate = bool (*)(unsigned char byte);

// The folder part of a module path: everything before its last backslash, found character by
// character so that the second byte of a double-byte character (it may be 0x5C) is never taken
// for one. "C:\app.exe" gives "C:"; a path without any backslash gives "".
Text CutAtLastBackslash(const Text& modulePath, LeadBytePredicate isLeadByte);

// Reads the executable's path, keeps its folder as the run directory and makes that the
// current directory. Called once by StartUp.
void FixRunDirectory();

}  // namespace platform
