// Start on a loaded file of a million items, beside copying a million
// integers, with the memory it adds. A shuffled run over 100,000 items
// answered through the fake window, half of them wrong: the cost of an answer
// early and late in the run, beside the cost of moving the same items between
// the sets alone. And the item listing of a million items, beside
// concatenating the same lines into one text.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <malloc.h>
#include <string>
#include <vector>

#include "exam/examlog.h"
#include "exam/randomsource.h"
#include "harness.h"
#include "support/fakeexamwindow.h"
#include "util/textutil.h"

namespace {

constexpr int kRunItems = 100000;
constexpr int kListItems = 1000000;
constexpr int kWindow = 2000;

std::string Numbered(const char* prefix, int number) {
  return std::string(prefix).append(std::to_string(number));
}

void AddItems(TExamItems& items, int count) {
  items.Reserve(count);
  for (int i = 0; i < count; ++i) {
    TExamItem& item = items.Add();
    item.Question = Numbered("question number ", i);
    item.AddAnswer(Numbered("answer ", i));
    if (i % 2 == 0) item.AddAnswer(Numbered("another answer ", i));
    if (i % 5 == 0) item.AddAnswer(Numbered("a third, longer accepted answer ", i));
  }
}

std::vector<std::int32_t> RandomValues(int count) {
  TClockRandom random;
  std::vector<std::int32_t> values(static_cast<size_t>(count));
  for (auto& value : values) value = random.Next();
  return values;
}

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Seconds: the first and the last kWindow answers per answer, the Start
// command and the final answer (which writes the results and forms the
// review set) on their own, and the whole.
struct TRunTimes {
  double Start = 0, First = 0, Last = 0, Final = 0, Total = 0;
};

// Times the answers of a run of kRunItems, one answer a call of answer().
template <typename TAnswer> void TimeAnswers(TRunTimes& times, TAnswer answer) {
  const auto start = Clock::now();
  for (int answered = 0; answered < kRunItems; ++answered) {
    const auto one = Clock::now();
    answer(answered);
    const double seconds = Since(one);
    if (answered < kWindow)
      times.First += seconds / kWindow;
    else if (answered == kRunItems - 1)
      times.Final = seconds;
    else if (answered >= kRunItems - 1 - kWindow)
      times.Last += seconds / kWindow;
  }
  times.Total += Since(start);
}

// Start, then answer every item: items with an even number right, the others
// wrong (wrong entries are logged).
TRunTimes TimeRun(const std::vector<std::int32_t>& values) {
  TFakeExamSetup setup;
  AddItems(setup.Exam.AllItems, kRunItems);
  setup.Window.Options.Shuffle = true;
  setup.Window.Random.Values = values;
  TRunTimes times;
  const auto start = Clock::now();
  setup.Run.Start(ecStart);
  times.Start = times.Total = Since(start);
  TimeAnswers(times, [&](int) {
    const TExamItem& item = setup.Exam.RestItems.Get(setup.Exam.Index);
    const bool right = item.Question.back() % 2 == 0;
    setup.Answer(right ? item.Answers[0] : "wrong");
  });
  if (setup.Window.LogLines().size() < 5u * kRunItems / 2)
    std::printf("unexpected: the log holds too few lines\n");
  return times;
}

// The data model's own share: the same items moved out of the rest at the
// same positions, nothing else.
TRunTimes TimeMovesAlone(const std::vector<std::int32_t>& values) {
  TExamItems all, rest, hits, misses;
  AddItems(all, kRunItems);
  rest.Assign(all);
  TRunTimes times;
  TimeAnswers(times, [&](int answered) {
    const auto value = static_cast<std::uint32_t>(values[static_cast<size_t>(answered)]);
    const int index = static_cast<int>(value % static_cast<std::uint32_t>(rest.Count()));
    rest.MoveTo(index, answered % 2 == 0 ? hits : misses);
  });
  return times;
}

// The bytes the heap has handed out and not had back.
double HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd);
}

std::string WriteCsv(int count) {
  const auto path = (std::filesystem::temp_directory_path() / "tesmo-bench-start.csv").string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  for (int i = 0; i < count; ++i) std::fprintf(file, "word %d,answer %d,other %d\r\n", i, i, i);
  std::fclose(file);
  return path;
}

