#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exam/examlog.h"

namespace {

// "q7" and the like, built by appending (GCC 12 warns wrongly on "q" + text).
std::string Numbered(const char* prefix, int number) {
  return std::string(prefix).append(std::to_string(number));
}

// A plain list of lines, as the listing keeps them.
class TLineVector final : public TLogLines {
public:
  std::vector<std::string> Lines;
  bool HoldsLine() const override { return !Lines.empty(); }
  void Add(std::string_view line) override { Lines.emplace_back(line); }
};

void AddItem(TExamItems& items, const std::string& question,
             std::initializer_list<const char*> answers) {
  TExamItem& item = items.Add();
  item.Question = question;
  for (const char* answer : answers) item.AddAnswer(answer);
}

// The lines of a text in which every line ends with CR LF.
std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "a line without CR LF at " << start;
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

} // namespace

TEST(LogPane, CountsLinesLikeTheEditControlLessALastEmptyOne) {
  EXPECT_EQ(logpane::LineCount(""), 0);
  EXPECT_EQ(logpane::LineCount("\r\n"), 1); // a pane holding only a line break
  EXPECT_EQ(logpane::LineCount("a"), 1);
  EXPECT_EQ(logpane::LineCount("a\r\n"), 1);
  EXPECT_EQ(logpane::LineCount("a\r\nb"), 2);
  EXPECT_EQ(logpane::LineCount("a\r\n\r\n"), 2);
  // A lone CR or LF does not break a line in an edit control.
  EXPECT_EQ(logpane::LineCount("a\nb\rc"), 1);
  // The control's own figures: an empty control reports one empty line.
  EXPECT_EQ(logpane::LineCount(1, true), 0);
  EXPECT_EQ(logpane::LineCount(2, true), 1);
  EXPECT_EQ(logpane::LineCount(2, false), 2);
}

TEST(LogPane, EveryAppendedLineEndsWithCrLfEvenAfterTypedText) {
  TLogText log;
  log.AppendLine("first");
  log.AppendLine("");
  EXPECT_EQ(log.Text(), "first\r\n\r\n");
  EXPECT_EQ(log.LineCount(), 2);

  // The user typed into the pane and left the last line open.
  log.Replace("typed");
  log.AppendLine("next");
  EXPECT_EQ(log.Text(), "typed\r\nnext\r\n");
  log.Replace("typed\r");
  log.AppendLine("x");
  EXPECT_EQ(log.Text(), "typed\r\r\nx\r\n");
  EXPECT_EQ(log.LineCount(), 2);
}

TEST(LogPane, KeptCountMatchesACountOfTheWholeText) {
  TLogText log;
  const char* pieces[] = {"", "a", "\r", "\n", "b\r\nc", "\r\n", "d\n", "x\r"};
  for (int round = 0; round < 3; ++round) {
    for (const char* piece : pieces) {
      log.AppendLine(piece);
      ASSERT_EQ(log.LineCount(), logpane::LineCount(log.Text())) << "after " << piece;
    }
    log.Replace(log.Text() + pieces[round + 1]);
    ASSERT_EQ(log.LineCount(), logpane::LineCount(log.Text()));
  }
  log.Replace("");
  EXPECT_EQ(log.LineCount(), 0);
}

TEST(LogBlocks, BlankLineOnlyAfterALine) {
  TLineVector lines;
  AddBlankLine(lines);
  EXPECT_TRUE(lines.Lines.empty());
  lines.Add("x");
  AddBlankLine(lines);
  EXPECT_EQ(lines.Lines, (std::vector<std::string>{"x", ""}));
}

TEST(LogBlocks, MissAndResultsBlocksGroupCountsButNotAnswerNumbers) {
  TLineVector log;
  std::vector<std::string> answers(1000, "x");
  answers.back() = "last";
  AddMissBlock(log, 1234, "q", answers, "");
  AddResultsBlock(log, 1000000, 1234, 99);
  ASSERT_EQ(log.Lines.size(), 1003u + 5u);
  EXPECT_EQ(log.Lines[0], "[Miss 1,234]"); // the first block has no empty line before it
  EXPECT_EQ(log.Lines[1], "Question: q");
  EXPECT_EQ(log.Lines[2], "Answer 1: x");
  EXPECT_EQ(log.Lines[1001], "Answer 1000: last");
  EXPECT_EQ(log.Lines[1002], "Entry: ");
  EXPECT_EQ(
      std::vector<std::string>(log.Lines.begin() + 1003, log.Lines.end()),
      (std::vector<std::string>{"", "[Results]", "Hit: 1,000,000", "Miss: 1,234", "Ratio: 99%"}));
}

TEST(ItemList, ListsTheWorkedExample) {
  TExamItems items;
  AddItem(items, "capital of France", {"Paris"});
  AddItem(items, "largest planet", {"Jupiter", "the fifth planet"});
  AddItem(items, "opposite of hot", {"cold"});
  EXPECT_EQ(MakeItemList("C:\\Drill\\facts.txt", items), "[Information]\r\n"
                                                         "Filename: C:\\Drill\\facts.txt\r\n"
                                                         "Item count: 3\r\n"
                                                         "\r\n"
                                                         "[Item 1]\r\n"
                                                         "Question: capital of France\r\n"
                                                         "Answer 1: Paris\r\n"
                                                         "\r\n"
                                                         "[Item 2]\r\n"
                                                         "Question: largest planet\r\n"
                                                         "Answer 1: Jupiter\r\n"
                                                         "Answer 2: the fifth planet\r\n"
                                                         "\r\n"
                                                         "[Item 3]\r\n"
                                                         "Question: opposite of hot\r\n"
                                                         "Answer 1: cold\r\n");
}

TEST(ItemList, EmptySetAndEmptyFileNameGiveTheHeaderAlone) {
  TExamItems items;
  EXPECT_EQ(MakeItemList("", items), "[Information]\r\nFilename: \r\nItem count: 0\r\n");
}

TEST(ItemList, GroupsItemNumbersButNotAnswerNumbers) {
  TExamItems items;
  for (int i = 1; i <= 1500; ++i) AddItem(items, Numbered("q", i), {"a"});
  for (int k = 2; k <= 1000; ++k) items.Get(999).AddAnswer(Numbered("a", k));
  const std::vector<std::string> lines = SplitCrLf(MakeItemList("f", items));
  EXPECT_EQ(lines[2], "Item count: 1,500");
  // Every item takes four lines before the thousandth: blank, header, question, answer.
  const size_t at = 3 + 999 * 4;
  EXPECT_EQ(lines[at], "");
  EXPECT_EQ(lines[at + 1], "[Item 1,000]");
  EXPECT_EQ(lines[at + 2], "Question: q1000");
  EXPECT_EQ(lines[at + 3 + 999], "Answer 1000: a1000");
  EXPECT_EQ(lines.back(), "Answer 1: a");
  EXPECT_EQ(lines.size(), 3 + 1500 * 4 + 999u);
}
