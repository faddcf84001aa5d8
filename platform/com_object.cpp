#include "platform/com_object.h"

#include <ole2.h>

#include "platform/com_text.h"

namespace platform {

int32_t CreateComObject(ComObject& object, const Text& progId) {
    const std::optional<std::wstring> name = ToComText(progId);
    if (!name) return 0;
    CLSID classId;
    if (FAILED(CLSIDFromProgID(name->c_str(), &classId))) return 0;

    // Some systems refuse the remote-server bit outright; they get one more try without it.
    constexpr DWORD AnyServer =
        CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
    constexpr DWORD LocalServers = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
    ComObject created;
    HRESULT result =
        CoCreateInstance(classId, nullptr, AnyServer, IID_IUnknown, reinterpret_cast<void**>(created.Put()));
    if (result == E_INVALIDARG)
        result = CoCreateInstance(classId, nullptr, LocalServers, IID_IUnknown,
                                  reinterpret_cast<void**>(created.Put()));
    if (FAILED(result) || !created) return 0;
    if (FAILED(OleRun(created.Get()))) return 0;

    ClearComObject(object);
    object = std::move(created);
    return 1;
}

void ClearComObject(ComObject& object) { object.Reset(); }

}  // namespace platform
