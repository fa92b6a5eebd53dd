#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>

#include "find/search.h"
#include "support/codepage.h"
#include "support/tempfile.h"
#include "util/platform.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// Character starts of a text found by stepping forwards from its start.
std::vector<size_t> ForwardStarts(const std::string& text) {
  std::vector<size_t> starts;
  const char* end = text.data() + text.size();
  for (const char* p = text.data(); p < end; p = sys::NextChar(p, end))
    starts.push_back(static_cast<size_t>(p - text.data()));
  return starts;
}

std::string RandomBytes(std::mt19937& random, size_t length) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::string text(length, '\0');
  for (char& c : text) c = static_cast<char>(byte(random));
  return text;
}

} // namespace

TEST(CharacterSteps, SingleByteCodePageStepsOneByteAtATime) {
  REQUIRE_CODE_PAGE(1252);
  const std::string text = "a\x81\xE9z";
  EXPECT_EQ(ForwardStarts(text), (std::vector<size_t>{0, 1, 2, 3}));
  EXPECT_EQ(sys::PrevChar(text.data(), text.data() + 2), text.data() + 1);
}

TEST(CharacterSteps, DoubleByteCharactersMoveAsWholes) {
  REQUIRE_CODE_PAGE(932);
  // "A", then the kanji 0x88 0x9F, then a lead byte whose trail byte is ','.
  const std::string text = "A\x88\x9F\x81,b";
  EXPECT_EQ(ForwardStarts(text), (std::vector<size_t>{0, 1, 3, 5}));
  const char* start = text.data();
  EXPECT_EQ(sys::PrevChar(start, start + 6), start + 5);
  EXPECT_EQ(sys::PrevChar(start, start + 5), start + 3);
  EXPECT_EQ(sys::PrevChar(start, start + 3), start + 1);
  EXPECT_EQ(sys::PrevChar(start, start + 1), start);
  EXPECT_EQ(sys::PrevChar(start, start), start);
}

TEST(CharacterSteps, Utf8SequencesMoveAsWholesAndInvalidBytesAlone) {
  REQUIRE_CODE_PAGE(65001);
  // "a", e acute, a hiragana, an emoji; then bytes that are no character: a
  // lone continuation byte, an overlong form, a surrogate, 0xF5, and a
  // sequence cut short by a letter.
  const std::string text = "a\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80"
                           "\x80\xC0\xAF\xED\xA0\x80\xF5\xE3\x81z";
  EXPECT_EQ(ForwardStarts(text),
            (std::vector<size_t>{0, 1, 3, 6, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}));
  const char* start = text.data();
  EXPECT_EQ(sys::PrevChar(start, start + 10), start + 6);
  EXPECT_EQ(sys::PrevChar(start + 7, start + 10), start + 9) << "nothing before the start counts";
}

TEST(CharacterSteps, LoneLeadByteAtTheEndNeverStepsPastIt) {
  for (const auto& [codePage, text] :
       {std::pair<int, std::string>{932, "ab\x82"}, {65001, "ab\xF0"}, {65001, "ab\xE3\x81"}}) {
    if (!UseCodePage(codePage)) continue;
    const char* end = text.data() + text.size();
    EXPECT_EQ(sys::NextChar(text.data() + 2, end), text.data() + 3);
    EXPECT_EQ(sys::NextChar(end, end), end);
    EXPECT_EQ(sys::PrevChar(text.data(), end), end - 1);
  }
}

TEST(CharacterSteps, BackwardStepsAgreeWithForwardStepsOnAnyBytes) {
  for (const int codePage : {932, 65001}) {
    if (!UseCodePage(codePage)) continue;
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
      std::string text = RandomBytes(random, 1 + round % 40);
      // Whole UTF-8 sequences among the random bytes, which seldom make one.
      for (size_t i = 0; codePage == 65001 && i + 3 < text.size(); i += 1 + random() % 6)
        text.replace(i, 3, "\xE3\x81\x82", random() % 4);
      const auto starts = ForwardStarts(text);
      const char* start = text.data();
      // From the end and from every character start, one step back lands on the
      // previous start found going forwards.
      EXPECT_EQ(sys::PrevChar(start, start + text.size()), start + starts.back());
      for (size_t k = 1; k < starts.size(); ++k)
        ASSERT_EQ(sys::PrevChar(start, start + starts[k]), start + starts[k - 1]) << round;
    }
  }
}

