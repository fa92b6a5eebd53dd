#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "exam/questionfile.h"
#include "support/codepage.h"
#include "support/tempfile.h"
#include "util/platform.h"

namespace {

using Strings = std::vector<std::string>;

Strings Lines(std::string_view text) {
  Strings result;
  for (const auto line : SplitLines(text)) result.emplace_back(line);
  return result;
}

Strings Split(std::string_view line) {
  Strings fields;
  SplitCsvLine(line, fields, ',', '"');
  return fields;
}

// An item written as "question: answer | answer".
std::string Describe(const TExamItem& item) {
  std::string text = item.Question + ":";
  for (int k = 0; k < item.GetAnswerCount(); ++k)
    text += (k == 0 ? " " : " | ") + item.GetAnswer(k);
  return text;
}

Strings Describe(const TExamItems& items) {
  Strings result;
  for (int i = 0; i < items.Count(); ++i) result.push_back(Describe(items.Get(i)));
  return result;
}

Strings Load(std::string_view content, int format) {
  TTempFile file(content);
  TExamItems items;
  if (!items.LoadFromFile(file.Path(), format)) return {"(false)"};
  return Describe(items);
}

// What a file of these bytes must load as: the in-memory reader of the
// format, then the clean-up.
void ReadInMemory(TExamItems& items, const std::string& text, int format) {
  if (format == qffCsv)
    ReadCsvLines(items, SplitLines(text));
  else
    ReadTextLines(items, SplitLines(text));
  TExamItems::RemoveEmpty(items);
}

} // namespace

TEST(SplitLines, EveryKindOfLineEndEndsOneLine) {
  EXPECT_EQ(Lines("a\r\nb\r\n"), (Strings{"a", "b"}));
  EXPECT_EQ(Lines("a\nb\n"), (Strings{"a", "b"}));
  EXPECT_EQ(Lines("a\rb\r"), (Strings{"a", "b"}));
  EXPECT_EQ(Lines("a\r\nb\nc\rd"), (Strings{"a", "b", "c", "d"}));
}

TEST(SplitLines, LineFeedThenCarriageReturnEndsTwoLines) {
  EXPECT_EQ(Lines("a\n\rb"), (Strings{"a", "", "b"}));
  EXPECT_EQ(Lines("a\r\r\nb"), (Strings{"a", "", "b"}));
  EXPECT_EQ(Lines("a\n\nb"), (Strings{"a", "", "b"}));
}

TEST(SplitLines, FinalBreakAddsNoLineAndEmptyTextHasNone) {
  EXPECT_EQ(Lines(""), Strings{});
  EXPECT_EQ(Lines("a"), (Strings{"a"}));
  EXPECT_EQ(Lines("a\r\n"), (Strings{"a"}));
  EXPECT_EQ(Lines("\r\n"), (Strings{""}));
  EXPECT_EQ(Lines("a\r\n\r\n"), (Strings{"a", ""}));
}

TEST(SplitLines, EmptyViewHasNoLines) {
  EXPECT_EQ(SplitLines(std::string_view{}).size(), 0u);
  EXPECT_EQ(Split(std::string_view{}), (Strings{""}));
}

TEST(SplitLines, NulEndsTheWholeText) {
  EXPECT_EQ(Lines(std::string("a\nb\0c\nd", 7)), (Strings{"a", "b"}));
  EXPECT_EQ(Lines(std::string("\0a", 2)), Strings{});
  EXPECT_EQ(Lines(std::string("a\r\0\nb", 5)), (Strings{"a"}));
}

TEST(SplitLines, LongRunsOfOneKindOfLineEndStayLinear) {
  // Lone CRs only: the search for the next LF must not restart at every line.
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "q,a\r";
  EXPECT_EQ(SplitLines(text).size(), 200000u);
}

