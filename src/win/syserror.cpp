#include "syserror.h"

#include <stdexcept>

#include "util/platform.h"

void RaiseLastError(const std::string& what) {
  throw std::runtime_error(what + " " + sys::SystemMessage(GetLastError()));
}
