// Shared by the fuzz targets: the first input byte picks the code page, so
// both the single-byte and the double-byte paths are explored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "util/platform.h"

inline std::string_view TakeCodePage(const uint8_t* data, size_t size) {
  if (size == 0) return {};
  sys::SetPortableCodePage((data[0] & 1) ? 932 : 1252);
  return {reinterpret_cast<const char*>(data) + 1, size - 1};
}