TEST(SplitCsvLine, QuotingBlanksAndEmptyFields) {
  EXPECT_EQ(Split("  \"Paris, France\" , capital ,\"say \"\"hi\"\"\" , "),
            (Strings{"Paris, France", "capital", "say \"hi\"", ""}));
  EXPECT_EQ(Split("\"abc\"def,x"), (Strings{"abc", "x"}));
  EXPECT_EQ(Split("ab\"c,d"), (Strings{"ab\"c", "d"}));
  EXPECT_EQ(Split("\"open, x"), (Strings{"open, x"}));
  EXPECT_EQ(Split("q,,a"), (Strings{"q", "", "a"}));
  EXPECT_EQ(Split("q"), (Strings{"q"}));
  EXPECT_EQ(Split(",a"), (Strings{"", "a"}));
  EXPECT_EQ(Split(""), (Strings{""}));
  EXPECT_EQ(Split("  "), (Strings{""}));
  EXPECT_EQ(Split("a,"), (Strings{"a", ""}));
}

TEST(SplitCsvLine, QuotedFieldsKeepTheirBlanksAndUnquotedOnesAreTrimmed) {
  EXPECT_EQ(Split("\" a \", b\x01 "), (Strings{" a ", "b"}));
  EXPECT_EQ(Split("\"\"\"\""), (Strings{"\""}));
  EXPECT_EQ(Split("\"\""), (Strings{""}));
  EXPECT_EQ(Split("\"a\"\"\""), (Strings{"a\""}));
  EXPECT_EQ(Split("\"a\"\"\"b\"\"\",c"), (Strings{"a\"", "c"}));
}

TEST(SplitCsvLine, OtherSeparatorAndQuote) {
  Strings fields{"stale"};
  SplitCsvLine("'a;b';c", fields, ';', '\'');
  EXPECT_EQ(fields, (Strings{"a;b", "c"}));
  // A blank that is the separator is not skipped as a blank.
  SplitCsvLine("\tx\t\ty", fields, '\t', '"');
  EXPECT_EQ(fields, (Strings{"", "x", "", "y"}));
}

TEST(SplitCsvLine, TrailBytesAreNeverSeparatorsQuotesOrBlanks) {
  REQUIRE_CODE_PAGE(932);
  // 0x81 0x2C would be a comma and 0x81 0x22 a quote if the line were split by bytes.
  EXPECT_EQ(Split("\x81,x,y"), (Strings{"\x81,x", "y"}));
  EXPECT_EQ(Split("\"a\x81\"b\",c"), (Strings{"a\x81\"b", "c"}));
  // A lead byte at the very end of the line is a character of its own.
  EXPECT_EQ(Split("q,a\x82"), (Strings{"q", "a\x82"}));
  EXPECT_EQ(Split("\"q\x82"), (Strings{"q\x82"}));
  // A doubled quote makes the field a copy, still stepped by characters.
  EXPECT_EQ(Split("\"a\"\"\x81\"\",c"), (Strings{"a\"\x81\"", "c"}));
  // A blank-valued byte after a lead byte is its trail byte, so it is not skipped.
  EXPECT_EQ(Split(" \x82 x,z"), (Strings{"\x82 x", "z"}));
}

TEST(SplitCsvLine, Utf8SeparatorsAreWholeCharacters) {
  REQUIRE_CODE_PAGE(65001);
  // A separator or quote outside ASCII is found only where a character
  // begins: inside the hiragana 0xE3 0x81 0x82 its bytes are not one.
  Strings fields;
  SplitCsvLine("\xE3\x81\x82\x81x\x81y", fields, '\x81', '"');
  EXPECT_EQ(fields, (Strings{"\xE3\x81\x82", "x", "y"}));
  SplitCsvLine("\x82\xE3\x81\x82\x82,\x82", fields, ',', '\x82');
  EXPECT_EQ(fields, (Strings{"\xE3\x81\x82", ""}));
}

