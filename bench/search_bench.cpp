// Searching a 10 MB log for a text that is not in it, down and up, with and
// without case, beside a plain byte search of the same text (memmem).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "find/search.h"
#include "harness.h"
#include "util/platform.h"

namespace {

constexpr size_t kLogBytes = 10 * 1000 * 1000;

// Miss blocks as an examination writes them, with a small vocabulary so the
// text has the letter mix of a real log. In code page 932 every other answer
// is in kanji and kana.
std::string MakeLog(bool japanese) {
  static const char* const words[] = {"apple",    "river",    "mountain", "capital", "planet",
                                      "opposite", "language", "number",   "history", "science"};
  static const char* const kanji[] = {"\x8E\x52", "\x90\xEC", "\x93\xFA\x96\x7B",
                                      "\x82\xA0\x82\xE8\x82\xAA\x82\xC6\x82\xA4"};
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

int Find(const std::string& log, const std::string& findText, bool matchCase, bool down) {
  int offset = 0;
  FindInText(log.data(), static_cast<int>(log.size()), findText.data(),
             static_cast<int>(findText.size()), matchCase, false, down,
             down ? 0 : static_cast<int>(log.size()), offset);
  return offset;
}

void Measure(const char* title, const std::string& log, const std::string& findText) {
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
  std::printf("\n%s: %.0f MB, find text \"%s\" (not there)\n", title, megabytes, shown.c_str());
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
      const std::string name = std::string("  FindInText ") + (down ? "down" : "up  ") +
                               (matchCase ? ", match case " : ", ignore case");
      bench::Line(name, bench::Format("%.2f ms  %.0f MB/s  ratio %.2f", seconds * 1e3,
                                      megabytes / seconds, seconds / memmemSeconds));
    }
  }
}

// The search that asks the locale's comparison at every character, as it must
// where the platform gives no byte rule (Windows), on the first megabyte.
void MeasureStepwise(const std::string& log, const std::string& findText) {
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

} // namespace

int main() {
  std::printf("== Searching the log\n");
  sys::SetPortableCodePage(1252);
  const std::string log = MakeLog(false);
  Measure("code page 1252", log, "kangaroo");
  MeasureStepwise(log, "kangaroo");
  sys::SetPortableCodePage(932);
  const std::string japanese = MakeLog(true);
  Measure("code page 932, half the answers in kanji and kana", japanese, "kangaroo");
  Measure("code page 932, a kanji find text", japanese, "\x8A\xBF\x8E\x9A");
  return 0;
}
