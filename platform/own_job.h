// The job that marks the processes this program started. Every child inherits it, and so does
// every grandchild, even when the process between them has already ended: membership says
// "ours" where a chain of parent ids would break.
#pragma once

#include <windows.h>

namespace platform {

// Puts this process into a new job of its own, kept open for the life of the process. The job
// does not kill its members when it closes: the interpreters and DISM must outlive us.
void JoinOwnJob();

// That job, or nullptr when it could not be set up (the caller then falls back to parent ids).
HANDLE OwnJob();

}  // namespace platform
