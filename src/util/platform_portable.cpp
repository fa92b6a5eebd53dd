// The portable stand-in for the Windows locale services: code page 1252
// (single byte, ASCII and Latin-1 letters) and code page 932 (Shift-JIS lead
// bytes, ASCII case folding only). It serves the core's tests off Windows; where
// it and Windows could differ, Windows is right.
#include "platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

namespace sys {
namespace {

int activeCodePage = 1252;
std::array<bool, 256> leadBytes{};

bool IsDoubleByte() { return activeCodePage == 932; }

// Code page 1252 letters outside ASCII, with their case partners.
unsigned char Upper1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
  case 0x9A:
    return 0x8A; // s caron
  case 0x9C:
    return 0x8C; // oe
  case 0x9E:
    return 0x8E; // z caron
  case 0xFF:
    return 0x9F; // y diaeresis
  default:
    return c;
  }
}

unsigned char Lower1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  switch (c) {
  case 0x8A:
    return 0x9A;
  case 0x8C:
    return 0x9C;
  case 0x8E:
    return 0x9E;
  case 0x9F:
    return 0xFF;
  default:
    return c;
  }
}

bool IsAsciiAlnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Folds a text to upper case (or only ASCII letters when asciiOnly), stepping
// over double-byte characters unchanged.
std::string Fold(std::string_view text, bool toUpper, bool asciiOnly) {
  std::string result(text);
  char* p = result.data();
  char* end = p + result.size();
  while (p < end) {
    char* next = const_cast<char*>(NextChar(p, end));
    if (next - p == 1) {
      auto c = static_cast<unsigned char>(*p);
      if (asciiOnly || IsDoubleByte()) {
        if (toUpper && c >= 'a' && c <= 'z') c -= 32;
        if (!toUpper && c >= 'A' && c <= 'Z') c += 32;
      } else {
        c = toUpper ? Upper1252(c) : Lower1252(c);
      }
      *p = static_cast<char>(c);
    }
    p = next;
  }
  return result;
}

} // namespace

void SetPortableCodePage(int codePage) {
  activeCodePage = codePage == 932 ? 932 : 1252;
  for (int b = 0; b < 256; ++b)
    leadBytes[b] = IsDoubleByte() && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
}

int CodePage() { return activeCodePage; }

const std::array<bool, 256>& LeadBytes() { return leadBytes; }

int CompareText(std::string_view a, std::string_view b, bool ignoreCase) {
  int order;
  if (ignoreCase) {
    const std::string fa = Fold(a, true, false), fb = Fold(b, true, false);
    order = fa.compare(fb);
  } else {
    order = a.compare(b);
  }
  return order < 0 ? 1 : order == 0 ? 2 : 3;
}

bool IsLetterOrDigit(const char* p, const char* end) {
  if (p >= end) return false;
  auto c = static_cast<unsigned char>(*p);
  if (IsDoubleByte()) {
    if (IsLeadByte(c) && p + 1 < end) {
      // Full-width letters and digits, kana, Greek, Cyrillic and kanji; the
      // rows of lead byte 0x81 hold punctuation and symbols.
      return c != 0x81 && !(c >= 0x85 && c <= 0x87) && c <= 0xEA;
    }
    return IsAsciiAlnum(c) || (c >= 0xA6 && c <= 0xDF); // half-width katakana
  }
  if (IsAsciiAlnum(c)) return true;
  if (c >= 0xC0 && c != 0xD7 && c != 0xF7) return true;
  switch (c) {
  case 0x83:
  case 0x8A:
  case 0x8C:
  case 0x8E:
  case 0x9A:
  case 0x9C:
  case 0x9E:
  case 0x9F:
  case 0xAA:
  case 0xB5:
  case 0xBA:
    return true;
  default:
    return false;
  }
}

std::string UpperCase(std::string_view text) { return Fold(text, true, false); }

std::string LowerCaseFileName(std::string_view text) { return Fold(text, false, IsDoubleByte()); }

char DecimalSeparator() { return '.'; }

unsigned LongPathName(const char* path, char* buffer, unsigned size) {
  // There are no short names here: an existing path is its own long form.
  struct stat info;
  if (path == nullptr || *path == '\0' || stat(path, &info) != 0) return 0;
  const size_t length = std::strlen(path);
  if (length + 1 > size) return static_cast<unsigned>(length + 1);
  std::memcpy(buffer, path, length + 1);
  return static_cast<unsigned>(length);
}

DateTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

TFileReader::TFileReader(const std::string& fileName) : FileName(fileName) {
  Handle = std::fopen(fileName.c_str(), "rb");
  if (Handle == nullptr)
    throw EFileError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
}

TFileReader::~TFileReader() { std::fclose(static_cast<std::FILE*>(Handle)); }

size_t TFileReader::Read(char* buffer, size_t size) {
  auto* file = static_cast<std::FILE*>(Handle);
  const size_t got = std::fread(buffer, 1, size, file);
  if (got == 0 && std::ferror(file))
    throw EFileError("Cannot read file \"" + FileName + "\". " + std::strerror(errno));
  return got;
}

unsigned long long TFileReader::SizeHint() const {
  struct stat info;
  if (fstat(fileno(static_cast<std::FILE*>(Handle)), &info) != 0 || !S_ISREG(info.st_mode))
    return 0;
  return static_cast<unsigned long long>(info.st_size);
}

} // namespace sys
