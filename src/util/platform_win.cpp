// The platform layer on Windows: the system's own locale services.
#include "platform.h"

#include <algorithm>
#include <memory>

#include <windows.h>

#include "kernelhandles.h"
#include "paths.h"
#include "utf8weights.h"

namespace sys {
namespace {

std::array<bool, 256> MakeLeadBytes() {
  std::array<bool, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = IsDBCSLeadByte(static_cast<BYTE>(b)) != FALSE;
  return table;
}

int ClampLength(size_t length) {
  return length > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(length);
}

bool Utf8CodePage() {
  static const bool utf8 = GetACP() == CP_UTF8;
  return utf8;
}

std::array<unsigned char, 256> MakeCharSteps() {
  std::array<unsigned char, 256> steps{};
  for (int b = 0; b < 256; ++b) {
    if (Utf8CodePage())
      steps[b] = b >= 0xC2 && b <= 0xF4 ? kUtf8Step : 1;
    else
      steps[b] = IsLeadByte(static_cast<unsigned char>(b)) ? 2 : 1;
  }
  return steps;
}

// Text of the code page in UTF-16 for the wide functions. The "A" functions
// that take a locale (CompareStringA, GetStringTypeA, LCMapStringA) read their
// bytes in that locale's code page, which is not the ANSI code page whenever
// the user's regional format and the system's language for non-Unicode
// programs differ, nor UTF-8 when a program asks for it: the bytes are always
// the ANSI code page's, so they are converted here and the wide functions are
// called. An invalid byte becomes the code page's default character.
class TWideText {
public:
  explicit TWideText(std::string_view text) {
    // Never more UTF-16 units than bytes.
    const int length = ClampLength(text.size());
    WCHAR* buffer = Local;
    if (text.size() > std::size(Local)) {
      Heap.resize(text.size());
      buffer = Heap.data();
    }
    Size = length > 0 ? MultiByteToWideChar(CP_ACP, 0, text.data(), length, buffer, length) : 0;
    Text = buffer;
  }
  TWideText(const TWideText&) = delete;
  TWideText& operator=(const TWideText&) = delete;

  const WCHAR* Text;
  int Size;

private:
  WCHAR Local[128];
  std::wstring Heap;
};

} // namespace

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

int CodePage() { return static_cast<int>(GetACP()); }

const std::array<bool, 256>& LeadBytes() {
  static const std::array<bool, 256> table = MakeLeadBytes();
  return table;
}

const std::array<unsigned char, 256>& CharSteps() {
  static const std::array<unsigned char, 256> table = MakeCharSteps();
  return table;
}

int CompareText(std::string_view a, std::string_view b, bool ignoreCase) {
  const TWideText wideA(a), wideB(b);
  return CompareStringW(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, wideA.Text,
                        wideA.Size, wideB.Text, wideB.Size);
}

bool IsLetterOrDigit(const char* p, const char* end) {
  if (p >= end) return false;
  const TWideText wide({p, static_cast<size_t>(NextChar(p, end) - p)});
  WORD types[2] = {0, 0};
  if (wide.Size <= 0 || !GetStringTypeW(CT_CTYPE1, wide.Text, wide.Size, types)) return false;
  if ((types[0] & (C1_ALPHA | C1_DIGIT)) != 0) return true;
  // A character beyond the basic plane, a UTF-8 sequence of four bytes, is
  // typed as the character its two halves encode.
  if (wide.Size == 2 && IS_HIGH_SURROGATE(wide.Text[0]) && IS_LOW_SURROGATE(wide.Text[1]))
    return IsSupplementaryLetterOrDigit(0x10000 +
                                        ((static_cast<char32_t>(wide.Text[0]) - 0xD800) << 10) +
                                        (static_cast<char32_t>(wide.Text[1]) - 0xDC00));
  return false;
}

namespace {

// The upper case of UTF-8 text, which may change its length; invalid bytes
// stay as they are.
std::string UpperCaseUtf8(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    // A run of well-formed characters, then perhaps an invalid byte.
    const char* run = p;
    while (p < end && (static_cast<unsigned char>(*p) < 0x80 || Utf8Length(p, end) > 1))
      p += Utf8Length(p, end);
    if (p > run) {
      TWideText wide({run, static_cast<size_t>(p - run)});
      std::wstring upper(wide.Text, static_cast<size_t>(wide.Size));
      CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
      const int size =
          WideCharToMultiByte(CP_UTF8, 0, upper.data(), wide.Size, nullptr, 0, nullptr, nullptr);
      const size_t at = result.size();
      result.resize(at + static_cast<size_t>(std::max(size, 0)));
      WideCharToMultiByte(CP_UTF8, 0, upper.data(), wide.Size, result.data() + at, size, nullptr,
                          nullptr);
    }
    if (p < end) result += *p++;
  }
  return result;
}

} // namespace

