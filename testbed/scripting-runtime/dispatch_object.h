// The common body of the stand-in's automation objects: reference counting, the live-object
// count, and IDispatch with type information made by CreateDispTypeInfo, which is what a
// late-bound caller binds names against (GetTypeInfo, GetTypeComp, Bind).
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace standin {

// Objects alive in this DLL; DllCanUnloadNow and tests read it.
LONG LiveObjects();

// Fills the caller's exception record (when it passed one) and returns DISP_E_EXCEPTION.
HRESULT RaiseError(EXCEPINFO* exception, HRESULT code, const wchar_t* description);

class DispatchObject : public IDispatch {
public:
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

    // Made with one reference, or nothing when the type information cannot be built.
    bool Ready() const { return typeInfo_ != nullptr; }

protected:
    explicit DispatchObject(INTERFACEDATA& members);
    virtual ~DispatchObject();

    // The member's own work, once Invoke has checked the interface id.
    virtual HRESULT Call(DISPID member, WORD flags, DISPPARAMS& parameters, VARIANT* result,
                         EXCEPINFO* exception, UINT* argumentError) = 0;

private:
    LONG references_ = 1;
    ITypeInfo* typeInfo_ = nullptr;
};

}  // namespace standin
