#include "paths.h"

#include "platform.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == ':'; }

// The offset of the last separator, or npos; stepping by whole characters.
size_t LastSeparator(std::string_view path) {
  size_t found = std::string_view::npos;
  const char* start = path.data();
  const char* end = start + path.size();
  for (const char* p = start; p < end; p = sys::NextChar(p, end))
    if (IsSeparator(*p)) found = static_cast<size_t>(p - start);
  return found;
}

} // namespace

size_t NameStart(std::string_view path) {
  size_t start = 0;
  const char* end = path.data() + path.size();
  for (const char* p = path.data(); p < end; p = sys::NextChar(p, end))
    if (IsSeparator(*p) || *p == '/') start = static_cast<size_t>(p - path.data()) + 1;
  return start;
}

std::string ExtractFileName(std::string_view path) {
  const size_t separator = LastSeparator(path);
  return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string ExtractFileExt(std::string_view path) {
  const size_t separator = LastSeparator(path);
  const size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
  size_t dot = std::string_view::npos;
  const char* start = path.data();
  const char* end = start + path.size();
  for (const char* p = start + nameStart; p < end; p = sys::NextChar(p, end))
    if (*p == '.') dot = static_cast<size_t>(p - start);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ExtractFileDir(std::string_view path) {
  size_t separator = LastSeparator(path);
  if (separator == std::string_view::npos) return std::string();
  // A drive's colon, and a backslash right after another separator, belong
  // to the folder: C:\x.txt lies in C:\, C:x.txt in C:.
  if (path[separator] == ':' ||
      (separator > 0 && IsSeparator(path[separator - 1]) &&
       sys::PrevChar(path.data(), path.data() + separator) == path.data() + separator - 1))
    ++separator;
  return std::string(path.substr(0, separator));
}

bool SameFileName(std::string_view a, std::string_view b) {
  return sys::SameText(sys::LowerCaseFileName(a), sys::LowerCaseFileName(b), false);
}
