// Searching a 10 MB log for a text that is not in it, down and up, with and
// without case, beside a plain byte search of the same text (memmem). Built
// natively it measures the portable comparison; built for Windows and run under
// Wine, the system's own comparison in the code page Wine was started with, or
// in UTF-8 as search_utf8_bench, whose manifest asks for it.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "find/search.h"
#include "harness.h"
#include "util/platform.h"

namespace {

constexpr size_t kLogBytes = 10 * 1000 * 1000;

// The same kanji and kana in code page 932 and in UTF-8, and a find text of
// two kanji that the log does not hold.
const char* const kKanji932[] = {"\x8E\x52", "\x90\xEC", "\x93\xFA\x96\x7B",
                                 "\x82\xA0\x82\xE8\x82\xAA\x82\xC6\x82\xA4"};
const char* const kKanjiUtf8[] = {"\xE5\xB1\xB1", "\xE5\xB7\x9D", "\xE6\x97\xA5\xE6\x9C\xAC",
                                  "\xE3\x81\x82\xE3\x82\x8A\xE3\x81\x8C\xE3\x81\xA8\xE3\x81\x86"};
const char* const kKanjiFind932 = "\x8A\xBF\x8E\x9A";
const char* const kKanjiFindUtf8 = "\xE6\xBC\xA2\xE5\xAD\x97";

// Miss blocks as an examination writes them, with a small vocabulary so the
// text has the letter mix of a real log. In code pages 932 and 65001 every
// other answer is in kanji and kana.
std::string MakeLog(int codePage) {
  static const char* const words[] = {"apple",    "river",    "mountain", "capital", "planet",
                                      "opposite", "language", "number",   "history", "science"};
  const bool japanese = codePage == 932 || codePage == 65001;
  const char* const* kanji = codePage == 65001 ? kKanjiUtf8 : kKanji932;
  std::string log;
  log.reserve(kLogBytes + 256);
  char line[256];
  for (int n = 1; log.size() < kLogBytes; ++n) {
    const char* word = words[n % 10];
    const char* answer = japanese && n % 2 ? kanji[n % 4] : words[(n * 7) % 10];
    const int length = std::snprintf(line, sizeof line,
                                     "%s[Miss %d]\r\nQuestion: %s of %d\r\nAnswer 1: %s %d\r\n"
                                     "Answer 2: the %s\r\nEntry: %s\r\n",
                                     n > 1 ? "\r\n" : "", n, word, n % 97, answer, n % 13,
                                     words[(n * 3) % 10], words[(n * 5) % 10]);
    log.append(line, static_cast<size_t>(length));
  }
  log.resize(kLogBytes);
  return log;
}

#ifdef _WIN32
// The C library here has no memmem: the usual vector search on the needle's
// first and last byte stands in for it.
const void* memmem(const void* haystack, size_t length, const void* needle, size_t needleLength) {
  const auto* text = static_cast<const unsigned char*>(haystack);
  const auto* find = static_cast<const unsigned char*>(needle);
  if (needleLength == 0) return text;
  if (needleLength > length) return nullptr;
  const size_t last = length - needleLength;
  size_t h = 0;
#ifdef __SSE2__
  const __m128i first = _mm_set1_epi8(static_cast<char>(find[0]));
  const __m128i end = _mm_set1_epi8(static_cast<char>(find[needleLength - 1]));
  for (; h + 15 <= last; h += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + h));
    const __m128i b =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + h + needleLength - 1));
    unsigned mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, end))));
    for (; mask != 0; mask &= mask - 1) {
      const size_t at = h + static_cast<size_t>(__builtin_ctz(mask));
      if (std::memcmp(text + at, find, needleLength) == 0) return text + at;
    }
  }
#endif
  for (; h <= last; ++h)
    if (std::memcmp(text + h, find, needleLength) == 0) return text + h;
  return nullptr;
}
#endif

int Find(const std::string& log, const std::string& findText, bool matchCase, bool down) {
  int offset = 0;
  FindInText(log.data(), static_cast<int>(log.size()), findText.data(),
             static_cast<int>(findText.size()), matchCase, false, down,
             down ? 0 : static_cast<int>(log.size()), offset);
  return offset;
}

[[maybe_unused]] int FindStepwise(const std::string& log, const std::string& findText,
                                  bool matchCase, bool down) {
  int offset = 0;
  FindInTextStepwise(log.data(), static_cast<int>(log.size()), findText.data(),
                     static_cast<int>(findText.size()), matchCase, false, down,
                     down ? 0 : static_cast<int>(log.size()), offset);
  return offset;
}

