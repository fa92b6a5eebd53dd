// The parts of the platform layer that both builds share.
#include "platform.h"

namespace sys {

const char* PrevChar(const char* start, const char* p) {
  if (p <= start) return start;
  // Bytes that can lead a character are walked over backwards until one that
  // cannot: that one ends a character, so a boundary follows it. From there the
  // lead-capable bytes pair up, and their count decides whether the byte just
  // before p is a trail byte.
  const char* q = p - 1;
  while (q > start && IsLeadByte(static_cast<unsigned char>(q[-1]))) --q;
  return ((p - 1 - q) % 2 == 1) ? p - 2 : p - 1;
}

std::string SaveTempName(const std::string& fileName, unsigned long pid, unsigned number) {
  return fileName + "." + std::to_string(pid) + "." + std::to_string(number) + ".tmp";
}

namespace {

// The name after the last path separator.
std::string_view BaseName(std::string_view path) {
#ifdef _WIN32
  const size_t cut = path.find_last_of("\\/:");
#else
  const size_t cut = path.rfind('/');
#endif
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

// Reads a decimal number of 1 to 10 digits at pos, moving pos past it.
bool ReadNumber(std::string_view text, size_t& pos, unsigned long long& value) {
  const size_t start = pos;
  value = 0;
  while (pos < text.size() && pos - start < 11 && text[pos] >= '0' && text[pos] <= '9')
    value = value * 10 + static_cast<unsigned>(text[pos++] - '0');
  return pos > start && pos - start <= 10;
}

} // namespace

unsigned long SaveTempOwner(std::string_view fileName, std::string_view entryName) {
  const std::string_view name = BaseName(fileName);
  if (name.empty() || entryName.size() <= name.size()) return 0;
  const std::string_view prefix = entryName.substr(0, name.size());
#ifdef _WIN32
  // Names that differ only in letter case name the same file here.
  if (LowerCaseFileName(prefix) != LowerCaseFileName(name)) return 0;
#else
  if (prefix != name) return 0;
#endif
  // ".<pid>.<n>.tmp" or ".<pid>.tmp".
  const std::string_view rest = entryName.substr(name.size());
  size_t pos = 0;
  unsigned long long pid = 0, number = 0;
  if (rest.empty() || rest[pos++] != '.' || !ReadNumber(rest, pos, pid)) return 0;
  if (pos + 1 < rest.size() && rest[pos] == '.' && rest[pos + 1] >= '0' && rest[pos + 1] <= '9') {
    ++pos;
    if (!ReadNumber(rest, pos, number)) return 0;
  }
  if (rest.substr(pos) != ".tmp" || pid == 0 || pid > 0xFFFFFFFFull) return 0;
  return static_cast<unsigned long>(pid);
}

std::string ReadFile(const std::string& fileName) {
  TFileReader file(fileName);
  // Read straight into the string, sized from the file; whatever lies past
  // that size (a file still growing) is appended.
  std::string content(static_cast<size_t>(file.SizeHint()), '\0');
  size_t filled = 0;
  for (;;) {
    if (filled < content.size()) {
      const size_t got = file.Read(content.data() + filled, content.size() - filled);
      if (got == 0) break;
      filled += got;
      continue;
    }
    char chunk[1 << 16];
    const size_t got = file.Read(chunk, sizeof chunk);
    if (got == 0) break;
    content.append(chunk, got);
    filled = content.size();
  }
  content.resize(filled);
  return content;
}

} // namespace sys
