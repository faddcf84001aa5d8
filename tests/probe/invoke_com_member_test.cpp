// The late-bound calls against Wine's own Scripting Runtime, created by its class id (the
// ProgID leads to the stand-in in the test prefix). Its Folder.Size is not implemented, but it
// has other members of every shape the probe has to bind: methods, property gets, numbers,
// texts and objects.
#include <gtest/gtest.h>

#include <objidl.h>

#include "platform/invoke_com_member.h"
#include "tests/probe/probe_support.h"

using platform::CallKind;
using platform::ComObject;
using platform::InvokeComMember;

namespace {

// {0D43FE01-F093-11CF-8940-00A0C9054228}
constexpr CLSID SystemFileSystemObject = {
    0x0d43fe01, 0xf093, 0x11cf, {0x89, 0x40, 0x00, 0xa0, 0xc9, 0x05, 0x42, 0x28}};

class InvokeComMemberTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CoCreateInstance(SystemFileSystemObject, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                   reinterpret_cast<void**>(fileSystem.Put())),
                  S_OK);
        folder = scratch.MakeTree("2024", {{"a.bin", 1234}, {"b.bin", 1}, {"c.bin", 0}, {"sub\\d.bin", 9}});
        missing = scratch.Path() + "\\missing";
    }

    // Calls the member for an object on the file-system object, then reads the number.
    double Read(const Text& method, const Text& argument, const Text& property) {
        const ComObject object =
            InvokeComMember(fileSystem, method, CallKind::MethodReturningObject, {argument}).object;
        return InvokeComMember(object, property, CallKind::PropertyAsNumber, {}).number;
    }

    ComApartment com;
    ScratchFolder scratch;
    ComObject fileSystem;
    Text folder;
    Text missing;
};

TEST_F(InvokeComMemberTest, ReadsNumbersThroughMethodsAndProperties) {
    ULARGE_INTEGER available, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
    EXPECT_EQ(Read("GetDrive", "C:", "TotalSize"), static_cast<double>(total.QuadPart));  // beyond 32 bits
    EXPECT_EQ(Read("GetFile", folder + "\\a.bin", "Size"), 1234.0);
    // A text that reads as a number is converted; the folder is named "2024".
    EXPECT_EQ(Read("GetFolder", folder, "Name"), 2024.0);
    // A method asked for a number: bound after the property get is refused.
    EXPECT_EQ(InvokeComMember(fileSystem, "FolderExists", CallKind::PropertyAsNumber, {folder}).number, -1.0);
    // A property asked for an object: bound after the method is refused.
    const ComObject folderObject =
        InvokeComMember(fileSystem, "GetFolder", CallKind::MethodReturningObject, {folder}).object;
    const ComObject files =
        InvokeComMember(folderObject, "Files", CallKind::MethodReturningObject, {}).object;
    EXPECT_EQ(InvokeComMember(files, "Count", CallKind::PropertyAsNumber, {}).number, 3.0);
}

TEST_F(InvokeComMemberTest, FailsWithTheEmptyResult) {
    struct Case {
        const char* name;
        Text member;
        CallKind kind;
        platform::ComArguments arguments;
    };
    const Case cases[] = {
        {"missing folder", "GetFolder", CallKind::MethodReturningObject, {missing}},
        {"a file for a folder", "GetFolder", CallKind::MethodReturningObject, {folder + "\\a.bin"}},
        {"empty path", "GetFolder", CallKind::MethodReturningObject, {Text()}},
        {"too many arguments", "GetFolder", CallKind::MethodReturningObject, {folder, Text("x")}},
        {"unknown member", "NoSuchMember", CallKind::MethodReturningObject, {folder}},
        {"a text that is no object", "GetTempName", CallKind::MethodReturningObject, {}},
        {"an object that is no number", "GetFolder", CallKind::PropertyAsNumber, {folder}},
        {"a text that is no number", "GetFileName", CallKind::PropertyAsNumber, {folder + "\\a.bin"}},
        {"a missing folder does not exist", "FolderExists", CallKind::PropertyAsNumber, {missing}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const platform::ComResult result = InvokeComMember(fileSystem, c.member, c.kind, c.arguments);
        EXPECT_FALSE(result.object);
        EXPECT_EQ(result.number, 0.0);
    }
    // The component's own Folder.Size raises an error, which reads as 0.
    EXPECT_EQ(Read("GetFolder", folder, "Size"), 0.0);
    // A trailing omitted argument is dropped; the same call with it present fails above.
    EXPECT_TRUE(
        InvokeComMember(fileSystem, "GetFolder", CallKind::MethodReturningObject, {folder, std::nullopt})
            .object);
}

// Knows its one member by name and answers it, but has no type information to bind against.
class NamesOnly final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo) override {
        *typeInfo = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) override {
        for (UINT i = 0; i < count; ++i) ids[i] = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        ++invoked;
        if (result) {
            result->vt = VT_R8;
            result->dblVal = 42.0;
        }
        return S_OK;
    }
    int invoked = 0;
};

TEST_F(InvokeComMemberTest, NeedsAnObjectWithTypeInformation) {
    EXPECT_FALSE(InvokeComMember(ComObject(), "GetFolder", CallKind::MethodReturningObject, {folder}).object);
    EXPECT_EQ(InvokeComMember(ComObject(), "Size", CallKind::PropertyAsNumber, {}).number, 0.0);

    ComObject stream;  // no IDispatch at all
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, reinterpret_cast<IStream**>(stream.Put())), S_OK);
    EXPECT_EQ(InvokeComMember(stream, "Size", CallKind::PropertyAsNumber, {}).number, 0.0);

    NamesOnly namesOnly;
    EXPECT_EQ(InvokeComMember(ComObject::Share(&namesOnly), "Size", CallKind::PropertyAsNumber, {}).number,
              0.0);
    EXPECT_EQ(namesOnly.invoked, 0);
}

}  // namespace