// The log with the find text as its last bytes, after the last line break
// that leaves room for it.
std::string WithFindTextAtEnd(const std::string& log, const std::string& findText) {
  const size_t cut = log.rfind("\r\n", log.size() - findText.size() - 2);
  return log.substr(0, cut + 2) + findText;
}

// A search down from the start that finds the find text at the very end of
// the log, beside memmem of the same.
void MeasureAtEnd(const std::string& log, const std::string& findText) {
  const std::string text = WithFindTextAtEnd(log, findText);
  const int expected = static_cast<int>(text.size() - findText.size());
  volatile size_t sink = 0;
  const double floor = bench::BestSeconds([&] {
    sink = sink + (memmem(text.data(), text.size(), findText.data(), findText.size()) != nullptr);
  });
  bench::Line("  at the end: memmem", bench::Format("%.2f ms", floor * 1e3));
  for (bool matchCase : {true, false}) {
    int offset = 0;
    const double seconds =
        bench::BestSeconds([&] { offset = Find(text, findText, matchCase, true); });
    if (offset != expected)
      std::printf("  (found at %d, not %d: the benchmark is wrong)\n", offset, expected);
    bench::Line(std::string("  at the end: FindInText down, ") +
                    (matchCase ? "match case" : "ignore case"),
                bench::Format("%.2f ms  ratio %.2f", seconds * 1e3, seconds / floor));
  }
}

void Measure(const std::string& title, const std::string& log, const std::string& findText) {
  const double megabytes = static_cast<double>(log.size()) / 1e6;
  volatile size_t sink = 0;
  const double memmemSeconds = bench::BestSeconds([&] {
    sink = sink + (memmem(log.data(), log.size(), findText.data(), findText.size()) != nullptr);
  });
  const double stdSearchSeconds = bench::BestSeconds([&] {
    sink =
        sink + (std::search(log.begin(), log.end(), findText.begin(), findText.end()) != log.end());
  });
  std::string shown;
  for (unsigned char c : findText) {
    char hex[8];
    std::snprintf(hex, sizeof hex, c < 0x80 ? "%c" : "\\x%02X", c);
    shown += hex;
  }
  std::printf("\n%s: %.0f MB, find text \"%s\" (not there)\n", title.c_str(), megabytes,
              shown.c_str());
  bench::Line("  baseline memmem",
              bench::Format("%.2f ms  %.0f MB/s", memmemSeconds * 1e3, megabytes / memmemSeconds));
  bench::Line("  std::search",
              bench::Format("%.2f ms  %.0f MB/s  ratio %.2f", stdSearchSeconds * 1e3,
                            megabytes / stdSearchSeconds, stdSearchSeconds / memmemSeconds));
  for (bool matchCase : {true, false}) {
    for (bool down : {true, false}) {
      int offset = 0;
      const double seconds =
          bench::BestSeconds([&] { offset = Find(log, findText, matchCase, down); });
      if (offset != -1) std::printf("  (found at %d: the benchmark is wrong)\n", offset);
      const std::string mode =
          std::string(down ? "down" : "up  ") + (matchCase ? ", match case " : ", ignore case");
      bench::Line("  FindInText " + mode,
                  bench::Format("%.2f ms  %.0f MB/s  ratio %.2f", seconds * 1e3,
                                megabytes / seconds, seconds / memmemSeconds));
#ifdef _WIN32
      // The scan that asks CompareStringA at every character, once: the
      // search as it was before places could be passed over here.
      const double stepwise =
          bench::BestSeconds([&] { offset = FindStepwise(log, findText, matchCase, down); }, 1);
      bench::Line("  stepwise   " + mode,
                  bench::Format("%.2f ms  %.0f MB/s  FindInText %.1f times faster", stepwise * 1e3,
                                megabytes / stepwise, stepwise / seconds));
#endif
    }
  }
  MeasureAtEnd(log, findText);
}

// The search that asks the locale's comparison at every character, on the
// first megabyte.
[[maybe_unused]] void MeasureStepwise(const std::string& log, const std::string& findText) {
  const std::string part = log.substr(0, 1000 * 1000);
  for (bool matchCase : {true, false}) {
    int offset = 0;
    const double seconds = bench::BestSeconds(
        [&] {
          FindInTextStepwise(part.data(), static_cast<int>(part.size()), findText.data(),
                             static_cast<int>(findText.size()), matchCase, false, true, 0, offset);
        },
        1);
    bench::Line(std::string("  stepwise down, 1 MB") +
                    (matchCase ? ", match case " : ", ignore case"),
                bench::Format("%.2f ms  %.0f MB/s", seconds * 1e3, 1.0 / seconds));
  }
}

