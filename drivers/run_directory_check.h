// The run directory goes into a command script; some characters cannot go there safely.
#pragma once

#include "drivers/program.h"

// True, after telling the user, when the run directory (the caption of 标签1) holds a '%'.
// The interpreter expands %NAME% even inside double quotes, so such a path could not reach DISM
// as written. A '%' byte is never the trail byte of a double-byte character.
bool RefuseUnsafeRunDirectory(Program& program);
