// The quick search against the stepwise one over texts full of what a
// linguistic comparison calls equal to other bytes: ligatures and their
// letters, ignorable characters, full-width and half-width forms, kana marks.
// Under Wine this is the system's own CompareStringA in code page 1252 or 932;
// natively, the portable stand-in.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "find/alphabets.h"
#include "find/search.h"
#include "support/codepage.h"
#include "util/platform.h"
#include "util/utf8weights.h"

using namespace findtest;

namespace {

class TDifferential {
public:
  TDifferential(const TAlphabet& alphabet, unsigned seed) : Alphabet(alphabet), Random(seed) {}

  std::string Text(size_t length) {
    std::string text;
    while (text.size() < length) text += Alphabet.Pieces[Pick(Alphabet.Pieces.size())];
    return text;
  }

  // A find text made up, or taken from the text, perhaps with twins put in
  // the place of each other and letters in the other case.
  std::string FindText(const std::string& text) {
    if (Pick(4) == 0 || text.empty()) return Text(1 + Pick(6));
    const size_t at = Pick(text.size());
    std::string find = text.substr(at, 1 + Pick(8));
    if (Pick(2) == 0) {
      for (const auto& [one, other] : Alphabet.Twins) {
        const bool forth = Pick(2) == 0;
        const std::string& from = forth ? one : other;
        const std::string& to = forth ? other : one;
        for (size_t p = find.find(from); p != std::string::npos; p = find.find(from, p + 1))
          if (Pick(2) == 0) find.replace(p, from.size(), to);
      }
    }
    if (Pick(3) == 0)
      for (char& c : find)
        if (c >= 'a' && c <= 'z' && Pick(2) == 0) c = static_cast<char>(c - 32);
    return find;
  }

  // Both searches from start; false (with a message) when they differ.
  ::testing::AssertionResult Same(const std::string& text, const std::string& find, int flags,
                                  int start, int& found) {
    const bool matchCase = flags & 1, wholeWord = flags & 2, down = flags & 4;
    const int length = static_cast<int>(text.size()), findLength = static_cast<int>(find.size());
    int quick = 0, quickLength = 0, stepwise = 0, stepwiseLength = 0;
    FindInText(text.data(), length, find.data(), findLength, matchCase, wholeWord, down, start,
               quick, quickLength);
    FindInTextStepwise(text.data(), length, find.data(), findLength, matchCase, wholeWord, down,
                       start, stepwise, stepwiseLength);
    found = stepwise;
    if (quick == stepwise && quickLength == stepwiseLength) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "text " << Hex(text) << "\nfind " << Hex(find) << "\nmatch case " << matchCase
           << ", whole word " << wholeWord << ", down " << down << ", from " << start << ": quick "
           << quick << " (" << quickLength << " bytes), stepwise " << stepwise << " ("
           << stepwiseLength << " bytes)";
  }

  // Every occurrence one after another, from the start down and from the end
  // up, and from a few other places.
  ::testing::AssertionResult AllSame(const std::string& text, const std::string& find, int flags) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    const bool down = flags & 4;
    int found = 0;
    for (int start = down ? 0 : static_cast<int>(text.size());;) {
      auto same = Same(text, find, flags, start, found);
      if (!same) return same;
      if (found < 0 || (!down && found == 0)) break;
      start = static_cast<int>(
          (down ? sys::NextChar(begin + found, end) : sys::PrevChar(begin, begin + found)) - begin);
    }
    for (int i = 0; i < 3; ++i) {
      auto same = Same(text, find, flags, static_cast<int>(Pick(text.size() + 2)), found);
      if (!same) return same;
    }
    return ::testing::AssertionSuccess();
  }

  size_t Pick(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(Random); }

private:
  const TAlphabet& Alphabet;
  std::mt19937 Random;
};

void RunRounds(const TAlphabet& alphabet, unsigned seed, int rounds) {
  TDifferential differential(alphabet, seed);
  for (int round = 0; round < rounds; ++round) {
    // Mostly short texts, some long enough for the quick scan's blocks.
    const size_t length = round % 5 == 0 ? 40 + differential.Pick(80) : differential.Pick(24);
    const std::string text = differential.Text(length);
    const std::string find = differential.FindText(text);
    for (int flags = 0; flags < 8; ++flags)
      ASSERT_TRUE(differential.AllSame(text, find, flags)) << "round " << round;
  }
}

