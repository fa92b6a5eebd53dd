// Reads the input as a whole question file, in the format the build chose.
#include "exam/examitems.h"
#include "exam/questionfile.h"
#include "fuzz_common.h"
#include "util/textutil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = TakeCodePage(data, size);
  TExamItems items;
  const TLines lines = SplitLines(text);
  if (TESMO_FUZZ_FORMAT == qffCsv)
    ReadCsvLines(items, lines);
  else
    ReadTextLines(items, lines);
  TExamItems::RemoveEmpty(items);
  // What survives keeps the promises every later step relies on.
  for (int i = 0; i < items.Count(); ++i) {
    const TExamItem& item = items.Get(i);
    if (item.Question.empty() || item.GetAnswerCount() == 0) __builtin_trap();
    if (TrimView(item.Question).size() != item.Question.size()) __builtin_trap();
    for (const auto& answer : item.Answers)
      if (answer.empty() || TrimView(answer).size() != answer.size()) __builtin_trap();
  }
  return 0;
}
