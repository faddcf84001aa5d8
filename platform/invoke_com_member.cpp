#include "platform/invoke_com_member.h"

#include <oaidl.h>
#include <oleauto.h>

#include "platform/com_text.h"

namespace platform {
namespace {

// What ITypeComp::Bind found: the description (released through the type information that
// Bind handed back) and that type information itself.
class BoundMember {
public:
    BoundMember() = default;
    BoundMember(const BoundMember&) = delete;
    BoundMember& operator=(const BoundMember&) = delete;
    ~BoundMember() {
        if (kind_ == DESCKIND_FUNCDESC && binding_.lpfuncdesc && typeInfo_)
            typeInfo_->ReleaseFuncDesc(binding_.lpfuncdesc);
        if ((kind_ == DESCKIND_VARDESC || kind_ == DESCKIND_IMPLICITAPPOBJ) && binding_.lpvardesc &&
            typeInfo_)
            typeInfo_->ReleaseVarDesc(binding_.lpvardesc);
        if (kind_ == DESCKIND_TYPECOMP && binding_.lptcomp) binding_.lptcomp->Release();
        typeInfo_.Reset();
    }

    // Binds the name as the first of the invoke kinds that the type accepts.
    bool Bind(ITypeComp& typeComp, wchar_t* name, ULONG hash, const std::vector<INVOKEKIND>& kinds) {
        for (INVOKEKIND invokeKind : kinds) {
            kind_ = DESCKIND_NONE;
            binding_ = BINDPTR{};
            if (SUCCEEDED(typeComp.Bind(name, hash, static_cast<WORD>(invokeKind), typeInfo_.Put(), &kind_,
                                        &binding_)))
                return true;
            // A refusal leaves nothing to release.
            kind_ = DESCKIND_NONE;
        }
        return false;
    }

    DESCKIND Kind() const { return kind_; }
    const BINDPTR& Binding() const { return binding_; }

private:
    DESCKIND kind_ = DESCKIND_NONE;
    BINDPTR binding_{};
    ComPtr<ITypeInfo> typeInfo_;
};

// How the member is called once it is bound.
struct CallShape {
    MEMBERID memberId;
    WORD flags;
    size_t declared;  // parameters the member declares
    bool variableArguments;
};

std::optional<CallShape> ShapeOf(const BoundMember& bound) {
    switch (bound.Kind()) {
        case DESCKIND_FUNCDESC: {
            const FUNCDESC& function = *bound.Binding().lpfuncdesc;
            return CallShape{function.memid, static_cast<WORD>(function.invkind),
                             static_cast<size_t>(function.cParams), function.cParamsOpt == -1};
        }
        case DESCKIND_VARDESC:
        case DESCKIND_IMPLICITAPPOBJ:
            return CallShape{bound.Binding().lpvardesc->memid, DISPATCH_PROPERTYGET, 0, false};
        default:  // a nested type or nothing at all
            return std::nullopt;
    }
}

std::vector<INVOKEKIND> InvokeKindsFor(CallKind kind) {
    if (kind == CallKind::PropertyAsNumber) return {INVOKE_PROPERTYGET, INVOKE_FUNC};
    return {INVOKE_FUNC, INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT, INVOKE_PROPERTYPUTREF};
}

// Fills the argument slots last argument first, as IDispatch::Invoke expects them. A text
// becomes a BSTR (an empty one a null BSTR); an omitted one in the middle is marked missing.
bool FillArguments(VariantArray& slots, const ComArguments& arguments, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        VARIANT& slot = slots[count - 1 - i];
        if (!arguments[i]) {
            slot.vt = VT_ERROR;
            slot.scode = DISP_E_PARAMNOTFOUND;
            continue;
        }
        slot.vt = VT_BSTR;
        slot.bstrVal = nullptr;
        if (arguments[i]->empty()) continue;
        const std::optional<std::wstring> wide = ToComText(*arguments[i]);
        if (!wide) return false;
        slot.bstrVal = SysAllocString(wide->c_str());
        if (!slot.bstrVal) return false;
    }
    return true;
}

bool Invoke(const ComObject& object, const Text& member, CallKind kind, const ComArguments& arguments,
            ComResult& result) {
    if (!object) return false;
    ComPtr<IDispatch> dispatch;
    if (FAILED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Put()))) || !dispatch)
        return false;
    const LCID locale = GetUserDefaultLCID();

    ComPtr<ITypeComp> typeComp;
    {
        ComPtr<ITypeInfo> typeInfo;
        if (FAILED(dispatch->GetTypeInfo(0, locale, typeInfo.Put())) || !typeInfo) return false;
        if (FAILED(typeInfo->GetTypeComp(typeComp.Put())) || !typeComp) return false;
    }

    std::optional<std::wstring> name = ToComText(member);
    if (!name) return false;
    const ULONG hash = LHashValOfNameSys(SYS_WIN32, locale, name->c_str());
    BoundMember bound;
    const bool found = bound.Bind(*typeComp.Get(), name->data(), hash, InvokeKindsFor(kind));
    typeComp.Reset();
    if (!found) return false;
    const std::optional<CallShape> shape = ShapeOf(bound);
    if (!shape) return false;

    size_t count = arguments.size();
    while (count > 0 && !arguments[count - 1]) --count;
    if (count > shape->declared && !shape->variableArguments) return false;

    VariantArray slots(count);
    if (!FillArguments(slots, arguments, count)) return false;
    DISPPARAMS parameters{};
    parameters.rgvarg = count ? slots.Data() : nullptr;
    parameters.cArgs = static_cast<UINT>(count);

    UniqueVariant returned;
    UINT argumentError = 0xFFFFFFFF;
    if (FAILED(dispatch->Invoke(shape->memberId, IID_NULL, locale, shape->flags, &parameters, returned.Get(),
                                nullptr, &argumentError)))
        return false;

    // Converted on a copy: a by-reference result is followed to its value, and the result
    // itself stays untouched until it is cleared.
    if ((returned.Get()->vt & VT_TYPEMASK) == VT_RECORD) return false;
    UniqueVariant copy;
    if (FAILED(VariantCopyInd(copy.Get(), returned.Get()))) return false;
    if (copy.Get()->vt == VT_RECORD) return false;
    if (kind == CallKind::PropertyAsNumber) {
        if (FAILED(VariantChangeType(copy.Get(), copy.Get(), 0, VT_R8))) return false;
        result.number = copy.Get()->dblVal;
    } else {
        if (FAILED(VariantChangeType(copy.Get(), copy.Get(), 0, VT_UNKNOWN))) return false;
        result.object = ComObject::Share(copy.Get()->punkVal);
    }
    return true;
}

}  // namespace

ComResult InvokeComMember(const ComObject& object, const Text& member, CallKind kind,
                          const ComArguments& arguments) {
    ComResult result;
    if (!Invoke(object, member, kind, arguments, result)) return ComResult{};
    return result;
}

}  // namespace platform
