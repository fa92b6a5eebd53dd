#include "widenames.h"

#include <windows.h>

namespace {

bool Utf8CodePage() { return GetACP() == CP_UTF8; }

// The code page's bytes for every character of wide, or false when one of
// them has none: no best-fit look-alike, and in UTF-8 no U+FFFD for an
// unpaired surrogate.
bool ConvertExactly(std::wstring_view wide, std::string& bytes) {
  bytes.clear();
  if (wide.empty()) return true;
  const bool utf8 = Utf8CodePage();
  const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* used = utf8 ? nullptr : &usedDefault;
  const int length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, used);
  if (size <= 0 || usedDefault) return false;
  bytes.resize(static_cast<size_t>(size));
  return WideCharToMultiByte(codePage, flags, wide.data(), length, bytes.data(), size, nullptr,
                             used) == size &&
         !usedDefault;
}

// What the user is shown of a name that has no exact form: "?" for what the
// code page lacks, never a look-alike.
std::string ShownName(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const DWORD flags = Utf8CodePage() ? 0 : WC_NO_BEST_FIT_CHARS;
  const int length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string name(static_cast<size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.data(), length, name.data(), size, nullptr, nullptr);
  return name;
}

// A path the system fills in: call(buffer, size) gives the length written, or
// the size needed when the buffer is too small, or 0 on failure (empty then).
template <typename TCall> std::wstring SystemPath(TCall call) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = call(path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length);
  }
}

// The "A" calls take a name into a buffer of MAX_PATH UTF-16 units, its NUL
// included; a folder must leave room there for a backslash and a name of 8.3.
constexpr size_t kLongestFile = MAX_PATH - 1;
constexpr size_t kLongestFolder = MAX_PATH - 12 - 1;

std::wstring ShortPathOf(const std::wstring& path) {
  return SystemPath(
      [&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(path.c_str(), buffer, size); });
}

// A name too long for the "A" calls may still have a short form; the system
// may want the prefix that lifts the length limit to find it.
std::wstring ShortPath(const std::wstring& path) {
  std::wstring shortPath = ShortPathOf(path);
  if (!shortPath.empty() || path.size() <= kLongestFile || path.size() < 3) return shortPath;
  const bool unc = path.compare(0, 2, L"\\\\") == 0;
  if (unc ? path.compare(0, 3, L"\\\\?") == 0 : path[1] != L':') return shortPath;
  const std::wstring prefix = unc ? L"\\\\?\\UNC" : L"\\\\?\\";
  shortPath = ShortPathOf(prefix + path.substr(unc ? 1 : 0));
  if (shortPath.compare(0, prefix.size(), prefix) != 0) return shortPath;
  return (unc ? L"\\" : L"") + shortPath.substr(prefix.size());
}

} // namespace

// A name the "A" calls cannot take whole, for its characters or its length,
// is taken in its short form, or as its folder's short form and its own name.
TCodePageName CodePageName(const std::wstring& path, TNameUse use) {
  TCodePageName result;
  const size_t longest = use == TNameUse::Folder ? kLongestFolder : kLongestFile;
  if (path.size() <= longest && ConvertExactly(path, result.Name)) {
    result.Exact = true;
    return result;
  }
  if (use != TNameUse::Write) {
    const std::wstring shortPath = ShortPath(path);
    if (!shortPath.empty() && shortPath.size() <= longest &&
        ConvertExactly(shortPath, result.Name)) {
      result.Exact = true;
      return result;
    }
  }
  // The folder's short form and the file's own name.
  const size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos && slash > 0) {
    const std::wstring folder = ShortPath(path.substr(0, slash));
    std::string folderName, name;
    if (!folder.empty() && folder.size() + path.size() - slash <= longest &&
        ConvertExactly(path.substr(slash + 1), name) && ConvertExactly(folder, folderName)) {
      result.Name = folderName + "\\" + name;
      result.Exact = true;
      return result;
    }
  }
  result.Name = ShownName(path);
  return result;
}

TCodePageName FullCodePageName(const std::wstring& path) {
  if (path.empty()) return {};
  std::wstring full = SystemPath([&](wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(path.c_str(), size, buffer, nullptr);
  });
  if (full.empty()) full = path;
  const std::wstring longPath = SystemPath(
      [&](wchar_t* buffer, DWORD size) { return GetLongPathNameW(full.c_str(), buffer, size); });
  return CodePageName(longPath.empty() ? full : longPath);
}

std::wstring WideText(std::string_view text) {
  if (text.empty()) return std::wstring();
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
  return wide;
}