TEST(SplitCsvLine, SingleByteCodePageSplitsAtEveryComma) {
  REQUIRE_CODE_PAGE(1252);
  EXPECT_EQ(Split("\x81,x,y"), (Strings{"\x81", "x", "y"}));
}

TEST(CountAnswerLines, CountsLinesThatBeginWithATab) {
  const std::vector<std::string_view> lines{"Q", "\tA1", "\tA2", "Q2", "", "\tA"};
  EXPECT_EQ(CountAnswerLines(lines, 1), 2);
  EXPECT_EQ(CountAnswerLines(lines, 3), 1);
  EXPECT_EQ(CountAnswerLines(lines, 4), 1); // an empty line does not begin with a TAB
  EXPECT_EQ(CountAnswerLines(lines, 5), 1);
  EXPECT_EQ(CountAnswerLines(lines, 6), 1);
}

TEST(ReadCsv, ItemsFromTheFormatsExamples) {
  EXPECT_EQ(Load("  \"Paris, France\" , capital ,\"say \"\"hi\"\"\" , \r\n"
                 "\"abc\"def,x\r\n"
                 "ab\"c,d\r\n"
                 "\"open, x\r\n"
                 "q,,a\r\n"
                 "q\r\n"
                 ",a\r\n"
                 "\r\n"
                 "  \r\n",
                 qffCsv),
            (Strings{"Paris, France: capital | say \"hi\"", "abc: x", "ab\"c: d", "q: a"}));
}

TEST(ReadCsv, FirstLineIsAnItemAndDuplicatesStay) {
  EXPECT_EQ(Load("Question,Answer\nq,a,a\nq,b\n", qffCsv),
            (Strings{"Question: Answer", "q: a | a", "q: b"}));
}

TEST(ReadCsv, QuotedBlanksAreTrimmedWhenStored) {
  EXPECT_EQ(Load("\" q \",\"\ta\t\",\"   \"\n", qffCsv), (Strings{"q: a"}));
}

TEST(ReadText, AnswersFollowTheirQuestion) {
  EXPECT_EQ(Load("Q1\n\tA1\n\tA2\nQ2\nA\n", qffText), (Strings{"Q1: A1 | A2", "Q2: A"}));
  EXPECT_EQ(Load("Q1\nQ2\n\tA2\n", qffText), (Strings{"Q1: Q2"}));
  EXPECT_EQ(Load("Q1\nA1\n\tA1b\n", qffText), (Strings{"Q1: A1"}));
  EXPECT_EQ(Load("Q1\n\tA1\n\nQ2\n\tA2\n", qffText), (Strings{"Q1: A1"}));
  EXPECT_EQ(Load("Q1\n\n", qffText), (Strings{"(false)"}));
  EXPECT_EQ(Load("\tQ1 \n  answer  \n", qffText), (Strings{"Q1: answer"}));
  EXPECT_EQ(Load("Q1\n   A1 with spaces\n", qffText), (Strings{"Q1: A1 with spaces"}));
}

TEST(ReadText, LastQuestionWithoutAnswerIsDropped) {
  EXPECT_EQ(Load("Q1\n\tA1\nQ2", qffText), (Strings{"Q1: A1"}));
  EXPECT_EQ(Load("Q1\n\t\n\tA\n\t \n", qffText), (Strings{"Q1: A"}));
}

TEST(LoadFromFile, LineEndsOfEveryKindReadTheSame) {
  const Strings expected{"a: 1", "b: 2", "c: 3"};
  EXPECT_EQ(Load("a,1\r\nb,2\r\nc,3\r\n", qffCsv), expected);
  EXPECT_EQ(Load("a,1\nb,2\nc,3", qffCsv), expected);
  EXPECT_EQ(Load("a,1\rb,2\rc,3\r", qffCsv), expected);
  EXPECT_EQ(Load("a\r\n\t1\rb\n2\r\nc\r3", qffText), expected);
}

