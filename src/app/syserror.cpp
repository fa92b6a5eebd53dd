#include "syserror.h"

#include <stdexcept>

#include "util/textutil.h"

std::string SystemErrorText(DWORD error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length > 0 && buffer != nullptr ? std::string(buffer, length) : std::string();
  LocalFree(buffer);
  return Trim(text);
}

void RaiseLastError(const std::string& what) {
  const DWORD error = GetLastError();
  const std::string reason = SystemErrorText(error);
  throw std::runtime_error(what + " " +
                           (reason.empty() ? "Error " + std::to_string(error) : reason));
}
