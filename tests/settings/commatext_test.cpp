#include <gtest/gtest.h>

#include <random>
#include <string>

#include "settings/commatext.h"
#include "support/codepage.h"

namespace {

using Strings = TStringList;

Strings RoundTrip(const Strings& fields) { return SplitCommaText(JoinCommaText(fields)); }

} // namespace

TEST(CommaText, FieldsNeedingQuotesAreQuotedWithQuotesDoubled) {
  EXPECT_EQ(JoinCommaText({"a", "b c", "d,e", "say \"hi\"", "tab\there", "x\x01y"}),
            "a,\"b c\",\"d,e\",\"say \"\"hi\"\"\",\"tab\there\",\"x\x01y\"");
  // Other bytes, those from 127 up included, are written as they are.
  EXPECT_EQ(JoinCommaText({"C:\\Quiz\\words.txt", "\x7F\xFF;=[]"}),
            "C:\\Quiz\\words.txt,\x7F\xFF;=[]");
}

TEST(CommaText, EmptyFieldsAndLists) {
  EXPECT_EQ(JoinCommaText({}), "");
  EXPECT_EQ(JoinCommaText({""}), "\"\"");
  EXPECT_EQ(JoinCommaText({"", ""}), ",");
  EXPECT_EQ(JoinCommaText({"", "", "", "", ""}), ",,,,");
  EXPECT_EQ(JoinCommaText({"a", ""}), "a,");

  EXPECT_EQ(SplitCommaText(""), Strings{});
  EXPECT_EQ(SplitCommaText(" \t\r\n"), Strings{});
  EXPECT_EQ(SplitCommaText("\"\""), Strings{""});
  EXPECT_EQ(SplitCommaText(","), (Strings{"", ""}));
  EXPECT_EQ(SplitCommaText(",,,,"), (Strings{"", "", "", "", ""}));
  EXPECT_EQ(SplitCommaText("a,"), (Strings{"a", ""}));
  EXPECT_EQ(SplitCommaText("a,,b"), (Strings{"a", "", "b"}));
  EXPECT_EQ(SplitCommaText(",a"), (Strings{"", "a"}));
}

TEST(CommaText, BlanksEndUnquotedFieldsAndAreSkippedAroundFields) {
  EXPECT_EQ(SplitCommaText("a b"), (Strings{"a", "b"}));
  EXPECT_EQ(SplitCommaText("  a ,  b  "), (Strings{"a", "b"}));
  EXPECT_EQ(SplitCommaText("\x01\x1Fz\t,\r\nb"), (Strings{"z", "b"}));
  // A trailing comma followed by blanks is not the last character.
  EXPECT_EQ(SplitCommaText("a, "), (Strings{"a"}));
  EXPECT_EQ(SplitCommaText("a ,"), (Strings{"a", ""}));
}

TEST(CommaText, QuotedFields) {
  EXPECT_EQ(SplitCommaText("\"a b\",\"c,d\""), (Strings{"a b", "c,d"}));
  EXPECT_EQ(SplitCommaText("\"say \"\"hi\"\"\""), (Strings{"say \"hi\""}));
  EXPECT_EQ(SplitCommaText("\"\"\"\""), (Strings{"\""}));
  EXPECT_EQ(SplitCommaText(" \"a\" , \"\" ,"), (Strings{"a", "", ""}));
  // Text right after a closing quote starts the next field.
  EXPECT_EQ(SplitCommaText("\"a\"b"), (Strings{"a", "b"}));
  // A quote inside an unquoted field is an ordinary character.
  EXPECT_EQ(SplitCommaText("a\"b,c"), (Strings{"a\"b", "c"}));
}

TEST(CommaText, MissingClosingQuoteTakesTheRestOfTheTextWhole) {
  EXPECT_EQ(SplitCommaText("a,\"b c,d"), (Strings{"a", "b c,d"}));
  EXPECT_EQ(SplitCommaText("\"ab\"\""), (Strings{"ab\""}));
  EXPECT_EQ(SplitCommaText("\""), (Strings{""}));
}

TEST(CommaText, NulEndsTheText) {
  EXPECT_EQ(SplitCommaText(std::string("a,b\0,c", 6)), (Strings{"a", "b"}));
  EXPECT_EQ(SplitCommaText(std::string("\"a\0b\"", 5)), (Strings{"a"}));
}

