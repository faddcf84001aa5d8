// Sums the sizes of every file in a folder and in all folders below it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace standin {

// S_OK and the total in bytes; CTL_E_PATHNOTFOUND when the folder (or one below it) cannot be
// listed. Folder links are not followed, so no cycle can loop.
HRESULT SumFolderBytes(const std::wstring& folder, uint64_t& total);

// The error the system's component raises for a path that names no folder.
inline constexpr HRESULT PathNotFound = static_cast<HRESULT>(0x800A004C);

}  // namespace standin