std::string UpperCase(std::string_view text) {
  if (Utf8CodePage()) return UpperCaseUtf8(text);
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
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL | LOCALE_USE_CP_ACP, buffer,
                     sizeof buffer) > 1)
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
  Handle.Reset(ValidOrNull(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)));
  if (!Handle) {
    const DWORD error = GetLastError();
    throw EFileError("Cannot open file \"" + fileName + "\". " + SystemMessage(error));
  }
}

void TFileReader::Close(void* handle) { CloseHandle(handle); }

size_t TFileReader::Read(char* buffer, size_t size) {
  const DWORD wanted = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
  DWORD got = 0;
  if (!::ReadFile(Handle.Get(), buffer, wanted, &got, nullptr))
    throw EFileError("Cannot read file \"" + FileName + "\". " + SystemMessage(GetLastError()));
  return got;
}

unsigned long long TFileReader::SizeHint() const {
  LARGE_INTEGER size;
  return GetFileSizeEx(Handle.Get(), &size) ? static_cast<unsigned long long>(size.QuadPart) : 0;
}

bool FileExists(const std::string& fileName) {
  const DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

// How many taken temporary names a save steps over before it gives up.
constexpr unsigned kMaxTempNames = 1000;

// Another program may hold a file for a moment (a virus scanner, the search
// indexer, a sync client reading what was just written); while it holds it
// without sharing deletion, the file cannot be replaced. Such programs let go
// within a second or so, so the replacement is tried again after pauses that
// double from the first, each at most the longest, until the whole wait has
// passed. A save that succeeds at once never waits.
constexpr ULONGLONG kFirstPause = 10, kLongestPause = 250, kLongestWait = 2000; // ms

bool MayBeHeldAMoment(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

// True when a temporary name the save chose is taken and the next one is to be
// tried: something stands there, perhaps a file being deleted that another
// program still holds, which Windows reports as access denied rather than as
// existing. Creating is never waited for: a name that is held is passed over
// sooner than waited for, and a folder that refuses new files goes on
// refusing them.
bool NameTaken(DWORD error, const std::string& name) {
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return true;
  if (!MayBeHeldAMoment(error)) return false;
  WIN32_FIND_DATAA found;
  return TFindHandle(ValidOrNull(FindFirstFileA(name.c_str(), &found))) ? true : false;
}

// Puts the written temporary file in the place of fileName: 0, or the error
// of the last try.
DWORD MoveIntoPlace(const std::string& temp, const std::string& fileName) {
  const ULONGLONG start = GetTickCount64();
  for (ULONGLONG pause = kFirstPause;; pause = std::min(pause * 2, kLongestPause)) {
    if (MoveFileExA(temp.c_str(), fileName.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return 0;
    const DWORD error = GetLastError();
    const ULONGLONG waited = GetTickCount64() - start;
    if (!MayBeHeldAMoment(error) || waited >= kLongestWait) return error;
    Sleep(static_cast<DWORD>(std::min(pause, kLongestWait - waited)));
  }
}

bool ProcessRuns(unsigned long pid) {
  const TKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid)));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

// Removes what earlier saves of fileName left when they were killed: the
// temporary files of its own name whose process is gone and that nothing
// holds open (a save holds its temporary file open, shared with nobody, while
// it writes). A file of a live process, this one included, is left alone.
void RemoveStaleTempFiles(const std::string& fileName) {
  const std::string folder = fileName.substr(0, NameStart(fileName));
  WIN32_FIND_DATAA found;
  const TFindHandle search(ValidOrNull(FindFirstFileA((fileName + ".*.tmp").c_str(), &found)));
  if (!search) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const unsigned long pid = SaveTempOwner(fileName, found.cFileName);
    if (pid == 0 || pid == GetCurrentProcessId() || ProcessRuns(pid)) continue;
    // A link is removed itself, never what it points to.
    // Opened to be deleted as it closes, which the owner does at once.
    TKernelHandle(ValidOrNull(
        CreateFileA((folder + found.cFileName).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                    FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)));
  } while (FindNextFileA(search.Get(), &found));
}

} // namespace