// Any single-byte code page does for the Latin alphabet: with the suite run
// in a Danish, Czech or Hungarian locale, the contractions of the language
// ("aa", "ch", "cs", "dzs") are tried as well.
bool UseSingleByteCodePage() {
#ifdef _WIN32
  for (bool lead : sys::LeadBytes())
    if (lead) return false;
  return !sys::IsUtf8();
#else
  return UseCodePage(1252);
#endif
}

} // namespace

TEST(FindInTextEqual, LigaturesIgnorablesAndContractionsAsTheStepwiseScanFindsThem) {
  if (!UseSingleByteCodePage()) GTEST_SKIP() << "needs a single-byte code page";
  RunRounds(AlphabetLatin(), 1252, 2000);
}

TEST(FindInTextEqual, WidthsKanaAndKanjiAsTheStepwiseScanFindsThem) {
  REQUIRE_CODE_PAGE(932);
  RunRounds(Alphabet932(), 932, 1500);
}

TEST(FindInTextEqual, CaseMarksIgnorablesAndInvalidBytesInUtf8AsTheStepwiseScanFindsThem) {
  REQUIRE_CODE_PAGE(65001);
  RunRounds(AlphabetUtf8(), 65001, 3000);
}

// Texts longer than the stretches the UTF-8 search learns at a time, with
// occurrences across their borders, searched from near the borders. Natively
// also through the search that learns the portable comparison's weights.
TEST(FindInTextEqual, LongUtf8TextsAsTheStepwiseScanFindsThem) {
  REQUIRE_CODE_PAGE(65001);
  const TAlphabet alphabet = AlphabetUtf8();
  TDifferential differential(alphabet, 7);
  for (int round = 0; round < 16; ++round) {
#ifndef _WIN32
    sys::UsePortableUtf8Weights(round % 2 == 1);
#endif
    std::string text;
    while (text.size() < 9000) {
      const size_t piece = differential.Pick(alphabet.Pieces.size());
      text += differential.Pick(4) == 0 ? alphabet.Pieces[piece] : "kangaroo ";
    }
    const int border = 4096 * (1 + round % 2);
    const std::string find = differential.FindText(text.substr(border - 6, 12));
    for (int flags = 0; flags < 8; ++flags) {
      for (const int start : {0, border - 8, border, border + 5, static_cast<int>(text.size())}) {
        int found = 0;
        ASSERT_TRUE(differential.Same(text, find, flags, start, found)) << "round " << round;
      }
    }
  }
}

#ifndef _WIN32
// The search that learns UTF-8 characters as it meets them, natively with the
// portable comparison's weights (its byte map serves otherwise).
TEST(FindInTextEqual, Utf8WeightsLearntFromThePortableComparison) {
  REQUIRE_CODE_PAGE(65001);
  sys::UsePortableUtf8Weights(true);
  RunRounds(AlphabetUtf8(), 65002, 1500);
}
#endif

// Places that differ in every byte and still compare equal: no byte test may
// pass over them.
TEST(FindInTextEqual, FindsWhatTheSystemCallsEqual) {
#ifndef _WIN32
  GTEST_SKIP() << "the portable comparison has no ligatures";
#endif
  REQUIRE_CODE_PAGE(1252);
  struct TCase {
    std::string Text, Find;
  } cases[] = {
      {"Strasse", "Stra\xDF"
                  "e\xAD"},               // the sharp s is "ss"
      {"caesar", "c\xE6" + kNul + "sar"}, // the ligature ae
      {"co\xAD-op", "co-op" + kNul},      // a soft hyphen and a NUL are ignored
      {"\xDE"
       "orn\xAD",
       "Thorn"}, // thorn is "th"
  };
  for (const TCase& c : cases) {
    const std::string text = "x " + c.Text + " y";
    ASSERT_EQ(c.Text.size(), c.Find.size());
    for (bool down : {true, false}) {
      int offset = 0;
      ASSERT_TRUE(sys::SameText(c.Text, c.Find, true)) << Hex(c.Text);
      EXPECT_TRUE(FindInText(text.data(), static_cast<int>(text.size()), c.Find.data(),
                             static_cast<int>(c.Find.size()), false, true, down,
                             down ? 0 : static_cast<int>(text.size()), offset));
      EXPECT_EQ(offset, 2) << Hex(c.Text);
    }
  }
}