#ifndef _WIN32
// Run in one process, in this order: the second test sees no trace of the first.
TEST(PortableCodePage, ATestMaySwitchToCodePage932) {
  ASSERT_TRUE(UseCodePage(932));
  EXPECT_EQ(sys::CodePage(), 932);
}

TEST(PortableCodePage, EveryTestStartsInCodePage1252) {
  EXPECT_EQ(sys::CodePage(), 1252);
  EXPECT_FALSE(sys::IsLeadByte(0x82));
}
#endif

#ifdef _WIN32
TEST(CharacterSteps, MatchTheSystemsCharNextAndCharPrev) {
  REQUIRE_CODE_PAGE(932);
  std::mt19937 random(11);
  for (int round = 0; round < 200; ++round) {
    std::string text = RandomBytes(random, 1 + round % 30);
    for (char& c : text)
      if (c == '\0') c = 'x'; // the system's functions stop at a NUL
    const char* start = text.c_str();
    const char* end = start + text.size();
    for (const char* p = start; p < end; p = sys::NextChar(p, end)) {
      ASSERT_EQ(sys::NextChar(p, end), CharNextA(p)) << round;
      const char* next = sys::NextChar(p, end);
      ASSERT_EQ(sys::PrevChar(start, next), CharPrevA(start, next)) << round;
    }
  }
}
#endif

TEST(LocaleComparison, IgnoresCaseOnlyWhenAsked) {
  EXPECT_TRUE(sys::SameText("Paris", "paris", true));
  EXPECT_FALSE(sys::SameText("Paris", "paris", false));
  EXPECT_TRUE(sys::SameText("Paris", "Paris", false));
  EXPECT_FALSE(sys::SameText("Paris", "Pari", true));
  EXPECT_TRUE(sys::SameText("", "", true));
  EXPECT_EQ(sys::CompareText("a", "b", false), 1);
  EXPECT_EQ(sys::CompareText("b", "a", false), 3);
}

TEST(LocaleComparison, FoldsLatinLettersInCodePage1252) {
  REQUIRE_CODE_PAGE(1252);
  EXPECT_TRUE(sys::SameText("\xC9t\xC9", "\xE9t\xE9", true)); // ÉTÉ, été
  EXPECT_FALSE(sys::SameText("\xC9t\xC9", "\xE9t\xE9", false));
}

TEST(LocaleComparison, DoubleByteTextComparesAsCharacters) {
  for (const auto& [codePage, sakura, other] :
       {std::tuple<int, std::string, std::string>{932, "\x8D\xF7", "\x8D\xF8"},
        {65001, "\xE6\xA1\x9C", "\xE6\xA1\x9D"}}) {
    if (!UseCodePage(codePage)) continue;
    EXPECT_TRUE(sys::SameText(sakura + "A", sakura + "a", true));
    EXPECT_FALSE(sys::SameText(sakura + "A", sakura + "a", false));
    EXPECT_FALSE(sys::SameText(sakura, other, true));
  }
#ifdef _WIN32
  // The system reads the text as UTF-8, whatever the locale's own code page.
  if (UseCodePage(65001)) {
    EXPECT_TRUE(sys::SameText("\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89", true));
  }
#endif
}

// The bytes are the ANSI code page's whatever the user's regional format: a
// Japanese system with an English user, or the other way round, still reads
// them so (the Windows suite runs these once in each such mix too).
TEST(LocaleComparison, ReadsTheBytesInTheAnsiCodePageWhateverTheUsersLocale) {
  struct TCase {
    int CodePage;
    std::string A, B;
    bool EqualIgnoringCase;
  };
  // ア and ヂ differ in their trail bytes by what would be a letter's case; so
  // do two kanji whose trail bytes are 'a' and 'A'. Café and CAFÉ in 1252.
  const TCase cases[] = {{932, "\x83\x41", "\x83\x61", false},
                         {932, "x\x8A\x61", "X\x8A\x41", false},
                         {932, "\x83\x41x", "\x83\x41X", true},
                         {1252, "Caf\xE9", "CAF\xC9", true},
                         {1252, "\xE9t\xE9", "\xE8t\xE8", false}};
  for (const TCase& c : cases) {
    if (!UseCodePage(c.CodePage)) continue;
    EXPECT_EQ(sys::SameText(c.A, c.B, true), c.EqualIgnoringCase) << c.A << " " << c.B;
    int offset = 0;
    const std::string text = "<" + c.B + ">";
    EXPECT_EQ(FindInText(text.data(), static_cast<int>(text.size()), c.A.data(),
                         static_cast<int>(c.A.size()), false, false, true, 0, offset),
              c.EqualIgnoringCase)
        << c.A << " in " << text;
  }
  if (UseCodePage(1252)) {
    EXPECT_TRUE(sys::IsLetterOrDigit("\xE9", "\xE9" + 1));
  }
}