TEST(LoadFromFile, NulByteEndsTheFile) {
  EXPECT_EQ(Load(std::string("a,1\nb,2\0\nc,3\n", 13), qffCsv), (Strings{"a: 1", "b: 2"}));
  EXPECT_EQ(Load(std::string(4096, '\0'), qffCsv), (Strings{"(false)"}));
}

TEST(LoadFromFile, ByteOrderMarkStaysInTheFirstQuestion) {
  EXPECT_EQ(Load("\xEF\xBB\xBFq,a\n", qffCsv), (Strings{"\xEF\xBB\xBFq: a"}));
}

TEST(LoadFromFile, DoubleByteTextWithTrailBytesThatLookLikeSyntax) {
  REQUIRE_CODE_PAGE(932);
  // Trail bytes equal to ',' (0x81 0x2C), '"' (0x83 0x22), a TAB (0x88 0x09)
  // and a backslash (0x95 0x5C) belong to their characters.
  EXPECT_EQ(Load("\x95\x5C,\x81,x\n"
                 "\"\x83\"\",y\"\n"
                 "\x88\x09x,a\n",
                 qffCsv),
            (Strings{"\x95\x5C: \x81,x", "\x83\": y\"", "\x88\x09x: a"}));
  EXPECT_EQ(Load("\x88\x09q\n\t\x81\x09"
                 "a\n",
                 qffText),
            (Strings{"\x88\x09q: \x81\x09"
                     "a"}));
}

TEST(LoadFromFile, FileEndingInALoneLeadByte) {
  for (const auto& [codePage, lead] :
       {std::pair<int, std::string>{932, "\x82"}, {65001, "\xE3\x81"}}) {
    if (!UseCodePage(codePage)) continue;
    EXPECT_EQ(Load("q,a" + lead, qffCsv), (Strings{"q: a" + lead}));
    EXPECT_EQ(Load("q\n\ta" + lead, qffText), (Strings{"q: a" + lead}));
    EXPECT_EQ(Load("\"q" + lead, qffCsv), (Strings{"(false)"}));
  }
}

TEST(LoadFromFile, NoUsableItemLeavesTheSetAsItWas) {
  TExamItems items;
  TExamItem& kept = items.Add();
  kept.Question = "kept";
  kept.AddAnswer("yes");
  for (const char* content : {"", "\r\n\r\n", "q\nr\n", ",a\n", "  \n\t\n"}) {
    TTempFile file(content);
    EXPECT_FALSE(items.LoadFromFile(file.Path(), qffCsv)) << content;
    ASSERT_EQ(Describe(items), (Strings{"kept: yes"}));
  }
  TTempFile good("q,a\n");
  EXPECT_FALSE(items.LoadFromFile(good.Path(), 2)); // no such format
  EXPECT_FALSE(items.LoadFromFile(good.Path(), -1));
  EXPECT_EQ(Describe(items), (Strings{"kept: yes"}));
  EXPECT_TRUE(items.LoadFromFile(good.Path(), qffCsv));
  EXPECT_EQ(Describe(items), (Strings{"q: a"}));
}

TEST(LoadFromFile, MissingFileRaisesAnErrorNamingItAndKeepsTheSet) {
  TExamItems items;
  items.Add().Question = "kept";
  const std::string missing = MissingFilePath();
  try {
    items.LoadFromFile(missing, qffCsv);
    FAIL() << "no error";
  } catch (const sys::EFileError& error) {
    EXPECT_NE(std::string(error.what()).find(missing), std::string::npos);
  }
  EXPECT_EQ(items.Count(), 1);
}

