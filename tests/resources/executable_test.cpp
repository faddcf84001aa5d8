// The built Tamsel.exe itself: what Windows reads from the file before any of our code runs.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <set>

#include "app/resources/resource_ids.h"
#include "tests/resources/pe_file.h"
#include "tests/resources/version_block.h"
#include "tests/resources/xml_elements.h"

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAreArray;

namespace {

// The build passes the executable's path as the build machine sees it; from inside Wine the
// host's root is drive Z:.
std::wstring ExecutablePath() {
    const char* path = std::getenv("TAMSEL_EXE");
    if (path == nullptr) return L"";
    std::string windowsPath = path[0] == '/' ? std::string("Z:") + path : std::string(path);
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    const int n = MultiByteToWideChar(CP_UTF8, 0, windowsPath.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? n - 1 : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, windowsPath.c_str(), -1, wide.data(), n);
    return wide;
}

std::vector<uint8_t> ReadWholeFile(const std::wstring& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(path.c_str(), L"rb"), fclose);
    std::vector<uint8_t> bytes;
    if (!file) return bytes;
    uint8_t chunk[65536];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, file.get())) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + n);
    return bytes;
}

struct ModuleDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

std::wstring ResourceName(LPCWSTR name) {
    return IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<uintptr_t>(name))
                                : std::wstring(name);
}

BOOL CALLBACK AddResourceName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(ResourceName(name));
    return TRUE;
}

std::vector<std::wstring> ResourceNames(HMODULE module, LPCWSTR type) {
    std::vector<std::wstring> names;
    EnumResourceNamesW(module, type, AddResourceName, reinterpret_cast<LONG_PTR>(&names));
    return names;
}

// The resource types, for the ...W functions whatever UNICODE says.
const LPCWSTR kIcon = MAKEINTRESOURCEW(3);
const LPCWSTR kRawData = MAKEINTRESOURCEW(10);
const LPCWSTR kIconGroup = MAKEINTRESOURCEW(14);
const LPCWSTR kManifest = MAKEINTRESOURCEW(24);  // the one Windows reads at process start is #1

std::vector<uint8_t> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
    const HRSRC found = FindResourceW(module, name, type);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* data = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (data == nullptr) return {};
    return std::vector<uint8_t>(data, data + SizeofResource(module, found));
}

template <typename T>
T ReadAt(const std::vector<uint8_t>& bytes, size_t at) {
    T value{};
    if (at + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + at, sizeof(T));
    return value;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void CollectPaths(const XmlElement& element, const std::string& parent,
                  std::vector<std::string>& paths) {
    const std::string path = parent.empty() ? element.name : parent + "/" + element.name;
    paths.push_back(path);
    for (const XmlElement& child : element.children) CollectPaths(child, path, paths);
}

const XmlElement* Child(const XmlElement* element, std::initializer_list<const char*> path) {
    for (const char* name : path) {
        if (element == nullptr) return nullptr;
        const auto& children = element->children;
        const auto found = std::find_if(children.begin(), children.end(),
                                        [&](const XmlElement& c) { return c.name == name; });
        element = found == children.end() ? nullptr : &*found;
    }
    return element;
}

using Attributes = std::map<std::string, std::string>;

}  // namespace

class ExecutableTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::wstring path = ExecutablePath();
        file_ = ReadWholeFile(path);
        // As data only: nothing in the file runs, and none of its imports is loaded.
        module_.reset(LoadLibraryExW(path.c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    }
    static void TearDownTestSuite() { module_.reset(); }

    void SetUp() override {
        ASSERT_FALSE(file_.empty()) << "TAMSEL_EXE does not name a readable file";
        ASSERT_TRUE(module_) << "the file does not load as an image";
    }

    static HMODULE Exe() { return module_.get(); }

    static inline std::vector<uint8_t> file_;
    static inline Module module_;
};