TEST(CharacterTypes, LettersAndDigitsAreWordCharacters) {
  for (const char* word : {"a", "Z", "0", "9"}) {
    const std::string text = word;
    EXPECT_TRUE(sys::IsLetterOrDigit(text.data(), text.data() + 1)) << word;
  }
  for (const char* other : {" ", "_", "-", ".", "\t", "\r", "\n"}) {
    const std::string text = other;
    EXPECT_FALSE(sys::IsLetterOrDigit(text.data(), text.data() + 1)) << int(text[0]);
  }
}

TEST(CharacterTypes, DoubleByteLettersAreWordCharactersAndPunctuationIsNot) {
  // A kanji and a full-width A, then an ideographic space; in UTF-8 also e
  // acute, then a guillemet, a kanji cut short and a lone continuation byte.
  // Beyond the basic plane, two UTF-16 halves: 𠮷 (U+20BB7), Deseret 𐐀 and a
  // mathematical bold digit are word characters, an emoji, a tag and 𠮷 cut
  // short are not.
  for (const auto& [codePage, letters, others] :
       {std::tuple<int, std::vector<std::string>, std::vector<std::string>>{
            932, {"\x8D\xF7", "\x82\x60"}, {"\x81\x40"}},
        {65001,
         {"\xE6\xA1\x9C", "\xEF\xBC\xA1", "\xC3\xA9", "\xF0\xA0\xAE\xB7", "\xF0\x90\x90\x80",
          "\xF0\x9D\x9F\x8E"},
         {"\xE3\x80\x80", "\xC2\xBB", "\xE6\xA1", "\xA1", "\xF0\x9F\x98\x80", "\xF3\xA0\x80\x81",
          "\xF0\xA0\xAE"}}}) {
    if (!UseCodePage(codePage)) continue;
    for (const std::string& c : letters)
      EXPECT_TRUE(sys::IsLetterOrDigit(&c[0], &c[0] + c.size())) << c;
    for (const std::string& c : others)
      EXPECT_FALSE(sys::IsLetterOrDigit(&c[0], &c[0] + c.size())) << c;
  }
}

TEST(CaseMapping, UpperCaseLeavesTrailBytesAlone) {
  if (UseCodePage(932)) {
    // The trail byte of this kanji is 'a'; only the ASCII letters around it change.
    EXPECT_EQ(sys::UpperCase("x\x8A\x61y"), "X\x8A\x61Y");
    EXPECT_EQ(sys::LowerCaseFileName("X\x8A\x41Y.TXT"), "x\x8A\x41y.txt");
  }
  if (UseCodePage(65001)) {
    EXPECT_EQ(sys::UpperCase("x\xE6\xA1\x9C\xFFy\xE6"), "X\xE6\xA1\x9C\xFFY\xE6");
    EXPECT_EQ(sys::LowerCaseFileName("\xC3\x89T\xC3\x89.TXT"), "\xC3\x89t\xC3\x89.txt");
#ifdef _WIN32
    EXPECT_EQ(sys::UpperCase("\xC3\xA9t\xC3\xA9"), "\xC3\x89T\xC3\x89");
#endif
  }
}

TEST(CaseMapping, FileNamesLowerCaseLatinLettersInCodePage1252) {
  REQUIRE_CODE_PAGE(1252);
  EXPECT_EQ(sys::LowerCaseFileName("C:\\DRILL\\\xC9T\xC9.CSV"), "c:\\drill\\\xE9t\xE9.csv");
  EXPECT_EQ(sys::UpperCase("Settings"), "SETTINGS");
}

TEST(FileReading, ReadsEveryByteAndNamesAMissingFile) {
  const std::string bytes("a\0b\r\n\xFF", 6);
  TTempFile file(bytes);
  EXPECT_EQ(sys::ReadFile(file.Path()), bytes);

  const std::string missing = MissingFilePath();
  try {
    sys::ReadFile(missing);
    FAIL() << "no error for a missing file";
  } catch (const sys::EFileError& error) {
    EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
  }
}
