// The platform layer on Windows: the system's own locale services.
#include "platform.h"

#include <algorithm>

#include <windows.h>

namespace sys {
namespace {

std::array<bool, 256> MakeLeadBytes() {
  std::array<bool, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = IsDBCSLeadByte(static_cast<BYTE>(b)) != FALSE;
  return table;
}

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 ? std::string(text, length) : "Error " + std::to_string(error);
  LocalFree(text);
  while (!message.empty() && static_cast<unsigned char>(message.back()) <= ' ') message.pop_back();
  return message;
}

int ClampLength(size_t length) {
  return length > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(length);
}

} // namespace

int CodePage() { return static_cast<int>(GetACP()); }

const std::array<bool, 256>& LeadBytes() {
  static const std::array<bool, 256> table = MakeLeadBytes();
  return table;
}

int CompareText(std::string_view a, std::string_view b, bool ignoreCase) {
  return CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(),
                        ClampLength(a.size()), b.data(), ClampLength(b.size()));
}

bool IsLetterOrDigit(const char* p, const char* end) {
  if (p >= end) return false;
  const int length = (IsLeadByte(static_cast<unsigned char>(*p)) && p + 1 < end) ? 2 : 1;
  WORD types[2] = {0, 0};
  if (!GetStringTypeA(LOCALE_USER_DEFAULT, CT_CTYPE1, p, length, types)) return false;
  return (types[0] & (C1_ALPHA | C1_DIGIT)) != 0;
}

std::string UpperCase(std::string_view text) {
  std::string result(text);
  if (!result.empty()) CharUpperBuffA(result.data(), static_cast<DWORD>(result.size()));
  return result;
}

std::string LowerCaseFileName(std::string_view text) {
  std::string result(text);
  CPINFO info;
  if (GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1) {
    const char* end = result.data() + result.size();
    for (char* p = result.data(); p < end; p = const_cast<char*>(NextChar(p, end)))
      if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p + 32);
  } else if (!result.empty()) {
    CharLowerBuffA(result.data(), static_cast<DWORD>(result.size()));
  }
  return result;
}

char DecimalSeparator() {
  char buffer[8] = {0};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1)
    return buffer[0];
  return '.';
}

unsigned LongPathName(const char* path, char* buffer, unsigned size) {
  return GetLongPathNameA(path, buffer, size);
}

DateTime LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

TFileReader::TFileReader(const std::string& fileName) : FileName(fileName) {
  Handle = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (Handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    Handle = nullptr;
    throw EFileError("Cannot open file \"" + fileName + "\". " + SystemMessage(error));
  }
}

TFileReader::~TFileReader() { CloseHandle(Handle); }

size_t TFileReader::Read(char* buffer, size_t size) {
  const DWORD wanted = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
  DWORD got = 0;
  if (!::ReadFile(Handle, buffer, wanted, &got, nullptr))
    throw EFileError("Cannot read file \"" + FileName + "\". " + SystemMessage(GetLastError()));
  return got;
}

unsigned long long TFileReader::SizeHint() const {
  LARGE_INTEGER size;
  return GetFileSizeEx(Handle, &size) ? static_cast<unsigned long long>(size.QuadPart) : 0;
}

bool FileExists(const std::string& fileName) {
  const DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

// How many taken temporary names a save steps over before it gives up.
constexpr unsigned kMaxTempNames = 1000;

bool ProcessRuns(unsigned long pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return runs;
}

// Removes what earlier saves of fileName left when they were killed: the
// temporary files of its own name whose process is gone and that nothing
// holds open (a save holds its temporary file open, shared with nobody, while
// it writes). A file of a live process, this one included, is left alone.
void RemoveStaleTempFiles(const std::string& fileName) {
  const size_t cut = fileName.find_last_of("\\/:");
  const std::string folder = cut == std::string::npos ? "" : fileName.substr(0, cut + 1);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((fileName + ".*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const unsigned long pid = SaveTempOwner(fileName, found.cFileName);
    if (pid == 0 || pid == GetCurrentProcessId() || ProcessRuns(pid)) continue;
    // A link is removed itself, never what it points to.
    HANDLE stale =
        CreateFileA((folder + found.cFileName).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                    FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (stale != INVALID_HANDLE_VALUE) CloseHandle(stale);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

} // namespace

void SaveFile(const std::string& fileName, std::string_view content) {
  const auto fail = [&fileName](DWORD error) {
    throw EFileError("Cannot create file \"" + fileName + "\". " + SystemMessage(error));
  };
  // Windows refuses to replace a read-only file, but Wine does not: ask first.
  const DWORD attributes = GetFileAttributesA(fileName.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    fail(ERROR_ACCESS_DENIED);
  RemoveStaleTempFiles(fileName);
  // Only a file this call creates is written: whatever already stands under a
  // name, a link above all, makes it take the next one.
  std::string temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (unsigned number = 0; file == INVALID_HANDLE_VALUE; ++number) {
    temp = SaveTempName(fileName, GetCurrentProcessId(), number);
    file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || number >= kMaxTempNames)
        fail(error);
    }
  }
  DWORD error = 0;
  for (size_t done = 0; error == 0 && done < content.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 30));
    DWORD wrote = 0;
    if (!::WriteFile(file, content.data() + done, chunk, &wrote, nullptr) || wrote == 0)
      error = GetLastError() != 0 ? GetLastError() : ERROR_WRITE_FAULT;
    done += wrote;
  }
  if (error == 0 && !FlushFileBuffers(file)) error = GetLastError();
  if (!CloseHandle(file) && error == 0) error = GetLastError();
  if (error == 0 && !MoveFileExA(temp.c_str(), fileName.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error != 0) {
    DeleteFileA(temp.c_str());
    fail(error);
  }
}

const std::array<unsigned char, 256>* ComparisonByteMap(bool) {
  // CompareStringA is linguistic: it ignores some characters and expands
  // others, so equal texts need not agree byte for byte.
  return nullptr;
}

} // namespace sys
