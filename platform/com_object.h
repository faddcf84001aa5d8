// The probe's handle on one COM object: empty, or one interface pointer with one reference.
#pragma once

#include <unknwn.h>

#include "platform/com_ptr.h"
#include "platform/system.h"

namespace platform {

using ComObject = ComPtr<IUnknown>;

// Creates an instance of the class registered under the ProgID and runs it. On success the
// object holds it (whatever it held before is released) and 1 is returned; on failure the
// object is left as it was and 0 is returned.
int32_t CreateComObject(ComObject& object, const Text& progId);

// Releases the held reference; an empty object stays empty.
void ClearComObject(ComObject& object);

}  // namespace platform
