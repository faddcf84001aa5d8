// The stand-in Scripting Runtime as tests see it: where the test bed installs it, under which
// class id it is registered, and what it exports besides the COM entry points.
#pragma once

#include <windows.h>

namespace standin {

// Where testbed/install.d/scripting-runtime.sh copies the DLL inside the prefix.
inline constexpr wchar_t DllPath[] = L"C:\\testbed\\tamsel-scrrun.dll";

// Registered under the ProgID "Scripting.FileSystemObject" in the test prefix.
// {945C5EC7-F169-41A9-ABCB-BB1F23E227CF}
inline constexpr CLSID FileSystemObjectClassId = {
    0x945c5ec7, 0xf169, 0x41a9, {0xab, 0xcb, 0xbb, 0x1f, 0x23, 0xe2, 0x27, 0xcf}};

// Objects of the DLL (file-system and folder objects) that are still alive.
using LiveObjectsFunction = LONG(__stdcall*)();
inline constexpr char LiveObjectsName[] = "StandInLiveObjects";

// The walk behind Folder.Size, without COM: the total bytes below a folder.
using FolderBytesFunction = HRESULT(__stdcall*)(const wchar_t* path, LONGLONG* bytes);
inline constexpr char FolderBytesName[] = "StandInFolderBytes";

}  // namespace standin