TEST(CommaText, DoubleByteCharactersAreSteppedOverAsWholes) {
  REQUIRE_CODE_PAGE(932);
  // A lead byte followed by a comma or a blank makes one character with it:
  // neither the writer nor the reader sees a separator there.
  EXPECT_EQ(JoinCommaText({"\x82,", "\x82 "}), "\x82,,\x82 ");
  EXPECT_EQ(SplitCommaText("\x82,,\x82 "), (Strings{"\x82,", "\x82 "}));
  // Japanese paths: the kanji 0x95 0x5C ends in a backslash byte, the katakana
  // 0x83 0x41 in "A".
  const Strings paths = {"C:\\\x93\xFA\x96\x7B \x8C\xEA\\\x95\x5C.txt", "\x83\x41\x83\x41.csv"};
  EXPECT_EQ(JoinCommaText(paths),
            "\"C:\\\x93\xFA\x96\x7B \x8C\xEA\\\x95\x5C.txt\",\x83\x41\x83\x41.csv");
  EXPECT_EQ(RoundTrip(paths), paths);
}

TEST(CommaText, SingleByteCodePageSeesEveryByte) {
  REQUIRE_CODE_PAGE(1252);
  EXPECT_EQ(JoinCommaText({"\x82,"}), "\"\x82,\"");
  EXPECT_EQ(SplitCommaText("\x82,,\x82 "), (Strings{"\x82", "", "\x82"}));
}

TEST(CommaText, ListsRoundTrip) {
  const std::vector<Strings> lists = {
      {},
      {""},
      {"", ""},
      {"", "", "", "", ""},
      {"a"},
      {"a", ""},
      {"", "a"},
      {" "},
      {" a "},
      {"\""},
      {"\"\""},
      {","},
      {",", ""},
      {"a,b", "c"},
      {"\t", "\r\n"},
      {"x\x01y", "\x7F"},
      {"C:\\Quiz\\words.txt", "C:\\My Files\\kanji.csv", "", "", ""},
      {"\"quoted\"", "a\"b", "\"", ""},
  };
  for (const Strings& list : lists) EXPECT_EQ(RoundTrip(list), list) << JoinCommaText(list);
}

TEST(CommaText, ListInsideAListRoundTrips) {
  const Strings inner = {"C:\\Quiz\\words.txt", "C:\\My Files\\kanji.csv", "", "", ""};
  const std::string innerText = JoinCommaText(inner);
  EXPECT_EQ(innerText, "C:\\Quiz\\words.txt,\"C:\\My Files\\kanji.csv\",,,");
  const Strings outer = {innerText, "-1", ""};
  EXPECT_EQ(JoinCommaText(outer), "\"C:\\Quiz\\words.txt,\"\"C:\\My Files\\kanji.csv\"\",,,\",-1,");
  const Strings back = RoundTrip(outer);
  EXPECT_EQ(back, outer);
  EXPECT_EQ(SplitCommaText(back[0]), inner);
}

TEST(CommaText, RandomListsRoundTrip) {
  for (int codePage : {1252, 932, 65001}) {
    if (!UseCodePage(codePage)) continue;
    std::mt19937 random(codePage);
    // Whole characters only: single bytes that matter to the format, and
    // double-byte characters whose trail bytes look like letters or can lead;
    // in UTF-8, sequences and bytes that are none.
    std::vector<std::string> pieces = {"a", "Z", " ", "\t", "\r", "\n", "\x01", "\"", ",", "\\"};
    if (codePage == 932) pieces.insert(pieces.end(), {"\x88\x9F", "\x83\x41", "\x95\x5C"});
    if (codePage == 1252) pieces.push_back("\xE9"); // a lead byte in code page 932
    if (codePage == 65001)
      pieces.insert(pieces.end(), {"\xC3\xA9", "\xE3\x81\x82", "\xF0\x9F\x98\x80", "\xE3", "\x81"});
    std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> count(0, 6), length(0, 5);
    for (int round = 0; round < 2000; ++round) {
      Strings list(static_cast<size_t>(count(random)));
      for (std::string& field : list)
        for (int k = length(random); k > 0; --k) field += pieces[piece(random)];
      ASSERT_EQ(RoundTrip(list), list) << JoinCommaText(list);
    }
  }
}