TEST_F(ExecutableTest, IsA32BitWindowsGuiProgram) {
    const std::optional<PeFacts> pe = ReadPeFacts(file_);
    ASSERT_TRUE(pe);
    EXPECT_EQ(pe->machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(pe->magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(pe->subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_TRUE(pe->characteristics & IMAGE_FILE_EXECUTABLE_IMAGE);
    EXPECT_TRUE(pe->characteristics & IMAGE_FILE_32BIT_MACHINE);
    EXPECT_FALSE(pe->characteristics & IMAGE_FILE_DLL);
}

// One file and nothing beside it: the compiler's runtimes are linked in, and every DLL the
// loader has to find is part of Windows.
TEST_F(ExecutableTest, ImportsOnlyDllsOfWindowsItself) {
    const std::set<std::string> windowsDlls = {
        "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",    "gdiplus.dll",
        "kernel32.dll", "msimg32.dll",  "msvcrt.dll",   "ole32.dll",    "oleaut32.dll",
        "shell32.dll",  "shlwapi.dll",  "user32.dll",   "uxtheme.dll",  "version.dll",
        "windowscodecs.dll"};
    const std::optional<PeFacts> pe = ReadPeFacts(file_);
    ASSERT_TRUE(pe);
    EXPECT_THAT(pe->importedDlls, ::testing::Contains(::testing::StrCaseEq("kernel32.dll")));
    for (const std::string& dll : pe->importedDlls)
        EXPECT_TRUE(windowsDlls.count(Lower(dll))) << dll << " is not a DLL of Windows";
}

TEST_F(ExecutableTest, ManifestAsksForAdministratorAndCommonControls6AndNothingElse) {
    EXPECT_THAT(ResourceNames(Exe(), kManifest), ElementsAre(L"#1"));
    const std::vector<uint8_t> bytes = ResourceBytes(Exe(), MAKEINTRESOURCEW(1), kManifest);
    const std::optional<XmlElement> manifest =
        ParseXml(std::string(bytes.begin(), bytes.end()));
    ASSERT_TRUE(manifest) << "the manifest is not well-formed XML";

    // No DPI awareness, no list of supported systems, no second dependency.
    std::vector<std::string> paths;
    CollectPaths(*manifest, "", paths);
    EXPECT_THAT(paths, UnorderedElementsAreArray({
        "assembly",
        "assembly/assemblyIdentity",
        "assembly/trustInfo",
        "assembly/trustInfo/security",
        "assembly/trustInfo/security/requestedPrivileges",
        "assembly/trustInfo/security/requestedPrivileges/requestedExecutionLevel",
        "assembly/dependency",
        "assembly/dependency/dependentAssembly",
        "assembly/dependency/dependentAssembly/assemblyIdentity",
    }));
    EXPECT_EQ(manifest->attributes, (Attributes{{"xmlns", "urn:schemas-microsoft-com:asm.v1"},
                                                {"manifestVersion", "1.0"}}));

    const XmlElement* trust = Child(&*manifest, {"trustInfo"});
    ASSERT_NE(trust, nullptr);
    EXPECT_EQ(trust->attributes, (Attributes{{"xmlns", "urn:schemas-microsoft-com:asm.v3"}}));
    const XmlElement* level =
        Child(trust, {"security", "requestedPrivileges", "requestedExecutionLevel"});
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->attributes,
              (Attributes{{"level", "requireAdministrator"}, {"uiAccess", "false"}}));

    const XmlElement* controls =
        Child(&*manifest, {"dependency", "dependentAssembly", "assemblyIdentity"});
    ASSERT_NE(controls, nullptr);
    EXPECT_EQ(controls->attributes, (Attributes{{"type", "win32"},
                                                {"name", "Microsoft.Windows.Common-Controls"},
                                                {"version", "6.0.0.0"},
                                                {"processorArchitecture", "x86"},
                                                {"publicKeyToken", "6595b64144ccf1df"},
                                                {"language", "*"}}));

    // The program's own identity: its name and version are ours, the rest is fixed.
    const XmlElement* own = Child(&*manifest, {"assemblyIdentity"});
    ASSERT_NE(own, nullptr);
    Attributes ownFixed = own->attributes;
    const std::string name = ownFixed["name"], version = ownFixed["version"];
    ownFixed.erase("name");
    ownFixed.erase("version");
    EXPECT_EQ(ownFixed, (Attributes{{"type", "win32"}, {"processorArchitecture", "x86"}}));
    EXPECT_FALSE(name.empty());
    EXPECT_TRUE(std::regex_match(version, std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << version;
}

class VersionTest : public ExecutableTest {
protected:
    void SetUp() override {
        ExecutableTest::SetUp();
        const std::wstring path = ExecutablePath();
        DWORD ignored = 0;
        block_.resize(GetFileVersionInfoSizeW(path.c_str(), &ignored));
        ASSERT_FALSE(block_.empty()) << "no version block";
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, block_.size(), block_.data()));
    }

    // The value at a sub-block path, as Windows' own reader finds it.
    std::vector<uint8_t> Query(const wchar_t* subBlock, bool text) {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block_.data(), subBlock, &value, &length) || value == nullptr)
            return {};
        const UINT bytes = text ? length * sizeof(wchar_t) : length;
        return std::vector<uint8_t>(static_cast<uint8_t*>(value),
                                    static_cast<uint8_t*>(value) + bytes);
    }

    std::vector<uint8_t> block_;
};

