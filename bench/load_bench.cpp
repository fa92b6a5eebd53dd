// Loading question files of a million items, beside the floor no loader can
// beat: reading the same file into memory and finding every line end.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "exam/examitems.h"
#include "harness.h"
#include "util/platform.h"

namespace {

constexpr int kItems = 1000000;

// A vocabulary-like file: short questions, one to three answers, now and then
// a quoted field with a comma.
std::string MakeCsv() {
  std::string text;
  char line[160];
  for (int i = 0; i < kItems; ++i) {
    int n;
    switch (i % 4) {
    case 0: n = std::snprintf(line, sizeof line, "word %d,answer %d\r\n", i, i); break;
    case 1: n = std::snprintf(line, sizeof line, "term %d, meaning %d ,other %d\r\n", i, i, i); break;
    case 2: n = std::snprintf(line, sizeof line, "\"city %d, region\",capital %d\r\n", i, i); break;
    default: n = std::snprintf(line, sizeof line, "q%d,a%d,b%d,c%d\r\n", i, i, i, i); break;
    }
    text.append(line, static_cast<size_t>(n));
  }
  return text;
}

std::string MakeText() {
  std::string text;
  char line[160];
  for (int i = 0; i < kItems; ++i) {
    int n;
    if (i % 3 == 0)
      n = std::snprintf(line, sizeof line, "word %d\r\nanswer %d\r\n", i, i);
    else
      n = std::snprintf(line, sizeof line, "term %d\r\n\tmeaning %d\r\n\tother %d\r\n", i, i, i);
    text.append(line, static_cast<size_t>(n));
  }
  return text;
}

std::string WriteFile(const std::string& name, const std::string& content) {
  const auto path = (std::filesystem::temp_directory_path() / name).string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(content.data(), 1, content.size(), file);
  std::fclose(file);
  return path;
}

// The floor: the file read into memory and every line end found.
size_t ReadAndFindLineEnds(const std::string& path) {
  const std::string text = sys::ReadFile(path);
  size_t lines = 0;
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const void* hit = std::memchr(p, '\n', static_cast<size_t>(end - p));
    if (hit == nullptr) break;
    ++lines;
    p = static_cast<const char*>(hit) + 1;
  }
  return lines;
}

void Measure(const char* label, const std::string& path, int format) {
  const double bytes = static_cast<double>(std::filesystem::file_size(path));
  volatile size_t sink = 0;
  const double floor = bench::BestSeconds([&] { sink = sink + ReadAndFindLineEnds(path); });
  int count = 0;
  const double load = bench::BestSeconds([&] {
    TExamItems items;
    items.LoadFromFile(path, format);
    count = items.Count();
  });
  const long long idle = bench::IdlePeakBytes();
  const long long floorPeak = bench::PeakBytesInChild([&] { ReadAndFindLineEnds(path); }) - idle;
  const long long loadPeak = bench::PeakBytesInChild([&] {
    TExamItems items;
    items.LoadFromFile(path, format);
  }) - idle;

  std::printf("\n%s: %d items, %.1f MB\n", label, count, bytes / 1e6);
  bench::Line("  baseline (read + find line ends)",
              bench::Format("%.3f s  %.0f MB/s", floor, bytes / 1e6 / floor));
  bench::Line("  LoadFromFile",
              bench::Format("%.3f s  %.0f MB/s  %.2f M items/s", load, bytes / 1e6 / load,
                            count / 1e6 / load));
  bench::Line("  ratio load / baseline", bench::Format("%.2f", load / floor));
  bench::Line("  peak memory, baseline",
              bench::Format("%.0f MB  %.2f bytes per file byte", floorPeak / 1e6,
                            floorPeak / bytes));
  bench::Line("  peak memory, LoadFromFile",
              bench::Format("%.0f MB  %.2f bytes per file byte", loadPeak / 1e6,
                            loadPeak / bytes));
}

} // namespace

int main() {
  const std::string csv = WriteFile("tesmo-bench-1m.csv", MakeCsv());
  const std::string text = WriteFile("tesmo-bench-1m.txt", MakeText());
  std::printf("== Loading question files\n");
  Measure("comma-separated", csv, qffCsv);
  Measure("tab-indented text", text, qffText);
  std::remove(csv.c_str());
  std::remove(text.c_str());
  return 0;
}
