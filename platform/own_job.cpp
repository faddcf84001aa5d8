#include "platform/own_job.h"

#include "platform/unique_handle.h"

namespace platform {
namespace {

KernelHandle& Job() {
    static KernelHandle job;
    return job;
}

}  // namespace

void JoinOwnJob() {
    KernelHandle job(CreateJobObjectA(nullptr, nullptr));
    // Fails when an enclosing job forbids nesting; our processes are then told by parent ids.
    if (job && AssignProcessToJobObject(job.Get(), GetCurrentProcess())) Job() = std::move(job);
}

HANDLE OwnJob() { return Job().Get(); }

}  // namespace platform