TEST_F(VersionTest, FixedPartSays2010ForAWindowsApplication) {
    const std::vector<uint8_t> fixedBytes = Query(L"\\", false);
    ASSERT_EQ(fixedBytes.size(), sizeof(VS_FIXEDFILEINFO));
    const auto fixed = ReadAt<VS_FIXEDFILEINFO>(fixedBytes, 0);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0x00010000u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00020000u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));

    const std::vector<uint8_t> translation = Query(L"\\VarFileInfo\\Translation", false);
    ASSERT_EQ(translation.size(), 4u) << "exactly one translation";
    EXPECT_EQ(ReadAt<WORD>(translation, 0), 0x0804);
    EXPECT_EQ(ReadAt<WORD>(translation, 2), 0x04B0);
}

TEST_F(VersionTest, OneSimplifiedChineseStringTableWithTheProgramsWords) {
    const std::map<std::wstring, std::wstring> expected = {
        {L"FileVersion", L"2.0.1.0"},
        {L"ProductVersion", L"2.0.1.0"},
        {L"ProductName", L"Tamsel"},
        {L"FileDescription", L"用于Windows10驱动备份与还原。"},
        {L"Comments", L"用于Windows10驱动备份与还原。"},
    };
    for (const auto& [name, value] : expected) {
        const std::vector<uint8_t> bytes =
            Query((L"\\StringFileInfo\\080404B0\\" + name).c_str(), true);
        std::wstring read(bytes.size() / 2, L'\0');
        std::memcpy(read.data(), bytes.data(), read.size() * 2);
        read.erase(std::find(read.begin(), read.end(), L'\0'), read.end());
        EXPECT_EQ(read, value) << "string " << std::string(name.begin(), name.end());
    }

    // The whole tree: one table, these strings and no others, and the translation beside it.
    const std::optional<VersionNode> root =
        ReadVersionBlock(std::vector<uint8_t>(block_.begin(), block_.end()));
    ASSERT_TRUE(root) << "the version block's lengths do not add up";
    EXPECT_EQ(root->key, L"VS_VERSION_INFO");
    std::map<std::wstring, std::map<std::wstring, std::wstring>> tables;
    std::vector<std::wstring> sections;
    for (const VersionNode& section : root->children) {
        sections.push_back(section.key);
        if (section.key != L"StringFileInfo") continue;
        for (const VersionNode& table : section.children) {
            auto& strings = tables[table.key];
            for (const VersionNode& string : table.children) {
                EXPECT_TRUE(string.isText);
                strings[string.key] = string.text;
            }
        }
    }
    EXPECT_THAT(sections, UnorderedElementsAreArray({L"StringFileInfo", L"VarFileInfo"}));
    EXPECT_EQ(tables, (std::map<std::wstring, std::map<std::wstring, std::wstring>>{
                          {L"080404B0", expected}}));
}

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved, type, count;
};
struct IconGroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(ExecutableTest, IconGroupHoldsOne64By64ImageAt32Bits) {
    EXPECT_THAT(ResourceNames(Exe(), kIconGroup), ElementsAre(L"#" + std::to_wstring(IDI_TAMSEL)));
    const std::vector<uint8_t> group =
        ResourceBytes(Exe(), MAKEINTRESOURCEW(IDI_TAMSEL), kIconGroup);
    ASSERT_EQ(group.size(), sizeof(IconGroupHeader) + sizeof(IconGroupEntry));
    const auto header = ReadAt<IconGroupHeader>(group, 0);
    EXPECT_EQ(header.type, 1);
    EXPECT_EQ(header.count, 1);
    const auto entry = ReadAt<IconGroupEntry>(group, sizeof header);
    EXPECT_EQ(entry.width, 64);
    EXPECT_EQ(entry.height, 64);
    EXPECT_EQ(entry.bitCount, 32);
    EXPECT_THAT(ResourceNames(Exe(), kIcon), ElementsAre(L"#" + std::to_wstring(entry.id)));