void SaveFile(const std::string& fileName, std::string_view content) {
  const auto fail = [&fileName](DWORD error) {
    throw EFileError("Cannot create file \"" + fileName + "\". " + SystemMessage(error));
  };
  // Windows refuses to replace a read-only file, but Wine does not: ask first.
  // Asking first also refuses it at once: Windows calls it access denied,
  // as it does a file another program holds, which is waited for.
  const DWORD attributes = GetFileAttributesA(fileName.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    fail(ERROR_ACCESS_DENIED);
  RemoveStaleTempFiles(fileName);
  // Only a file this call creates is written: whatever already stands under a
  // name, a link above all, makes it take the next one.
  std::string temp;
  TKernelHandle file;
  for (unsigned number = 0; !file; ++number) {
    temp = SaveTempName(fileName, GetCurrentProcessId(), number);
    file.Reset(ValidOrNull(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) {
      const DWORD error = GetLastError();
      if (!NameTaken(error, temp) || number >= kMaxTempNames) fail(error);
    }
  }
  DWORD error = 0;
  for (size_t done = 0; error == 0 && done < content.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 30));
    DWORD wrote = 0;
    if (!::WriteFile(file.Get(), content.data() + done, chunk, &wrote, nullptr) || wrote == 0)
      error = GetLastError() != 0 ? GetLastError() : ERROR_WRITE_FAULT;
    done += wrote;
  }
  if (error == 0 && !FlushFileBuffers(file.Get())) error = GetLastError();
  // Closed here, not by the owner: a close can fail, and the file must be
  // whole before it takes the name.
  if (!CloseHandle(file.Release()) && error == 0) error = GetLastError();
  if (error == 0) error = MoveIntoPlace(temp, fileName);
  if (error != 0) {
    DeleteFileA(temp.c_str());
    fail(error);
  }
}

const std::array<unsigned char, 256>* ComparisonByteMap(bool) {
  // CompareStringW is linguistic: it ignores some characters and expands
  // others, so equal texts need not agree byte for byte. ComparisonWeights
  // describes it instead.
  return nullptr;
}

namespace {

// The sort key of text in the code page, as LCMapStringW writes it into size
// bytes of key: its length, or 0 when it did not fit or the call failed; the
// size needed when key is null.
int SortKey(std::string_view text, DWORD flags, char* key, int size) {
  const TWideText wide(text);
  return LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | flags, wide.Text, wide.Size,
                      reinterpret_cast<LPWSTR>(key), size);
}

// A sort key read by its levels: the primary, diacritic and case
// weights, the extra weights of kana and the special weights of punctuation,
// each level ended by 1, the whole key by 0.
struct TSortKey {
  std::string Primary, Diacritic, Case, Extra, Special;
};

bool ReadSortKey(std::string_view text, DWORD flags, TSortKey& key) {
  char buffer[256];
  const int size = SortKey(text, flags, buffer, sizeof buffer);
  if (size <= 0 || buffer[size - 1] != 0) return false;
  std::string* levels[] = {&key.Primary, &key.Diacritic, &key.Case, &key.Extra, &key.Special};
  size_t level = 0;
  for (int i = 0; i + 1 < size; ++i) {
    const char byte = buffer[i];
    if (byte == 0) return false;
    if (byte == 1 && level < 4)
      ++level;
    else
      levels[level]->push_back(byte);
  }
  return level == 4;
}

// The primary weights of a whole text: the sort key up to its first 1.
std::string PrimaryOf(std::string_view text, DWORD flags) {
  // Room for every level of every character, so that one call does.
  std::string key(text.size() * 24 + 64, '\0');
  int size = SortKey(text, flags, key.data(), static_cast<int>(key.size()));
  if (size <= 0) {
    size = SortKey(text, flags, nullptr, 0);
    if (size <= 0) return "?";
    key.assign(static_cast<size_t>(size), '\0');
    if (SortKey(text, flags, key.data(), size) <= 0) return "?";
  }
  key.resize(std::min(key.find('\1'), static_cast<size_t>(size)));
  return key;
}

std::string_view PrimaryOf(const TCharWeights& weights) {
  return {reinterpret_cast<const char*>(weights.Bytes.data()), weights.Length};
}

