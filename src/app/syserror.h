// Failures of system calls, told with the system's own explanation.
#pragma once

#include <string>

#include <windows.h>

// The system's text for an error code, without the line break it ends with.
std::string SystemErrorText(DWORD error);

// Throws std::runtime_error: what, then the text of GetLastError.
[[noreturn]] void RaiseLastError(const std::string& what);
