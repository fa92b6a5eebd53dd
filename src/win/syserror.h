// Failures of system calls, told with the system's own explanation.
#pragma once

#include <string>

#include <windows.h>

// Throws std::runtime_error: what, then the text of GetLastError.
[[noreturn]] void RaiseLastError(const std::string& what);
