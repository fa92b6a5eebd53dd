// The platform services the core relies on: the ANSI code page's character
// boundaries, locale-aware comparison and character types, long paths, the
// local time and whole-file reading.
//
// The Windows build implements them with the system's own functions; the
// portable build (used to run the core's tests on any machine) stands in for
// code pages 1252, 932 and 65001. Nothing else in the core talks to the
// platform.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ownedhandle.h"

namespace sys {

// The active ANSI code page (1252, 932, 65001...).
int CodePage();

// UTF-8, which Windows makes the ANSI code page when the user asks it to use
// Unicode for every language: a character is then a sequence of one to four
// bytes.
constexpr int kUtf8CodePage = 65001;
inline bool IsUtf8() { return CodePage() == kUtf8CodePage; }

// The bytes that open a double-byte character in the active code page (none
// in UTF-8, where IsDBCSLeadByte knows no lead byte either).
const std::array<bool, 256>& LeadBytes();

inline bool IsLeadByte(unsigned char byte) { return LeadBytes()[byte]; }

// How far a step from a byte that begins a character goes: 1; 2 for a lead
// byte; kUtf8Step for a byte that opens a UTF-8 sequence, which is a whole
// character only when the bytes after it are its own (Utf8Length).
constexpr unsigned char kUtf8Step = 0;
const std::array<unsigned char, 256>& CharSteps();

// The length of the well-formed UTF-8 sequence that begins at p and ends by
// end, from 1 (ASCII) to 4; 1 when there is none there: an invalid byte, or a
// sequence cut short by end, is a character of one byte.
int Utf8Length(const char* p, const char* end);

// The start of the character after the one at p. A lead byte with no byte
// after it (p + 1 == end) is a character of its own, so the result never
// passes end.
inline const char* NextChar(const char* p, const char* end) {
  if (p >= end) return end;
  switch (CharSteps()[static_cast<unsigned char>(*p)]) {
  case 1:
    return p + 1;
  case 2:
    return p + 1 < end ? p + 2 : p + 1;
  default:
    return p + Utf8Length(p, end);
  }
}

// The start of the character before p, given the start of the text; start
// itself when p is at or before start. It walks back only over the bytes that
// could lead a character, which in text is a character or two (in UTF-8, over
// at most three bytes); a scan that must go far backwards through long runs of
// such bytes should find the character starts in one forward pass instead.
const char* PrevChar(const char* start, const char* p);

// Locale-aware comparison of two texts with the user's default locale, as
// CompareString does it: 1 less, 2 equal, 3 greater, 0 when the call failed.
int CompareText(std::string_view a, std::string_view b, bool ignoreCase);

inline bool SameText(std::string_view a, std::string_view b, bool ignoreCase) {
  return CompareText(a, b, ignoreCase) == 2;
}

// True when the character at p (one byte, two for a lead byte that has its
// trail byte before end, or a UTF-8 sequence) is a letter or a digit for the
// user's locale.
bool IsLetterOrDigit(const char* p, const char* end);

// A letter or digit beyond the basic plane (c above U+FFFF), judged by the
// block it lies in: CJK ideographs of the supplementary planes, the scripts
// and the mathematical letters and digits of plane 1. The system's character
// types judge UTF-16 units one by one and give a surrogate half none.
bool IsSupplementaryLetterOrDigit(char32_t c);

// The text in the locale's upper case, character by character.
std::string UpperCase(std::string_view text);

// The text lower-cased by file-name rules: in a double-byte code page and in
// UTF-8 only the letters A to Z change.
std::string LowerCaseFileName(std::string_view text);

// The user's decimal separator.
char DecimalSeparator();

// GetLongPathName: the length written into buffer (terminator excluded), the
// size needed when buffer is too small, 0 on failure.
unsigned LongPathName(const char* path, char* buffer, unsigned size);

struct DateTime {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

DateTime LocalNow();

// A file that cannot be opened, read or written. The message names the file.
class EFileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A file open for reading in blocks; other programs may read it meanwhile but
// not write it. Throws EFileError when it cannot be opened or read.
class TFileReader {
public:
  explicit TFileReader(const std::string& fileName);
  TFileReader(const TFileReader&) = delete;
  TFileReader& operator=(const TFileReader&) = delete;

