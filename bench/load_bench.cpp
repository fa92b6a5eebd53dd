// Loading question files of a million items, beside the floor no loader can
// beat: reading the same file into memory and finding every line end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <malloc.h>
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
    case 0:
      n = std::snprintf(line, sizeof line, "word %d,answer %d\r\n", i, i);
      break;
    case 1:
      n = std::snprintf(line, sizeof line, "term %d, meaning %d ,other %d\r\n", i, i, i);
      break;
    case 2:
      n = std::snprintf(line, sizeof line, "\"city %d, region\",capital %d\r\n", i, i);
      break;
    default:
      n = std::snprintf(line, sizeof line, "q%d,a%d,b%d,c%d\r\n", i, i, i, i);
      break;
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

// Seconds of one LoadFromFile; the set is destroyed after the clock stops.
double TimeLoad(const std::string& path, int format, int& count) {
  TExamItems items;
  const auto start = std::chrono::steady_clock::now();
  items.LoadFromFile(path, format);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  count = items.Count();
  return elapsed.count();
}

void Measure(const char* label, const std::string& path, int format) {
  const double bytes = static_cast<double>(std::filesystem::file_size(path));
  volatile size_t sink = 0;
  int count = 0;
  // Cold: each in a fresh process, as a user's first open is. Memory a
  // process has never touched is costly on some machines (virtual machines
  // that hand in pages lazily), so the warm figures, with freed memory kept in
  // the heap for reuse, show the loader's own work.
  // The best of three fresh processes each, interleaved, since how fast a
  // machine hands in new memory varies from moment to moment.
  bench::ChildRun floorCold, loadCold;
  for (int round = 0; round < 3; ++round) {
    const bench::ChildRun floorRun = bench::RunInChild(
        [&] { return bench::Seconds([&] { sink = sink + ReadAndFindLineEnds(path); }); });
    const bench::ChildRun loadRun = bench::RunInChild([&] {
      int n = 0;
      return TimeLoad(path, format, n);
    });
    if (round == 0 || floorRun.Seconds < floorCold.Seconds) floorCold = floorRun;
    if (round == 0 || loadRun.Seconds < loadCold.Seconds) loadCold = loadRun;
  }
  const long long idle = bench::IdlePeakBytes();
  const double floorPeak = static_cast<double>(floorCold.PeakBytes - idle);
  const double loadPeak = static_cast<double>(loadCold.PeakBytes - idle);

  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  const double floor = bench::BestSeconds([&] { sink = sink + ReadAndFindLineEnds(path); });
  double load = 1e300;
  for (int run = 0; run < 5; ++run) load = std::min(load, TimeLoad(path, format, count));

  std::printf("\n%s: %d items, %.1f MB\n", label, count, bytes / 1e6);
  bench::Line("  baseline (read + find line ends), warm",
              bench::Format("%.3f s  %.0f MB/s", floor, bytes / 1e6 / floor));
  bench::Line("  LoadFromFile, warm", bench::Format("%.3f s  %.0f MB/s  %.2f M items/s", load,
                                                    bytes / 1e6 / load, count / 1e6 / load));
  bench::Line("  ratio load / baseline, warm", bench::Format("%.2f", load / floor));
  bench::Line("  cold: baseline, LoadFromFile, ratio",
              bench::Format("%.3f s  %.3f s  %.2f", floorCold.Seconds, loadCold.Seconds,
                            loadCold.Seconds / floorCold.Seconds));
  bench::Line("  peak memory, baseline", bench::Format("%.0f MB  %.2f bytes per file byte",
                                                       floorPeak / 1e6, floorPeak / bytes));
  bench::Line("  peak memory, LoadFromFile",
              bench::Format("%.0f MB  %.2f bytes per file byte", loadPeak / 1e6, loadPeak / bytes));
}

} // namespace

int main() {
  const std::string csv = WriteFile("tesmo-bench-1m.csv", MakeCsv());
  const std::string text = WriteFile("tesmo-bench-1m.txt", MakeText());
  std::printf("== Loading question files\n");
  // Each format in a process of its own: the warm runs change how the heap
  // keeps memory, which must not touch the other format's cold figures.
  bench::RunInChild([&] {
    Measure("comma-separated", csv, qffCsv);
    return 0.0;
  });
  bench::RunInChild([&] {
    Measure("tab-indented text", text, qffText);
    return 0.0;
  });
  std::remove(csv.c_str());
  std::remove(text.c_str());
  return 0;
}
