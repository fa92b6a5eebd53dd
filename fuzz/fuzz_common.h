// Shared by the fuzz targets: the first input byte picks the code page, so
// the single-byte, the double-byte and the UTF-8 paths are all explored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "util/platform.h"

// Bit 0 picks code page 932; else the top bit UTF-8 rather than 1252.
inline int CodePageOf(uint8_t byte) {
  return (byte & 1) ? 932 : (byte & 0x80) ? sys::kUtf8CodePage : 1252;
}

inline std::string_view TakeCodePage(const uint8_t* data, size_t size) {
  if (size == 0) return {};
  sys::SetPortableCodePage(CodePageOf(data[0]));
  return {reinterpret_cast<const char*>(data) + 1, size - 1};
}
