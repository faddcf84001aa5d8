#include "platform/folder_size.h"

#include "platform/com_object.h"
#include "platform/invoke_com_member.h"
#include "platform/truncate_to_int64.h"

using platform::CallKind;
using platform::ComObject;

int64_t GetFolderSize(const Text& path) {
    // Both objects are made afresh for every measurement: nothing outlives the call.
    ComObject fileSystem;
    ComObject folder;
    platform::CreateComObject(fileSystem, "Scripting.FileSystemObject");

    ComObject found =
        platform::InvokeComMember(fileSystem, "GetFolder", CallKind::MethodReturningObject, {path}).object;
    platform::ClearComObject(folder);
    folder = std::move(found);

    const double size = platform::InvokeComMember(folder, "Size", CallKind::PropertyAsNumber, {}).number;
    const int64_t bytes = TruncateToInt64(size);

    platform::ClearComObject(fileSystem);
    platform::ClearComObject(folder);
    return bytes;
}
