#include "testbed/scripting-runtime/dispatch_object.h"

namespace standin {
namespace {
LONG liveObjects = 0;
}

LONG LiveObjects() { return InterlockedCompareExchange(&liveObjects, 0, 0); }

HRESULT RaiseError(EXCEPINFO* exception, HRESULT code, const wchar_t* description) {
    if (exception) {
        *exception = EXCEPINFO{};
        exception->bstrSource = SysAllocString(L"Scripting.FileSystemObject");
        exception->bstrDescription = SysAllocString(description);
        exception->scode = code;
    }
    return DISP_E_EXCEPTION;
}

DispatchObject::DispatchObject(INTERFACEDATA& members) {
    InterlockedIncrement(&liveObjects);
    if (FAILED(CreateDispTypeInfo(&members, LOCALE_SYSTEM_DEFAULT, &typeInfo_))) typeInfo_ = nullptr;
}

DispatchObject::~DispatchObject() {
    if (typeInfo_) typeInfo_->Release();
    InterlockedDecrement(&liveObjects);
}

HRESULT DispatchObject::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DispatchObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG DispatchObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;  // COM's own lifetime rule: the last Release frees the object
    return static_cast<ULONG>(left);
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_INVALIDARG;
    *count = 1;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) {
    if (!typeInfo) return E_INVALIDARG;
    *typeInfo = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    typeInfo_->AddRef();
    *typeInfo = typeInfo_;
    return S_OK;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return DispGetIDsOfNames(typeInfo_, names, count, ids);
}

HRESULT DispatchObject::Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                               VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!parameters) return E_INVALIDARG;
    if (parameters->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    return Call(member, flags, *parameters, result, exception, argumentError);
}

}  // namespace standin