    // The image itself: an uncompressed DIB with its colour and mask halves, as the entry says.
    std::vector<uint8_t> image = ResourceBytes(Exe(), MAKEINTRESOURCEW(entry.id), kIcon);
    ASSERT_EQ(image.size(), entry.bytes);
    const auto dib = ReadAt<BITMAPINFOHEADER>(image, 0);
    EXPECT_EQ(dib.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(dib.biWidth, 64);
    EXPECT_EQ(dib.biHeight, 2 * 64);
    EXPECT_EQ(dib.biBitCount, 32);
    EXPECT_EQ(dib.biCompression, static_cast<DWORD>(BI_RGB));

    // And Windows makes an icon of that size from it.
    const HICON icon =
        CreateIconFromResourceEx(image.data(), image.size(), TRUE, 0x00030000, 0, 0, 0);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 64);
    EXPECT_EQ(colour.bmHeight, 64);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST_F(ExecutableTest, LogoIsABaseline200By200ColourJpeg) {
    const std::vector<uint8_t> jpeg =
        ResourceBytes(Exe(), MAKEINTRESOURCEW(IDR_LOGO_JPEG), kRawData);
    ASSERT_GE(jpeg.size(), 4u);
    ASSERT_EQ(jpeg[0], 0xFF);
    ASSERT_EQ(jpeg[1], 0xD8) << "no start-of-image marker";
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9) << "no end-of-image marker";

    // The marker segments up to the scan; every start-of-frame marker among them is recorded.
    std::vector<int> frames;
    std::vector<uint8_t> frame;
    size_t at = 2;
    for (;;) {
        ASSERT_LT(at + 3, jpeg.size()) << "no scan";
        ASSERT_EQ(jpeg[at], 0xFF) << "not a marker at " << at;
        const int marker = jpeg[at + 1];
        const size_t length = jpeg[at + 2] << 8 | jpeg[at + 3];
        ASSERT_LE(at + 2 + length, jpeg.size());
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                                  marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            frames.push_back(marker);
            frame.assign(jpeg.begin() + at + 4, jpeg.begin() + at + 2 + length);
        }
        if (marker == 0xDA) break;
        at += 2 + length;
    }
    EXPECT_THAT(frames, ElementsAre(0xC0)) << "one baseline frame, not progressive";
    ASSERT_GE(frame.size(), 6u);
    EXPECT_EQ(frame[0], 8) << "bits per sample";
    EXPECT_EQ(frame[1] << 8 | frame[2], 200) << "height";
    EXPECT_EQ(frame[3] << 8 | frame[4], 200) << "width";
    EXPECT_EQ(frame[5], 3) << "colour components";
}
