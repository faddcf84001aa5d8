// The folder-size probe: asks the system's Scripting Runtime, through late-bound COM
// automation, for the total size of a folder. COM must be initialised on the calling thread.
#pragma once

#include <cstdint>

#include "platform/system.h"

// Bytes in the folder and everything below it; 0 on any failure. The path is not changed.
int64_t GetFolderSize(const Text& path);
