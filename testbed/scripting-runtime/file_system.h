// The two automation classes of the stand-in: the file-system object with GetFolder, and the
// folder object with Size.
#pragma once

#include <string>

#include "testbed/scripting-runtime/dispatch_object.h"

namespace standin {

// A new file-system object with one reference, or null when it cannot be made.
IDispatch* NewFileSystemObject();

}  // namespace standin
