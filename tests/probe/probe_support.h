// What the probe tests share: a COM apartment per test, scratch trees on drive C: named in the
// ANSI code page, and the stand-in's count of live objects.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/system.h"
#include "testbed/scripting-runtime/standin.h"

// OleInitialize for the test's lifetime, as the program's start-up does.
class ComApartment {
public:
    ComApartment() { OleInitialize(nullptr); }
    ~ComApartment() { OleUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

// One entry of a tree: a file of a logical size (made sparse: no bytes written), or a folder
// when the relative path ends with a backslash.
struct TreeEntry {
    Text relativePath;
    uint64_t size = 0;
};

// A fresh folder under the temporary folder, named per process, removed with its contents.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const Text& Path() const { return path_; }
    // Makes the entries below Path()\name (and the folder itself); returns that folder's path.
    Text MakeTree(const Text& name, const std::vector<TreeEntry>& entries) const;

private:
    Text path_;
};

// Makes a file of that logical size, parent folders included.
void MakeFile(const Text& path, uint64_t size);

// The stand-in DLL, loaded by this process at the path COM loads it from, so both share it.
class StandIn {
public:
    StandIn();
    ~StandIn();
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    bool Loaded() const { return liveObjects_ && folderBytes_; }
    LONG LiveObjects() const { return liveObjects_(); }
    // The DLL's own walk of the tree, the truth Folder.Size gives over COM.
    HRESULT FolderBytes(const std::wstring& path, LONGLONG& bytes) const {
        return folderBytes_(path.c_str(), &bytes);
    }

private:
    HMODULE module_;
    standin::LiveObjectsFunction liveObjects_ = nullptr;
    standin::FolderBytesFunction folderBytes_ = nullptr;
};

std::wstring ToWide(const Text& text);