#ifdef _WIN32
// In UTF-8 the first search over a log learns the characters it has not met
// before, each with its neighbours: a log whose answers are two of 3,000
// kanji, its first search and a later one.
void MeasureManyKanji() {
  const auto kanji = [](int n) {
    const int c = 0x4E00 + n % 3000;
    return std::string{static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                       static_cast<char>(0x80 | (c & 0x3F))};
  };
  std::string log;
  for (int n = 1; log.size() < kLogBytes; ++n)
    log += "\r\n[Miss " + std::to_string(n) + "]\r\nQuestion: river\r\nAnswer 1: " + kanji(n * 7) +
           kanji(n * 13) + "\r\nEntry: mountain\r\n";
  std::printf("\nCode page 65001, answers of two from 3,000 kanji: %.0f MB\n",
              static_cast<double>(log.size()) / 1e6);
  for (bool matchCase : {false, true}) {
    const double first = bench::Seconds([&] { Find(log, "kangaroo", matchCase, true); });
    const double later = bench::BestSeconds([&] { Find(log, "kangaroo", matchCase, true); });
    bench::Line(std::string("  first search, then later ones, ") +
                    (matchCase ? "match case" : "ignore case"),
                bench::Format("%.2f ms, %.2f ms", first * 1e3, later * 1e3));
  }
}

// The comparisons behind the answer check and whole word, one call each: an
// entry against an answer of the same words, and the letter-or-digit test.
void MeasureCharacterServices(const std::string& log) {
  const std::string entry = "the mountain river", answer = "The Mountain River";
  constexpr int kCalls = 200000;
  volatile int sink = 0;
  for (bool ignoreCase : {false, true}) {
    const double seconds = bench::BestSeconds([&] {
      for (int i = 0; i < kCalls; ++i) sink = sink + sys::CompareText(entry, answer, ignoreCase);
    });
    bench::Line(std::string("  answer check, ") + (ignoreCase ? "ignore case" : "match case "),
                bench::Format("%.2f us a comparison", seconds * 1e6 / kCalls));
  }
  // "mount" is in every block but never a whole word: each place found is
  // judged by the letter test.
  for (bool matchCase : {true, false}) {
    int offset = 0;
    const double seconds = bench::BestSeconds(
        [&] {
          FindInText(log.data(), static_cast<int>(log.size()), "mount", 5, matchCase, true, true, 0,
                     offset);
        },
        3);
    bench::Line(std::string("  whole word \"mount\", down, ") +
                    (matchCase ? "match case" : "ignore case"),
                bench::Format("%.2f ms", seconds * 1e3));
  }
}
#endif

} // namespace

int main() {
#ifdef _WIN32
  const int codePage = sys::CodePage();
  std::printf("== Searching the log under Wine, code page %d (the system's CompareStringA)\n",
              codePage);
  const std::string log = MakeLog(codePage);
  // The first search of a process learns what the locale makes of each
  // character; the figures below are of later searches.
  const double first = bench::Seconds([&] { Find(log, "kangaroo", false, true); });
  bench::Line("  first search in the process", bench::Format("%.2f ms", first * 1e3));
  if (codePage == 932 || codePage == 65001) {
    const std::string name = "code page " + std::to_string(codePage);
    Measure(name + ", half the answers in kanji and kana", log, "kangaroo");
    Measure(name + ", a kanji find text", log, codePage == 932 ? kKanjiFind932 : kKanjiFindUtf8);
  } else {
    Measure("code page " + std::to_string(codePage), log, "kangaroo");
  }
  std::printf("\nThe answer check and whole word:\n");
  MeasureCharacterServices(log);
  if (codePage == 65001) MeasureManyKanji();
#else
  std::printf("== Searching the log\n");
  sys::SetPortableCodePage(1252);
  const std::string log = MakeLog(1252);
  Measure("code page 1252", log, "kangaroo");
  MeasureStepwise(log, "kangaroo");
  for (const int codePage : {932, 65001}) {
    sys::SetPortableCodePage(codePage);
    const std::string japanese = MakeLog(codePage);
    const std::string name = "code page " + std::to_string(codePage);
    Measure(name + ", half the answers in kanji and kana", japanese, "kangaroo");
    Measure(name + ", a kanji find text", japanese,
            codePage == 932 ? kKanjiFind932 : kKanjiFindUtf8);
  }
#endif
  return 0;
}