void BenchStart() {
  const std::string path = WriteCsv(kListItems);
  TFakeExamSetup setup;
  setup.Window.Options.Shuffle = false;
  setup.Exam.AllItems.LoadFromFile(path, qffCsv);
  std::remove(path.c_str());
  const double before = HeapInUse();
  setup.Run.Start(ecStart);
  const double after = HeapInUse();
  const double start = bench::BestSeconds([&] {
    setup.Exam.ResetRun();
    setup.Run.Start(ecStart);
  });
  const std::vector<int> numbers(kListItems, 7);
  volatile int sink = 0;
  const double copy = bench::BestSeconds([&] {
    const std::vector<int> copy(numbers);
    sink = sink + copy.back();
  });
  std::printf("\nStart: %d items loaded from a file\n", setup.Exam.RestItems.Count());
  bench::Line("  baseline (copy a million integers)", bench::Format("%.2f ms", copy * 1e3));
  bench::Line("  Start (fills the rest set)", bench::Format("%.2f ms", start * 1e3));
  bench::Line("  ratio Start / baseline", bench::Format("%.2f", start / copy));
  bench::Line("  memory in use before Start, added by it",
              bench::Format("%.0f MB  %.1f MB", before / 1e6, (after - before) / 1e6));
  bench::Line("  ratio memory after / before", bench::Format("%.2f", after / before));
}

void BenchRun() {
  std::printf("\nshuffled run: %d items, half wrong, through the fake window\n", kRunItems);
  const std::vector<std::int32_t> values = RandomValues(kRunItems);
  TRunTimes run, moves;
  for (int i = 0; i < 2; ++i) {
    const TRunTimes r = TimeRun(values), m = TimeMovesAlone(values);
    if (i == 0 || r.Total < run.Total) run = r;
    if (i == 0 || m.Total < moves.Total) moves = m;
  }
  bench::Line("  baseline (MoveTo alone), first answers",
              bench::Format("%.2f us per answer", moves.First * 1e6));
  bench::Line("  baseline (MoveTo alone), last answers",
              bench::Format("%.2f us per answer", moves.Last * 1e6));
  bench::Line("  baseline (MoveTo alone), whole", bench::Format("%.3f s", moves.Total));
  bench::Line("  run, Start (copies the items)", bench::Format("%.1f ms", run.Start * 1e3));
  bench::Line("  run, first answers",
              bench::Format("%.2f us per answer (%.2e s)", run.First * 1e6, run.First));
  bench::Line("  run, last answers but the final one",
              bench::Format("%.2f us per answer (%.2e s)", run.Last * 1e6, run.Last));
  bench::Line("  run, final answer (results, review set)",
              bench::Format("%.1f ms", run.Final * 1e3));
  bench::Line("  run, whole",
              bench::Format("%.3f s  %.2f us per answer", run.Total, run.Total / kRunItems * 1e6));
  bench::Line("  ratio run / MoveTo alone, whole", bench::Format("%.2f", run.Total / moves.Total));
}

// The listing's lines formatted beforehand, so that the baseline only joins.
std::vector<std::string> ListingLines(const TExamItems& items) {
  std::vector<std::string> lines = {"[Information]", "Filename: C:\\Drill\\bench.csv",
                                    "Item count: " + GroupThousands(items.Count())};
  for (int i = 0; i < items.Count(); ++i) {
    const TExamItem& item = items.Get(i);
    lines.emplace_back();
    lines.push_back("[Item " + GroupThousands(i + 1) + "]");
    lines.push_back("Question: " + item.Question);
    for (int k = 0; k < item.GetAnswerCount(); ++k)
      lines.push_back(Numbered("Answer ", k + 1) + ": " + item.GetAnswer(k));
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) text.append(line).append("\r\n");
  return text;
}

void BenchListing() {
  TExamItems items;
  AddItems(items, kListItems);
  const std::vector<std::string> lines = ListingLines(items);
  size_t bytes = 0;
  const double join = bench::BestSeconds([&] { bytes = Join(lines).size(); });
  size_t listed = 0;
  const double list =
      bench::BestSeconds([&] { listed = MakeItemList("C:\\Drill\\bench.csv", items).size(); });
  std::printf("\nitem listing: %d items, %.1f MB\n", kListItems, bytes / 1e6);
  if (listed != bytes) std::printf("unexpected: the listing differs in length\n");
  bench::Line("  baseline (join formatted lines)",
              bench::Format("%.3f s  %.0f MB/s", join, bytes / 1e6 / join));
  bench::Line("  MakeItemList", bench::Format("%.3f s  %.0f MB/s", list, bytes / 1e6 / list));
  bench::Line("  ratio MakeItemList / baseline", bench::Format("%.2f", list / join));
}

} // namespace

int main() {
  std::printf("== Start, examination run and item listing\n");
  BenchStart();
  BenchRun();
  BenchListing();
  return 0;
}