  // Reads up to size bytes; 0 at the end of the file.
  size_t Read(char* buffer, size_t size);
  // The file's size when the system knows it, else 0.
  unsigned long long SizeHint() const;

private:
  // The platform's open file, closed when the reader goes.
  static void Close(void* handle);
  std::string FileName;
  TOwnedHandle<void*, Close> Handle;
};

// Reads a whole file. Throws EFileError.
std::string ReadFile(const std::string& fileName);

#ifdef _WIN32
// The system's text for an error code, without its closing line break;
// "Error " and the code when the system has none.
std::string SystemMessage(unsigned long error);
#endif

#ifndef _WIN32
// The portable layer's code page: 1252 (the default), 932 or 65001.
void SetPortableCodePage(int codePage);
#endif

// True when the path names an existing file (not a folder).
bool FileExists(const std::string& fileName);

// Creates or replaces a whole file without ever leaving it damaged: the bytes
// go to a temporary file in the same folder, which replaces the old file only
// once all of them are written. The temporary file is always a new one,
// created under a name nothing holds yet, so a file or link planted there
// is never written through. A read-only file or a folder is refused at once
// and left as it is. On Windows, a file that another program holds a moment
// (a virus scanner, an indexer, a sync client) is waited for, up to about two
// seconds, before the save fails; a save that succeeds at once never waits.
// Throws EFileError naming the file; no temporary file is left behind, and
// those that an earlier save of the same file left when it was killed are
// removed.
void SaveFile(const std::string& fileName, std::string_view content);

// The temporary files of SaveFile lie beside the file, named
// "<file>.<pid>.<n>.tmp" after the saving process and a number that makes the
// name fresh. SaveTempName gives such a name; SaveTempOwner the process id
// that the name of a folder entry carries when it is one of these names for
// the file named fileName (or the older "<file>.<pid>.tmp"), else 0.
std::string SaveTempName(const std::string& fileName, unsigned long pid, unsigned number);
unsigned long SaveTempOwner(std::string_view fileName, std::string_view entryName);

// A byte map that the equality of CompareText respects: when two texts of the
// same length compare equal, their bytes map to the same values position by
// position, so a search may pass over every place where the mapped bytes
// differ. Null when no such map holds: the system's linguistic comparison
// counts some texts of different bytes as equal (ignorable characters,
// expansions), and then every place must be compared.
const std::array<unsigned char, 256>* ComparisonByteMap(bool ignoreCase);

// What the locale's comparison makes of one character at its first level, the
// one at which letters are told apart before accents and case are looked at:
// its primary weights, as a sort key shows them. Texts that CompareText calls
// equal have the same primary weights, character after character; ignorable
// characters have none and expanding ones (the ligatures) several.
struct TCharWeights {
  // The weights depend on the characters around it (the first of a
  // contraction, a kana repeat mark) or were not understood: no rule holds.
  bool Unknown = true;
  // The last of a contraction: with what comes before it, it may stand for
  // other weights than its own.
  bool EndsContraction = false;
  unsigned char Length = 0;
  std::array<unsigned char, 8> Bytes{};
};

// The primary weights of every character of the code page, learnt from the
// system for the user's locale and one case mode.
struct TComparisonWeights {
  // A byte that is a character of its own; for a lead byte, the lead byte as
  // the last byte of a compared text, with no trail byte after it.
  std::array<TCharWeights, 256> Single;
  // Double-byte characters: Double[LeadRow[lead] * 256 + trail].
  std::array<int, 256> LeadRow{};
  std::vector<TCharWeights> Double;

  // The character at p in a compared text that ends at end (p < end), and the
  // start of the next one.
  const TCharWeights& At(const unsigned char* p, const unsigned char* end) const {
    const int row = LeadRow[*p];
    return row >= 0 && p + 1 < end ? Double[static_cast<size_t>(row) * 256 + p[1]] : Single[*p];
  }
  const unsigned char* Next(const unsigned char* p, const unsigned char* end) const {
    return LeadRow[*p] >= 0 && p + 1 < end ? p + 2 : p + 1;
  }
};

// The primary weights of one character on its own (a UTF-8 sequence, or a
// byte that stands alone), as ComparisonWeights learns them for its code
// pages; Unknown when they do not have the shape of fixed weights. And the
// primary weights of a whole text, as its sort key begins with them. For
// TUtf8Weights, which learns UTF-8 characters as a search meets them.
TCharWeights CharWeights(std::string_view character, bool ignoreCase);
std::string PrimaryWeights(std::string_view text, bool ignoreCase);

#ifdef _WIN32
// The weights of CompareText in the active code page and the user's locale,
// learnt on first use and again whenever the locale has changed. Null when the
// system's comparison does not keep to them, and in UTF-8: its characters are
// too many to learn at once, and combining marks may join the characters
// before them (TUtf8Weights learns them as a search meets them instead).
const TComparisonWeights* ComparisonWeights(bool ignoreCase);
#else
// The portable comparison has its byte map instead.
inline const TComparisonWeights* ComparisonWeights(bool) { return nullptr; }
#endif

} // namespace sys