// True when a primary weight begins with 0xFF, which stands for a weight taken
// from the character before (kana repeat and prolonged sound marks).
bool BorrowsWeight(const std::string& primary) {
  for (size_t i = 0; i < primary.size(); i += 2)
    if (primary[i] == '\xFF') return true;
  return false;
}

// The weights of one character on its own. They are trusted only when the key
// has the shape that a character with fixed weights gives: one UTF-16
// character (or a surrogate pair), no borrowed weight, at most one diacritic
// and one case weight for every primary weight, extra weights only beside the
// one primary weight of a kana, special weights only for punctuation, which
// has no primary weight. Expansions whose parts the comparison treats
// otherwise than the sort key (ignorable parts, accents) show up here as keys
// of another shape.
TCharWeights Learn(std::string_view text, DWORD flags) {
  TCharWeights weights;
  const TWideText wide(text);
  // A character outside the basic plane is a surrogate pair.
  const bool pair =
      wide.Size == 2 && IS_HIGH_SURROGATE(wide.Text[0]) && IS_LOW_SURROGATE(wide.Text[1]);
  if (wide.Size != 1 && !pair) return weights;
  TSortKey key;
  if (!ReadSortKey(text, flags, key)) return weights;
  const std::string& primary = key.Primary;
  const size_t units = std::max<size_t>(1, primary.size() / 2);
  if (primary.size() > weights.Bytes.size() || BorrowsWeight(primary) ||
      key.Diacritic.size() > units || key.Case.size() > units)
    return weights;
  if (!key.Extra.empty() && primary.size() != 2) return weights;
  if (!key.Special.empty() && (!primary.empty() || key.Special.size() != 4)) return weights;
  weights.Unknown = false;
  weights.Length = static_cast<unsigned char>(primary.size());
  std::copy(primary.begin(), primary.end(), weights.Bytes.begin());
  return weights;
}

// A character of the code page with the weights learnt for it.
struct TLearntChar {
  std::string Text;
  TCharWeights* Weights;
};

// Finds the characters whose weights change beside others in a sequence. The
// whole sequence is weighed in one text and compared with its characters' own
// weights; a sequence that differs is taken apart pair by pair. When a pair
// still begins with the first character's weights, the second one's depend on
// what stands before it (a kana repeat mark): its weights are unknown.
// Otherwise the pair is a contraction, weighed as one (the Danish "aa", the
// Czech "ch"): the first character's weights are unknown and the second may
// end one. The sequence is weighed again without the characters of unknown
// weights, whose removal makes new neighbours, until it agrees; what no pair
// explains leaves every character of it unknown. Contractions of three or more
// characters (the Hungarian "dzs") begin and end with characters that begin
// and end two-character ones, so the pairs find them too.
void MarkContractions(std::vector<const TLearntChar*> sequence, DWORD flags) {
  for (;;) {
    std::erase_if(sequence, [](const TLearntChar* c) { return c->Weights->Unknown; });
    std::string text, expected;
    for (const TLearntChar* c : sequence) {
      text += c->Text;
      expected += PrimaryOf(*c->Weights);
    }
    if (sequence.empty() || PrimaryOf(text, flags) == expected) return;
    bool explained = false;
    for (size_t i = 0; i + 1 < sequence.size(); ++i) {
      const TLearntChar& a = *sequence[i];
      const TLearntChar& b = *sequence[i + 1];
      const std::string_view first = PrimaryOf(*a.Weights);
      const std::string pair = PrimaryOf(a.Text + b.Text, flags);
      if (pair == std::string(first) + std::string(PrimaryOf(*b.Weights))) continue;
      explained = true;
      if (pair.compare(0, first.size(), first) == 0) {
        b.Weights->Unknown = true;
      } else {
        a.Weights->Unknown = true;
        b.Weights->EndsContraction = true;
      }
    }
    if (!explained)
      for (const TLearntChar* c : sequence) c->Weights->Unknown = true;
  }
}

