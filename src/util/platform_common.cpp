// The parts of the platform layer that both builds share.
#include "platform.h"

#include <utility>

#include "paths.h"

namespace sys {

int Utf8Length(const char* p, const char* end) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(p);
  const unsigned char first = bytes[0];
  // The range of the second byte keeps out overlong forms, surrogates and
  // values past U+10FFFF; the others are continuation bytes of any value.
  int length = 1;
  unsigned char low = 0x80, high = 0xBF;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    if (first == 0xE0) low = 0xA0;
    if (first == 0xED) high = 0x9F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    if (first == 0xF0) low = 0x90;
    if (first == 0xF4) high = 0x8F;
  }
  if (length == 1 || end - p < length || bytes[1] < low || bytes[1] > high) return 1;
  for (int i = 2; i < length; ++i)
    if ((bytes[i] & 0xC0) != 0x80) return 1;
  return length;
}

const char* PrevChar(const char* start, const char* p) {
  if (p <= start) return start;
  if (IsUtf8()) {
    // The nearest byte before p that is no continuation byte, three back at
    // most, starts the character when its sequence ends at p; otherwise the
    // byte before p stands alone.
    const char* q = p - 1;
    while (q > start && p - q < 4 && (static_cast<unsigned char>(*q) & 0xC0) == 0x80) --q;
    return Utf8Length(q, p) == p - q ? q : p - 1;
  }
  // Bytes that can lead a character are walked over backwards until one that
  // cannot: that one ends a character, so a boundary follows it. From there the
  // lead-capable bytes pair up, and their count decides whether the byte just
  // before p is a trail byte.
  const char* q = p - 1;
  while (q > start && IsLeadByte(static_cast<unsigned char>(q[-1]))) --q;
  return ((p - 1 - q) % 2 == 1) ? p - 2 : p - 1;
}

bool IsSupplementaryLetterOrDigit(char32_t c) {
  // First and last code point of each block or run of blocks; the symbols,
  // emoji, tags and private use between them are no word characters.
  static constexpr std::pair<char32_t, char32_t> kRanges[] = {
      {0x10000, 0x100FF}, // Linear B
      {0x10280, 0x1BCAF}, // the historic and minority scripts, Tangut, kana
      {0x1D400, 0x1D7FF}, // mathematical letters and digits
      {0x1E000, 0x1E95F}, // Glagolitic to Adlam
      {0x1EE00, 0x1EEFF}, // Arabic mathematical letters
      {0x1FBF0, 0x1FBF9}, // segmented digits
      {0x20000, 0x2FA1F}, // CJK ideographs, extensions B to F and compatibility
      {0x30000, 0x323AF}, // CJK ideographs, extensions G and H
  };
  for (const auto& [first, last] : kRanges)
    if (c >= first && c <= last) return true;
  return false;
}

std::string SaveTempName(const std::string& fileName, unsigned long pid, unsigned number) {
  return fileName + "." + std::to_string(pid) + "." + std::to_string(number) + ".tmp";
}

namespace {

// The name after the last path separator.
std::string_view BaseName(std::string_view path) {
#ifdef _WIN32
  return path.substr(NameStart(path));
#else
  const size_t cut = path.rfind('/');
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
#endif
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
