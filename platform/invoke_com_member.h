// A late-bound call of a named member of a COM object, found through the object's own type
// information (there is no fallback to IDispatch::GetIDsOfNames).
#pragma once

#include <optional>
#include <vector>

#include "platform/com_object.h"
#include "platform/system.h"

namespace platform {

// What the caller wants back, which also decides how the member is looked up.
enum class CallKind {
    MethodReturningObject,  // tried as a method, then as a property get, put and put-by-reference
    PropertyAsNumber,       // tried as a property get, then as a method
};

// Text arguments in the member's order; an absent one is omitted (trailing ones are dropped).
using ComArguments = std::vector<std::optional<Text>>;

struct ComResult {
    ComObject object;     // MethodReturningObject: the result, empty on failure
    double number = 0.0;  // PropertyAsNumber: the result, 0.0 on failure
};

// Every failure, whatever its cause, gives the empty result and leaves no reference behind.
ComResult InvokeComMember(const ComObject& object, const Text& member, CallKind kind,
                          const ComArguments& arguments);

}  // namespace platform