// Weighs every single-byte character after and before every other one, and
// the double-byte characters after a letter and after themselves, and before
// a letter.
void MarkContractionsOfCodePage(const std::vector<TLearntChar>& singles,
                                const std::vector<TLearntChar>& doubles, DWORD flags) {
  for (const TLearntChar& a : singles) {
    std::vector<const TLearntChar*> sequence;
    for (const TLearntChar& b : singles) {
      sequence.push_back(&a);
      sequence.push_back(&b);
    }
    sequence.push_back(&a);
    MarkContractions(sequence, flags);
  }
  if (doubles.empty() || singles.empty()) return;
  const TLearntChar* letter = &singles.front();
  for (const TLearntChar& s : singles)
    if (s.Text == "a") letter = &s;
  std::vector<const TLearntChar*> sequence;
  for (const TLearntChar& c : doubles) {
    sequence.insert(sequence.end(), {letter, &c, &c});
    if (sequence.size() >= 600) {
      MarkContractions(sequence, flags);
      sequence.assign(1, &c);
    }
  }
  MarkContractions(sequence, flags);
}

std::unique_ptr<TComparisonWeights> LearnWeights(DWORD flags) {
  auto weights = std::make_unique<TComparisonWeights>();
  int rows = 0;
  for (int b = 0; b < 256; ++b) {
    weights->LeadRow[b] = IsLeadByte(static_cast<unsigned char>(b)) ? rows++ : -1;
    const char byte = static_cast<char>(b);
    weights->Single[b] = Learn({&byte, 1}, flags);
  }
  // Ignorable characters must be passed over, not end the comparison: were
  // the rest of a text after one of them left out, no weights would describe
  // it, and every place must be compared.
  for (int b = 0; b < 256; ++b) {
    const TCharWeights& c = weights->Single[b];
    if (weights->LeadRow[b] >= 0 || c.Unknown || c.Length > 0) continue;
    const char one[3] = {'a', static_cast<char>(b), 'a'},
               other[3] = {'a', static_cast<char>(b), 'b'};
    if (CompareText({one, 3}, {other, 3}, flags != 0) == CSTR_EQUAL) return nullptr;
  }
  weights->Double.resize(static_cast<size_t>(rows) * 256);
  std::vector<TLearntChar> singles, doubles;
  for (int b = 0; b < 256; ++b) {
    if (weights->LeadRow[b] < 0) {
      if (!weights->Single[b].Unknown)
        singles.push_back({std::string(1, static_cast<char>(b)), &weights->Single[b]});
      continue;
    }
    for (int trail = 0; trail < 256; ++trail) {
      const char pair[2] = {static_cast<char>(b), static_cast<char>(trail)};
      TCharWeights& learnt =
          weights->Double[static_cast<size_t>(weights->LeadRow[b]) * 256 + trail];
      learnt = Learn({pair, 2}, flags);
      if (!learnt.Unknown) doubles.push_back({std::string(pair, 2), &learnt});
    }
  }
  MarkContractionsOfCodePage(singles, doubles, flags);
  return weights;
}

} // namespace

TCharWeights CharWeights(std::string_view character, bool ignoreCase) {
  return Learn(character, ignoreCase ? NORM_IGNORECASE : 0);
}

std::string PrimaryWeights(std::string_view text, bool ignoreCase) {
  return PrimaryOf(text, ignoreCase ? NORM_IGNORECASE : 0);
}

const TComparisonWeights* ComparisonWeights(bool ignoreCase) {
  struct TLearnt {
    bool Done = false;
    UINT CodePage = 0;
    LCID Locale = 0;
    std::unique_ptr<TComparisonWeights> Weights; // null when they describe nothing
  };
  static TLearnt learnt[2];
  TLearnt& mode = learnt[ignoreCase ? 1 : 0];
  const UINT codePage = GetACP();
  if (codePage == CP_UTF8) return nullptr;
  const LCID locale = GetUserDefaultLCID();
  if (!mode.Done || mode.CodePage != codePage || mode.Locale != locale)
    mode = {true, codePage, locale, LearnWeights(ignoreCase ? NORM_IGNORECASE : 0)};
  return mode.Weights.get();
}

TUtf8Weights* Utf8Weights(bool ignoreCase) {
  struct TLearnt {
    LCID Locale = 0;
    std::unique_ptr<TUtf8Weights> Weights;
  };
  static TLearnt learnt[2];
  if (!Utf8CodePage()) return nullptr;
  TLearnt& mode = learnt[ignoreCase ? 1 : 0];
  const LCID locale = GetUserDefaultLCID();
  if (!mode.Weights || mode.Locale != locale)
    mode = {locale, std::make_unique<TUtf8Weights>(ignoreCase)};
  return mode.Weights.get();
}

} // namespace sys
