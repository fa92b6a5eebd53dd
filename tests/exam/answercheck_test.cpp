// The answer check with the platform's locale comparison, in both code pages.
// Under Wine these meet the system's own CompareStringA.
#include <gtest/gtest.h>

#include <string>

#include "support/codepage.h"
#include "support/fakeexamwindow.h"

namespace {

// Runs one item with the given answer and entry; true for a hit.
bool IsHit(const std::string& answer, const std::string& entry, bool caseSensitive) {
  TFakeExamSetup setup;
  setup.Window.Options.CaseSensitive = caseSensitive;
  setup.AddItem("q", {answer});
  setup.Run.Start(ecStart);
  setup.Answer(entry);
  return setup.Exam.ReviewItems.Count() == 0;
}

// A kanji (sakura), and the full-width letters A and a.
const std::string Kanji = "\x8D\xF7";
const std::string WideA = "\x82\x60";
const std::string WideSmallA = "\x82\x81";

} // namespace

TEST(AnswerCheck, LatinLettersFoldInCodePage1252) {
  REQUIRE_CODE_PAGE(1252);
  EXPECT_TRUE(IsHit("\xC9t\xC9", "\xE9t\xE9", false)); // ETE, ete with acute accents
  EXPECT_FALSE(IsHit("\xC9t\xC9", "\xE9t\xE9", true));
  EXPECT_TRUE(IsHit("caf\xE9", " caf\xE9\t", true));
  EXPECT_TRUE(IsHit(" caf\xE9 ", "caf\xE9", true)); // answers are trimmed too
}

TEST(AnswerCheck, EmptyEntryMissesEvenAnAnswerTheLocaleIgnores) {
  REQUIRE_CODE_PAGE(1252);
  // A soft hyphen alone: Windows compares it equal to the empty text.
  EXPECT_FALSE(IsHit("\xAD", "", false));
  EXPECT_FALSE(IsHit("\xAD", "  ", true));
}

TEST(AnswerCheck, DoubleByteAnswersMatchWholeCharacters) {
  REQUIRE_CODE_PAGE(932);
  const std::string answer = Kanji + WideA + "x";
  EXPECT_TRUE(IsHit(answer, answer, true));
  EXPECT_TRUE(IsHit(answer, " " + answer + " ", true));
  // ASCII letters fold, with or without double-byte neighbours.
  EXPECT_TRUE(IsHit(answer, Kanji + WideA + "X", false));
  EXPECT_FALSE(IsHit(answer, Kanji + WideA + "X", true));
  // Width is never ignored: a full-width letter is not its ASCII form.
  EXPECT_FALSE(IsHit(answer, Kanji + "Ax", false));
  // Another kanji with the same lead byte is another character.
  EXPECT_FALSE(IsHit(answer, "\x8D\xF8" + WideA + "x", false));
  // An ideographic space is not a blank and is not trimmed.
  EXPECT_FALSE(IsHit(answer, answer + "\x81\x40", false));
}

TEST(AnswerCheck, FullWidthLettersFoldOnWindows) {
  REQUIRE_CODE_PAGE(932);
  EXPECT_FALSE(IsHit(Kanji + WideA, Kanji + WideSmallA, true));
#ifdef _WIN32
  // The system folds full-width letters too; the portable stand-in folds
  // ASCII only, so this holds on Windows alone.
  EXPECT_TRUE(IsHit(Kanji + WideA, Kanji + WideSmallA, false));
#endif
}

TEST(AnswerCheck, TrailBytesThatLookLikeBlanksOrLettersStayPartOfTheirCharacter) {
  REQUIRE_CODE_PAGE(932);
  // 0x95 0x5C and 0x83 0x61: trail bytes that are a backslash and 'a' in ASCII.
  const std::string answer = "\x95\x5C\x83\x61";
  EXPECT_TRUE(IsHit(answer, answer, true));
  EXPECT_FALSE(IsHit(answer, "\x95\x5C\x83\x41", false)); // 'a' as a trail byte does not fold
}

#ifdef _WIN32
// In UTF-8 a letter and its other case may differ in length: U+023A and
// U+2C65, the Kelvin sign and k.
TEST(AnswerCheck, CasePairsOfUnequalLengthMatchInUtf8) {
  REQUIRE_CODE_PAGE(65001);
  const std::string barA = "\xC8\xBA", smallBarA = "\xE2\xB1\xA5", kelvin = "\xE2\x84\xAA";
  struct TCase {
    std::string Answer, Entry;
    bool IgnoringCase, WithCase;
  } cases[] = {
      {barA, smallBarA, true, false},    {smallBarA + "x", barA + "X", true, false},
      {kelvin + "m", "km", true, false}, {"Km", kelvin + "m", true, true},
      {barA, "a", false, false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(IsHit(c.Answer, c.Entry, false), c.IgnoringCase) << c.Entry;
    EXPECT_EQ(IsHit(c.Answer, c.Entry, true), c.WithCase) << c.Entry;
  }
}
#endif
