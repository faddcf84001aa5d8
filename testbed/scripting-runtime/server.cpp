// The in-process server's entry points: the class factory, DllGetClassObject, DllCanUnloadNow,
// and two exports for tests (live objects, and the bare walk for benchmarks).
#include <windows.h>

#include "testbed/scripting-runtime/file_system.h"
#include "testbed/scripting-runtime/folder_walk.h"
#include "testbed/scripting-runtime/standin.h"

namespace standin {
namespace {

LONG serverLocks = 0;

// One static factory for the one class; its lifetime is the DLL's.
class Factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        IDispatch* created = NewFileSystemObject();
        if (!created) return E_OUTOFMEMORY;
        const HRESULT result = created->QueryInterface(iid, object);
        created->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            InterlockedIncrement(&serverLocks);
        else
            InterlockedDecrement(&serverLocks);
        return S_OK;
    }
};

Factory factory;

}  // namespace
}  // namespace standin

extern "C" {

__declspec(dllexport) HRESULT __stdcall DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(classId, standin::FileSystemObjectClassId)) return CLASS_E_CLASSNOTAVAILABLE;
    return standin::factory.QueryInterface(iid, object);
}

__declspec(dllexport) HRESULT __stdcall DllCanUnloadNow() {
    return standin::LiveObjects() == 0 && InterlockedCompareExchange(&standin::serverLocks, 0, 0) == 0
               ? S_OK
               : S_FALSE;
}

__declspec(dllexport) LONG __stdcall StandInLiveObjects() { return standin::LiveObjects(); }

__declspec(dllexport) HRESULT __stdcall StandInFolderBytes(const wchar_t* path, LONGLONG* bytes) {
    if (!path || !bytes) return E_POINTER;
    uint64_t total = 0;
    const HRESULT result = standin::SumFolderBytes(path, total);
    *bytes = SUCCEEDED(result) ? static_cast<LONGLONG>(total) : 0;
    return result;
}

}  // extern "C"
