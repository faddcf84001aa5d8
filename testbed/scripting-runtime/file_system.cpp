#include "testbed/scripting-runtime/file_system.h"

#include <new>
#include <string>

#include "testbed/scripting-runtime/folder_walk.h"

namespace standin {
namespace {

constexpr DISPID GetFolderId = 1;
constexpr DISPID SizeId = 1;

// Type descriptions in the shape CreateDispTypeInfo takes; it wants them writable.
wchar_t getFolderName[] = L"GetFolder";
wchar_t folderSpecName[] = L"FolderSpec";
wchar_t sizeName[] = L"Size";
PARAMDATA getFolderParameters[] = {{folderSpecName, VT_BSTR}};
// iMeth counts the IDispatch slots first; nobody calls through the table, but it must be sane.
METHODDATA fileSystemMethods[] = {
    {getFolderName, getFolderParameters, GetFolderId, 7, CC_STDCALL, 1, DISPATCH_METHOD, VT_DISPATCH}};
METHODDATA folderMethods[] = {
    {sizeName, nullptr, SizeId, 7, CC_STDCALL, 0, DISPATCH_PROPERTYGET, VT_VARIANT}};
INTERFACEDATA fileSystemInterface = {fileSystemMethods, 1};
INTERFACEDATA folderInterface = {folderMethods, 1};

class Folder final : public DispatchObject {
public:
    explicit Folder(std::wstring path) : DispatchObject(folderInterface), path_(std::move(path)) {}

private:
    HRESULT Call(DISPID member, WORD flags, DISPPARAMS& parameters, VARIANT* result, EXCEPINFO* exception,
                 UINT*) override {
        if (member != SizeId) return DISP_E_MEMBERNOTFOUND;
        if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
        if (parameters.cArgs != 0) return DISP_E_BADPARAMCOUNT;
        uint64_t total = 0;
        // Read afresh on every call: the folder may be growing while it is watched.
        const HRESULT walked = SumFolderBytes(path_, total);
        if (FAILED(walked)) return RaiseError(exception, walked, L"Path not found");
        if (result) {
            VariantInit(result);
            result->vt = VT_R8;
            result->dblVal = static_cast<double>(total);
        }
        return S_OK;
    }

    std::wstring path_;
};

class FileSystemObject final : public DispatchObject {
public:
    FileSystemObject() : DispatchObject(fileSystemInterface) {}

private:
    HRESULT Call(DISPID member, WORD flags, DISPPARAMS& parameters, VARIANT* result, EXCEPINFO* exception,
                 UINT* argumentError) override {
        if (member != GetFolderId) return DISP_E_MEMBERNOTFOUND;
        if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        if (parameters.cArgs != 1) return DISP_E_BADPARAMCOUNT;
        VARIANT text;
        VariantInit(&text);
        if (FAILED(VariantChangeType(&text, &parameters.rgvarg[0], 0, VT_BSTR))) {
            if (argumentError) *argumentError = 0;
            return DISP_E_TYPEMISMATCH;
        }
        std::wstring path = text.bstrVal ? text.bstrVal : L"";
        VariantClear(&text);

        // Like the system's component: a missing path, a file or "" is "path not found".
        const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return RaiseError(exception, PathNotFound, L"Path not found");
        wchar_t full[MAX_PATH];
        const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
        if (length > 0 && length < MAX_PATH) path = full;

        Folder* folder = new (std::nothrow) Folder(std::move(path));
        if (!folder) return E_OUTOFMEMORY;
        if (!folder->Ready()) {
            folder->Release();
            return E_OUTOFMEMORY;
        }
        if (!result) {
            folder->Release();
            return S_OK;
        }
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = folder;
        return S_OK;
    }
};

}  // namespace

IDispatch* NewFileSystemObject() {
    FileSystemObject* object = new (std::nothrow) FileSystemObject();
    if (object && !object->Ready()) {
        object->Release();
        return nullptr;
    }
    return object;
}

}  // namespace standin