TEST(LoadFromFile, LinesCutAcrossReadBlocksReadAsInMemory) {
  // Files are read in blocks of 1 MiB; a line end, a CR LF pair or a NUL that
  // falls on a block's edge must read as if the file were read whole.
  constexpr size_t kBlock = 1 << 20;
  const std::string tails[] = {std::string("\r\nq,a\r\n"),    std::string("\rq,b\n"),
                               std::string("\n\tq\n\ta\r\n"), std::string("\r\n\ta"),
                               std::string("\nq,c"),          std::string("\n\rq,d\r"),
                               std::string("\r\0q,e\n", 6)};
  const std::string line = "question," + std::string(240, 'a') + "\n";
  for (const std::string& tail : tails) {
    for (size_t shift = 0; shift < 4; ++shift) {
      std::string text;
      while (text.size() + line.size() < kBlock - shift) text += line;
      text += std::string(kBlock - shift - text.size(), 'x') + ",y" + tail;
      TTempFile file(text);
      for (const int format : {qffCsv, qffText}) {
        TExamItems inMemory;
        ReadInMemory(inMemory, text, format);
        TExamItems fromFile;
        ASSERT_TRUE(fromFile.LoadFromFile(file.Path(), format));
        ASSERT_EQ(Describe(fromFile), Describe(inMemory)) << shift << " " << tail << format;
      }
    }
  }
}

TEST(LoadFromFile, ReadBlocksOfAnySizeReadAsInMemory) {
  // Every line end, CR LF pair, tab, quote and double-byte character falls
  // on a block's edge for one of these sizes.
  const std::string texts[] = {
      std::string("a,b\r\nc,d\re,f\n\rg,h\r\n\r\n,\n ,x\nq,\n\"x,y\",\"\"\n\"long, line\", " +
                  std::string(40, 'z') + "\r"),
      std::string("das Haus\r\n\thouse\r\n\thome\rder Hund\ndog\n\n\t\nlast\r\n\tone\r"),
      std::string("\x88\x9F,\x81,\r\n\"\x83\x41\x81\"\"\",\x8D\xF7\n\x8D\xF7\r\n\t\x82\xA0\n\x82"),
      std::string("q,a\nr,b\0s,c\n", 13),
      std::string(
          "\xE6\x97\xA5,\xC3\xA9\r\n\"\xF0\x9F\x98\x80\"\"\",\xE3\x81\x82\n\t\xE3\x81\n\xE3")};
  for (const int codePage : {1252, 932, 65001}) {
    if (!UseCodePage(codePage)) continue;
    for (const std::string& text : texts) {
      TTempFile file(text);
      for (const int format : {qffCsv, qffText}) {
        TExamItems inMemory;
        ReadInMemory(inMemory, text, format);
        for (size_t block = 1; block <= text.size() + 1; ++block) {
          TExamItems fromFile;
          ASSERT_EQ(LoadQuestionFile(fromFile, file.Path(), format, block), inMemory.Count() > 0);
          ASSERT_EQ(Describe(fromFile), Describe(inMemory))
              << "code page " << codePage << ", format " << format << ", block " << block;
        }
      }
    }
  }
}

TEST(LoadFromFile, HostileInputNeitherCrashesNorHangs) {
  // One 50 MB line with no separator: a question without an answer.
  EXPECT_EQ(Load(std::string(50 << 20, 'x'), qffCsv), (Strings{"(false)"}));
  // The same line with one comma near the end is an item.
  std::string longLine(50 << 20, 'y');
  longLine[longLine.size() - 2] = ',';
  EXPECT_EQ(Load(longLine, qffCsv).size(), 1u);
  // Binary garbage of every byte value in both formats.
  std::string garbage;
  for (int round = 0; round < 64; ++round)
    for (int b = 0; b < 256; ++b) garbage += static_cast<char>((b * 37 + round * 11) & 0xFF);
  for (int format : {qffCsv, qffText}) {
    TTempFile file(garbage);
    TExamItems items;
    items.LoadFromFile(file.Path(), format);
    for (int i = 0; i < items.Count(); ++i) {
      EXPECT_FALSE(items.Get(i).Question.empty());
      EXPECT_GT(items.Get(i).GetAnswerCount(), 0);
    }
  }
}
