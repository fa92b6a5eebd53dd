#include "examlog.h"

#include <charconv>
#include <initializer_list>

#include "util/textutil.h"

namespace {

// The decimal text of a number, without grouping.
struct TDecimal {
  explicit TDecimal(long long value) {
    Length = static_cast<size_t>(std::to_chars(Digits, Digits + sizeof Digits, value).ptr - Digits);
  }
  std::string_view View() const { return {Digits, Length}; }
  char Digits[24];
  size_t Length;
};

// An item's number as GroupThousands writes it ("1,234"), without a string:
// the listing writes a million of them.
struct TItemNumber {
  explicit TItemNumber(int value) {
    First = sizeof Digits;
    for (int digits = 0; digits == 0 || value > 0; ++digits, value /= 10) {
      if (digits > 0 && digits % 3 == 0) Digits[--First] = ',';
      Digits[--First] = static_cast<char>('0' + value % 10);
    }
  }
  std::string_view View() const { return {Digits + First, sizeof Digits - First}; }
  char Digits[16];
  size_t First;
};

int CountBreaks(std::string_view text) {
  int breaks = 0;
  for (size_t at = text.find(logpane::kLineBreak); at != std::string_view::npos;
       at = text.find(logpane::kLineBreak, at + 2))
    ++breaks;
  return breaks;
}

// The listing is built straight into one text, each line closed by CR LF.
class TListBuilder final : public TLogLines {
public:
  explicit TListBuilder(size_t capacity) { Text.reserve(capacity); }
  bool HoldsLine() const override { return Lines > 0; }
  void Add(std::string_view line) override { AddParts({line}); }
  void AddParts(std::initializer_list<std::string_view> parts) {
    for (std::string_view part : parts) Text.append(part);
    Text.append(logpane::kLineBreak);
    ++Lines;
  }
  std::string Text;

private:
  int Lines = 0;
};

// Lines read one after another as sentences; a block's header is read
// without its brackets.
class TSpokenLines final : public TLogLines {
public:
  explicit TSpokenLines(std::string_view first) : Text(first) {}
  bool HoldsLine() const override { return false; } // no blank lines
  void Add(std::string_view line) override {
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
      line = line.substr(1, line.size() - 2);
    // A line that ends a sentence itself needs no second full stop.
    if (!Text.empty()) {
      const char last = Text.back();
      Text.append(last == '.' || last == '!' || last == '?' ? " " : ". ");
    }
    Text.append(line);
  }
  std::string Text;
};

void AddAnswerLine(TLogLines& lines, int number, std::string_view answer) {
  std::string line = "Answer ";
  line.append(TDecimal(number).View()).append(": ").append(answer);
  lines.Add(line);
}

} // namespace

void AddBlankLine(TLogLines& lines) {
  if (lines.HoldsLine()) lines.Add("");
}

void AddMissBlock(TLogLines& log, int missNumber, std::string_view question,
                  const std::vector<std::string>& answers, std::string_view entry) {
  AddBlankLine(log);
  log.Add("[Miss " + GroupThousands(missNumber) + "]");
  log.Add(std::string("Question: ").append(question));
  for (size_t k = 0; k < answers.size(); ++k)
    AddAnswerLine(log, static_cast<int>(k + 1), answers[k]);
  log.Add(std::string("Entry: ").append(entry));
}

void AddResultsBlock(TLogLines& log, int hits, int misses, int ratio) {
  AddBlankLine(log);
  log.Add("[Results]");
  log.Add("Hit: " + GroupThousands(hits));
  log.Add("Miss: " + GroupThousands(misses));
  log.Add("Ratio: " + GroupThousands(ratio) + "%");
}

std::string MissVerdict(const std::vector<std::string>& answers) {
  TSpokenLines spoken("Miss");
  for (size_t k = 0; k < answers.size(); ++k)
    AddAnswerLine(spoken, static_cast<int>(k + 1), answers[k]);
  return std::move(spoken.Text);
}

std::string ResultsSummary(int hits, int misses, int ratio) {
  TSpokenLines spoken("");
  AddResultsBlock(spoken, hits, misses, ratio);
  return std::move(spoken.Text);
}

std::string MakeItemList(std::string_view fileName, const TExamItems& items) {
  const int count = items.Count();
  // An upper bound of the length (the margins hold the fixed texts and the
  // longest numbers): one pass over the lengths costs less than regrowing.
  size_t capacity = 64 + fileName.size();
  for (int i = 0; i < count; ++i) {
    const TExamItem& item = items.Get(i);
    capacity += 40 + item.Question.size();
    for (std::string_view answer : item.Answers) capacity += 24 + answer.size();
  }
  TListBuilder list(capacity);
  const std::string countText = GroupThousands(count);
  list.AddParts({"[Information]"});
  list.AddParts({"Filename: ", fileName});
  list.AddParts({"Item count: ", countText});
  for (int i = 0; i < count; ++i) {
    const TExamItem& item = items.Get(i);
    AddBlankLine(list);
    list.AddParts({"[Item ", TItemNumber(i + 1).View(), "]"});
    list.AddParts({"Question: ", item.Question});
    int answerNumber = 0;
    for (std::string_view answer : item.Answers)
      list.AddParts({"Answer ", TDecimal(++answerNumber).View(), ": ", answer});
  }
  return std::move(list.Text);
}

namespace logpane {

bool LastLineEmpty(std::string_view text) { return text.empty() || text.ends_with(kLineBreak); }

std::string LineInsertion(std::string_view line, bool lastLineEmpty) {
  std::string insertion;
  insertion.reserve(line.size() + 4);
  if (!lastLineEmpty) insertion.append(kLineBreak);
  insertion.append(line).append(kLineBreak);
  return insertion;
}

int LineCount(std::string_view text) {
  return LineCount(CountBreaks(text) + 1, LastLineEmpty(text));
}

} // namespace logpane

void TLogText::Replace(std::string text) {
  Value = std::move(text);
  Breaks = CountBreaks(Value);
}

void TLogText::AppendLine(std::string_view line) {
  // A text ending in a lone CR has a last line that is not empty, so the
  // insertion opens with a whole CR LF and no break spans the seam.
  const std::string insertion = logpane::LineInsertion(line, logpane::LastLineEmpty(Value));
  Breaks += CountBreaks(insertion);
  Value.append(insertion);
}

int TLogText::LineCount() const {
  return logpane::LineCount(Breaks + 1, logpane::LastLineEmpty(Value));
}
