// The kernel's handles the platform layer holds on Windows: files and file
// searches, each closed when its owner goes.
#pragma once

#include <windows.h>

#include "ownedhandle.h"

namespace sys {

namespace handles {
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void CloseSearch(HANDLE search) { FindClose(search); }
} // namespace handles

// A file, a process or another object that CloseHandle closes.
using TKernelHandle = TOwnedHandle<HANDLE, handles::CloseKernelHandle>;
// A search of FindFirstFileA, which FindClose ends.
using TFindHandle = TOwnedHandle<HANDLE, handles::CloseSearch>;

// CreateFileA and FindFirstFileA say they made nothing with
// INVALID_HANDLE_VALUE, which an owner takes as none.
inline HANDLE ValidOrNull(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

} // namespace sys
