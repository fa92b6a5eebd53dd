// The portable stand-in for the Windows locale services: code page 1252
// (single byte, ASCII and Latin-1 letters), code page 932 (Shift-JIS lead
// bytes, ASCII case folding only) and UTF-8, 65001 (sequences of up to four
// bytes, ASCII case folding only). It serves the core's tests off Windows;
// where it and Windows could differ, Windows is right.
#include "platform.h"
#include "utf8weights.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sys {
namespace {

// How many taken temporary names a save steps over before it gives up.
constexpr unsigned kMaxTempNames = 1000;

int activeCodePage = 1252;
std::array<bool, 256> leadBytes{};
std::array<unsigned char, 256> charSteps = [] {
  std::array<unsigned char, 256> steps;
  steps.fill(1);
  return steps;
}();

bool IsDoubleByte() { return activeCodePage == 932; }
// Only code page 1252 folds letters beyond ASCII here.
bool FoldsAsciiOnly() { return activeCodePage != 1252; }

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
// over characters of more than one byte unchanged.
std::string Fold(std::string_view text, bool toUpper, bool asciiOnly) {
  std::string result(text);
  char* p = result.data();
  char* end = p + result.size();
  while (p < end) {
    char* next = const_cast<char*>(NextChar(p, end));
    if (next - p == 1) {
      auto c = static_cast<unsigned char>(*p);
      if (asciiOnly || FoldsAsciiOnly()) {
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
  activeCodePage = codePage == 932 || codePage == kUtf8CodePage ? codePage : 1252;
  for (int b = 0; b < 256; ++b) {
    leadBytes[b] = IsDoubleByte() && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
    charSteps[b] = leadBytes[b] ? 2 : IsUtf8() && b >= 0xC2 && b <= 0xF4 ? kUtf8Step : 1;
  }
}

int CodePage() { return activeCodePage; }

const std::array<bool, 256>& LeadBytes() { return leadBytes; }

const std::array<unsigned char, 256>& CharSteps() { return charSteps; }

namespace {

// The code point of a well-formed UTF-8 sequence of the given length.
char32_t DecodeUtf8(const unsigned char* p, int length) {
  if (length == 1) return p[0];
  char32_t c = p[0] & (0x7F >> length);
  for (int i = 1; i < length; ++i) c = (c << 6) | (p[i] & 0x3F);
  return c;
}

// Letters and digits beyond ASCII, for the scripts the tests use: Latin,
// Greek, Cyrillic, kana, kanji, Hangul and the full-width forms.
bool IsUnicodeLetterOrDigit(char32_t c) {
  if (c > 0xFFFF) return IsSupplementaryLetterOrDigit(c);
  if (c == 0xAA || c == 0xB5 || c == 0xBA) return true;
  if (c < 0xC0) return false;
  if (c == 0xD7 || c == 0xF7) return false;
  return c <= 0x24F || (c >= 0x370 && c <= 0x3FF && c != 0x37E && c != 0x387) ||
         (c >= 0x400 && c <= 0x4FF) || (c >= 0x3041 && c <= 0x30FF && c != 0x30FB) ||
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) ||
         (c >= 0xFF41 && c <= 0xFF5A) || (c >= 0xFF66 && c <= 0xFF9F);
}

} // namespace

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
  if (IsUtf8()) {
    const int length = Utf8Length(p, end);
    if (length == 1) return IsAsciiAlnum(c); // an invalid byte is no letter
    return IsUnicodeLetterOrDigit(DecodeUtf8(reinterpret_cast<const unsigned char*>(p), length));
  }
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

std::string LowerCaseFileName(std::string_view text) { return Fold(text, false, FoldsAsciiOnly()); }

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
  Handle.Reset(std::fopen(fileName.c_str(), "rb"));
  if (!Handle) throw EFileError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
}

void TFileReader::Close(void* handle) { std::fclose(static_cast<std::FILE*>(handle)); }

size_t TFileReader::Read(char* buffer, size_t size) {
  auto* file = static_cast<std::FILE*>(Handle.Get());
  const size_t got = std::fread(buffer, 1, size, file);
  if (got == 0 && std::ferror(file))
    throw EFileError("Cannot read file \"" + FileName + "\". " + std::strerror(errno));
  return got;
}

unsigned long long TFileReader::SizeHint() const {
  struct stat info;
  if (fstat(fileno(static_cast<std::FILE*>(Handle.Get())), &info) != 0 || !S_ISREG(info.st_mode))
    return 0;
  return static_cast<unsigned long long>(info.st_size);
}

bool FileExists(const std::string& fileName) {
  struct stat info;
  return stat(fileName.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

namespace {

// The folder part of a path, "." for a bare name.
std::string FolderOf(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  return slash == std::string::npos ? "." : fileName.substr(0, slash + 1);
}

// Removes what earlier saves of fileName left when they were killed: the
// temporary files of its own name whose process is gone. A file of a live
// process, this one included, may still be being written.
void RemoveStaleTempFiles(const std::string& fileName) {
  DIR* folder = opendir(FolderOf(fileName).c_str());
  if (folder == nullptr) return;
  const unsigned long self = static_cast<unsigned long>(getpid());
  while (const dirent* entry = readdir(folder)) {
    const unsigned long pid = SaveTempOwner(fileName, entry->d_name);
    if (pid == 0 || pid == self) continue;
    if (pid <= 0x7FFFFFFF && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM)) continue;
    // A link is removed itself, never what it points to.
    unlinkat(dirfd(folder), entry->d_name, 0);
  }
  closedir(folder);
}

} // namespace

// A rename replaces a file whoever holds it open, so unlike on Windows there
// is no other program's hold to wait for.
void SaveFile(const std::string& fileName, std::string_view content) {
  const auto fail = [&fileName](int error) {
    throw EFileError("Cannot create file \"" + fileName + "\". " + std::strerror(error));
  };
  struct stat old;
  const bool existed = stat(fileName.c_str(), &old) == 0;
  if (existed) {
    if (S_ISDIR(old.st_mode)) fail(EISDIR);
    // A file without any write permission is read-only even for root, who
    // could otherwise replace it; one this user may not write is refused too,
    // although the folder would let it be replaced.
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(fileName.c_str(), W_OK) != 0)
      fail(EACCES);
  }
  RemoveStaleTempFiles(fileName);
  // Only a file this call creates is written: whatever already stands under a
  // name, a link above all, makes it take the next one.
  std::string temp;
  int file = -1;
  for (unsigned number = 0; file < 0; ++number) {
    temp = SaveTempName(fileName, static_cast<unsigned long>(getpid()), number);
    file = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (file < 0 && (errno != EEXIST || number >= kMaxTempNames)) fail(errno);
  }
  int error = 0;
  if (existed && fchmod(file, old.st_mode & 07777) != 0) error = errno;
  for (size_t done = 0; error == 0 && done < content.size();) {
    const ssize_t wrote = write(file, content.data() + done, content.size() - done);
    if (wrote > 0)
      done += static_cast<size_t>(wrote);
    else if (wrote < 0 && errno != EINTR)
      error = errno;
  }
  if (error == 0 && fsync(file) != 0) error = errno;
  if (close(file) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temp.c_str(), fileName.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temp.c_str());
    fail(error);
  }
  // Make the new name itself durable.
  const int directory = open(FolderOf(fileName).c_str(), O_RDONLY | O_CLOEXEC);
  if (directory >= 0) {
    fsync(directory);
    close(directory);
  }
}

// The portable comparison's first level is the bytes themselves, folded when
// case is ignored: every character keeps its weights beside any other.
TCharWeights CharWeights(std::string_view character, bool ignoreCase) {
  const std::string weights = PrimaryWeights(character, ignoreCase);
  TCharWeights learnt;
  if (weights.size() > learnt.Bytes.size()) return learnt;
  learnt.Unknown = false;
  learnt.Length = static_cast<unsigned char>(weights.size());
  std::memcpy(learnt.Bytes.data(), weights.data(), weights.size());
  return learnt;
}

std::string PrimaryWeights(std::string_view text, bool ignoreCase) {
  return ignoreCase ? Fold(text, true, false) : std::string(text);
}

namespace {
bool portableUtf8Weights = false;
} // namespace

void UsePortableUtf8Weights(bool use) { portableUtf8Weights = use; }

TUtf8Weights* Utf8Weights(bool ignoreCase) {
  static std::unique_ptr<TUtf8Weights> learnt[2];
  if (!portableUtf8Weights || !IsUtf8()) return nullptr;
  std::unique_ptr<TUtf8Weights>& weights = learnt[ignoreCase ? 1 : 0];
  if (!weights) weights = std::make_unique<TUtf8Weights>(ignoreCase);
  return weights.get();
}

const std::array<unsigned char, 256>* ComparisonByteMap(bool ignoreCase) {
  // CompareText above compares the bytes themselves, or the bytes after Fold,
  // which maps single-byte characters through the upper-case table and leaves
  // double-byte characters and UTF-8 sequences alone. The table maps its own results to themselves,
  // so folded bytes that agree also agree once every byte is mapped.
  using Map = std::array<unsigned char, 256>;
  const auto make = [](unsigned char (*map)(unsigned char)) {
    Map result;
    for (int b = 0; b < 256; ++b) result[b] = map(static_cast<unsigned char>(b));
    return result;
  };
  static const Map same = make([](unsigned char c) { return c; });
  static const Map upperAscii = make([](unsigned char c) {
    return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  });
  static const Map upper1252 = make(Upper1252);
  if (!ignoreCase) return &same;
  return FoldsAsciiOnly() ? &upperAscii : &upper1252;
}

} // namespace sys
