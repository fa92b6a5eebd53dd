#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>

#include "find/search.h"
#include "support/codepage.h"

namespace {

class TFakeMemo : public TSearchTarget {
public:
  TFakeMemo(std::string text, int selStart = 0, int selLength = 0)
      : Text(std::move(text)), SelStart(selStart), SelLength(selLength) {}

  const std::string& GetText() const override { return Text; }
  int GetSelStart() const override { return SelStart; }
  int GetSelLength() const override { return SelLength; }
  void SetSelStart(int start) override {
    SelStart = start;
    SelLength = 0;
  }
  void SetSelLength(int length) override { SelLength = length; }
  void ScrollCaret() override { ++Scrolls; }

  std::string Text;
  int SelStart, SelLength;
  int Scrolls = 0;
};

TSearchOptions Options(const std::string& findText, bool down = true, bool matchCase = false,
                       bool wholeWord = false) {
  TSearchOptions options;
  options.FindText = findText;
  options.Down = down;
  options.MatchCase = matchCase;
  options.WholeWord = wholeWord;
  return options;
}

// The offset FindInText gives, -1 for none.
int Find(const std::string& text, const std::string& findText, int start, bool down = true,
         bool matchCase = false, bool wholeWord = false) {
  int offset = 12345;
  const bool found =
      FindInText(text.data(), static_cast<int>(text.size()), findText.data(),
                 static_cast<int>(findText.size()), matchCase, wholeWord, down, start, offset);
  EXPECT_EQ(found, offset >= 0) << "the result and the offset disagree";
  return offset;
}

// The selection after one search: {start, length}, or {-1, -1} when nothing
// was found (the selection is then checked to be unchanged).
std::pair<int, int> Search(TFakeMemo& memo, const TSearchOptions& options) {
  const int start = memo.SelStart, length = memo.SelLength, scrolls = memo.Scrolls;
  if (!SearchMemo(memo, options)) {
    EXPECT_EQ(memo.SelStart, start);
    EXPECT_EQ(memo.SelLength, length);
    EXPECT_EQ(memo.Scrolls, scrolls);
    return {-1, -1};
  }
  EXPECT_EQ(memo.Scrolls, scrolls + 1) << "the occurrence is scrolled into view";
  return {memo.SelStart, memo.SelLength};
}

using Sel = std::pair<int, int>;

} // namespace

TEST(FindInText, TextShorterThanTheFindTextHoldsNothing) {
  for (bool down : {true, false}) {
    EXPECT_EQ(Find("ab", "abc", 0, down), -1);
    EXPECT_EQ(Find("ab", "abc", 2, down), -1);
    EXPECT_EQ(Find("", "a", 0, down), -1);
  }
}

TEST(FindInText, StartIsACandidateInBothDirections) {
  EXPECT_EQ(Find("abcabc", "abc", 0), 0);
  EXPECT_EQ(Find("abcabc", "abc", 1), 3);
  EXPECT_EQ(Find("abcabc", "abc", 3, false), 3);
  EXPECT_EQ(Find("abcabc", "abc", 2, false), 0);
  // Upwards, places too near the end for the find text are passed over.
  EXPECT_EQ(Find("abcabc", "abc", 6, false), 3);
  EXPECT_EQ(Find("abcabc", "abc", 5, false), 3);
  // Downwards nothing fits after last.
  EXPECT_EQ(Find("abcabc", "abc", 4), -1);
}

TEST(FindInText, EmptyFindTextAndNegativeStartFindNothing) {
  EXPECT_EQ(Find("abc", "", 0), -1);
  EXPECT_EQ(Find("abc", "", 3, false), -1);
  EXPECT_EQ(Find("abc", "a", -1), -1);
  EXPECT_EQ(Find("abc", "a", -1, false), -1);
}

TEST(FindInText, StartPastTheEndSearchesUpFromTheEnd) {
  EXPECT_EQ(Find("xaxa", "a", 100, false), 3);
  EXPECT_EQ(Find("xaxa", "a", 100), -1);
}

TEST(FindInText, CaseIsIgnoredUnlessAsked) {
  for (bool down : {true, false}) {
    const int start = down ? 0 : 11;
    EXPECT_EQ(Find("xx ABC Abc abc", "abc", start, down, false), down ? 3 : 11);
    EXPECT_EQ(Find("xx ABC Abc abc", "abc", start, down, true), 11);
    EXPECT_EQ(Find("xx ABC Abc", "abc", start, down, true), -1);
  }
  EXPECT_EQ(Find("xx ABC Abc abc", "abc", 4, true, false), 7);
}

TEST(FindInText, LatinLettersFoldInCodePage1252) {
  REQUIRE_CODE_PAGE(1252);
  EXPECT_EQ(Find("Summer: \xC9T\xC9", "\xE9t\xE9", 0), 8); // ÉTÉ, été
  EXPECT_EQ(Find("Summer: \xC9T\xC9", "\xE9t\xE9", 0, true, true), -1);
}

#ifdef _WIN32
// The system's comparison is linguistic: texts of different bytes can be
// equal, so no byte test may pass over a place without asking it.
TEST(FindInText, WindowsFindsWhatTheLocaleCallsEqual) {
  REQUIRE_CODE_PAGE(1252);
  // The ae ligature 0xE6 expands to "ae", so these three bytes equal
  // "ae\xE6" although no byte is in its place.
  const std::string text = std::string("x\xE6") + "ae";
  EXPECT_EQ(Find(text, "ae\xE6", 0, true, true), 1);
  EXPECT_EQ(Find(text, "ae\xE6", 4, false, true), 1);
}
#endif

TEST(FindInText, WholeWordsNeedABoundaryOnBothSides) {
  const auto whole = [](const std::string& text) {
    return Find(text, "cat", 0, true, false, true);
  };
  EXPECT_EQ(whole("concatenate"), -1);
  EXPECT_EQ(whole("cats"), -1);
  EXPECT_EQ(whole("tomcat"), -1);
  EXPECT_EQ(whole("a cat."), 2);
  EXPECT_EQ(whole("cat_x"), 0); // the underscore separates words
  EXPECT_EQ(whole("cat"), 0);
  EXPECT_EQ(whole("the cat"), 4);
  EXPECT_EQ(whole("cats, cat2, cat"), 12);
  EXPECT_EQ(Find("cats, cat2, cat", "cat", 15, false, false, true), 12);
  // A find text that ends in a non-word character puts no condition there.
  EXPECT_EQ(Find("cat.s", "cat.", 0, true, false, true), 0);
  EXPECT_EQ(Find("a\r\ncat\r\nb", "cat", 0, true, false, true), 3);
}

TEST(FindInText, FindTextWithALineBreakMatchesAcrossLines) {
  const std::string log = "[Miss 1]\r\nQuestion: a\r\nEntry: b\r\n";
  EXPECT_EQ(Find(log, "a\r\nEntry", 0), 20);
  EXPECT_EQ(Find(log, "]\r\nQ", 30, false), 7);
}

TEST(SearchMemo, CaretAtTheStartFindsTheTextThere) {
  TFakeMemo memo("abc def abc");
  EXPECT_EQ(Search(memo, Options("abc")), (Sel{0, 3}));
}

TEST(SearchMemo, CaretAtTheEndSearchingUpFindsTheLastOccurrence) {
  TFakeMemo memo("abc def abc", 11);
  EXPECT_EQ(Search(memo, Options("abc", false)), (Sel{8, 3}));
  EXPECT_EQ(Search(memo, Options("abc", false)), (Sel{0, 3}));
  EXPECT_EQ(Search(memo, Options("abc", false)), (Sel{-1, -1}));
}

TEST(SearchMemo, UpwardsAnOccurrenceRightOfTheCaretIsFound) {
  TFakeMemo memo("xx abc yy", 3);
  EXPECT_EQ(Search(memo, Options("abc", false)), (Sel{3, 3}));
}

TEST(SearchMemo, TheShownOccurrenceIsPassedOverByAWholeLength) {
  TFakeMemo memo("aaaa", 0, 2);
  EXPECT_EQ(Search(memo, Options("aa")), (Sel{2, 2}));
  EXPECT_EQ(Search(memo, Options("aa")), (Sel{-1, -1}));
  EXPECT_EQ(Search(memo, Options("aa", false)), (Sel{0, 2}));
  EXPECT_EQ(Search(memo, Options("aa", false)), (Sel{-1, -1}));
}

TEST(SearchMemo, ASelectionOfAnotherLengthIsNotTheShownOccurrence) {
  TFakeMemo longer("abc abc", 0, 5);
  EXPECT_EQ(Search(longer, Options("abc")), (Sel{0, 3}));
  TFakeMemo shorter("abc abc", 4, 1);
  EXPECT_EQ(Search(shorter, Options("abc", false)), (Sel{4, 3}));
  // Same start and length but other letters (case ignored): still shown.
  TFakeMemo shown("ABC abc", 0, 3);
  EXPECT_EQ(Search(shown, Options("abc")), (Sel{4, 3}));
}

TEST(SearchMemo, NothingFoundLeavesThePaneAlone) {
  TFakeMemo memo("abc def", 2, 3);
  EXPECT_EQ(Search(memo, Options("xyz")), (Sel{-1, -1}));
  EXPECT_EQ(Search(memo, Options("xyz", false)), (Sel{-1, -1}));
  EXPECT_EQ(Search(memo, Options("")), (Sel{-1, -1}));
  EXPECT_EQ(Search(memo, Options("", false)), (Sel{-1, -1}));
}

TEST(SearchMemo, WholeWordAndCaseCombine) {
  TFakeMemo memo("Cat cat CAT catalog", 0);
  const TSearchOptions options = Options("CAT", true, true, true);
  EXPECT_EQ(Search(memo, options), (Sel{8, 3}));
  EXPECT_EQ(Search(memo, options), (Sel{-1, -1}));
}

#ifdef _WIN32
// A letter and its other case may differ in length in UTF-8: U+023A (2 bytes)
// and U+2C65 (3 bytes), the Kelvin sign (3 bytes) and k. The occurrence is the
// text's own characters, whatever their length.
const std::string kBarA = "\xC8\xBA", kSmallBarA = "\xE2\xB1\xA5", kKelvin = "\xE2\x84\xAA";

// The occurrence FindInText gives, {offset, length}; {-1, -1} for none. The
// stepwise scan must agree.
std::pair<int, int> FindWithLength(const std::string& text, const std::string& findText, int start,
                                   bool down = true, bool matchCase = false,
                                   bool wholeWord = false) {
  const int length = static_cast<int>(text.size()), findLength = static_cast<int>(findText.size());
  int offset = 0, matchLength = 0, stepwise = 0, stepwiseLength = 0;
  FindInText(text.data(), length, findText.data(), findLength, matchCase, wholeWord, down, start,
             offset, matchLength);
  FindInTextStepwise(text.data(), length, findText.data(), findLength, matchCase, wholeWord, down,
                     start, stepwise, stepwiseLength);
  EXPECT_EQ(offset, stepwise);
  EXPECT_EQ(matchLength, stepwiseLength);
  return {offset, matchLength};
}

TEST(FindInText, CasePairsOfUnequalLengthInUtf8) {
  REQUIRE_CODE_PAGE(65001);
  struct TCase {
    std::string Find, Word;
    bool MatchCase;
    bool Found;
  } cases[] = {
      {kBarA, kSmallBarA, false, true},
      {kSmallBarA, kBarA, false, true},
      {kBarA, kSmallBarA, true, false},
      {"k", kKelvin, false, true},
      {kKelvin, "k", false, true},
      {"k", kKelvin, true, false},
      // The Kelvin sign is an upper-case K to the comparison.
      {"K", kKelvin, true, true},
      {kKelvin, "K", true, true},
      {"x" + kBarA + "k", "X" + kSmallBarA + kKelvin, false, true},
      {kSmallBarA + "y", kBarA + "Y", false, true},
  };
  for (const TCase& c : cases) {
    // The word alone, between words, and after a letter (no whole word).
    const std::string text = "a " + c.Word + " b" + c.Word + ".";
    const int at = 2, length = static_cast<int>(c.Word.size());
    const int end = static_cast<int>(text.size());
    const std::pair<int, int> none{-1, -1};
    const std::pair<int, int> first{at, length}, second{at + length + 2, length};
    EXPECT_EQ(FindWithLength(text, c.Find, 0, true, c.MatchCase), c.Found ? first : none) << c.Word;
    EXPECT_EQ(FindWithLength(text, c.Find, end, false, c.MatchCase), c.Found ? second : none)
        << c.Word;
    EXPECT_EQ(FindWithLength(text, c.Find, at + 1, true, c.MatchCase), c.Found ? second : none)
        << c.Word;
    EXPECT_EQ(FindWithLength(text, c.Find, end, false, c.MatchCase, true), c.Found ? first : none)
        << c.Word;
    // At the very end of the text, where the find text's own length no
    // longer fits.
    const std::pair<int, int> last{1, length};
    EXPECT_EQ(FindWithLength("a" + c.Word, c.Find, 0, true, c.MatchCase), c.Found ? last : none)
        << c.Word;
  }
}

TEST(SearchMemo, SelectsAnOccurrenceOfAnotherLengthOverItsOwnBytes) {
  REQUIRE_CODE_PAGE(65001);
  // Find Next and Find Prev step over each shown occurrence by its own length.
  const std::string text = kSmallBarA + kSmallBarA;
  TFakeMemo memo(text);
  EXPECT_EQ(Search(memo, Options(kBarA)), (Sel{0, 3}));
  EXPECT_EQ(Search(memo, Options(kBarA)), (Sel{3, 3}));
  EXPECT_EQ(Search(memo, Options(kBarA)), (Sel{-1, -1}));
  EXPECT_EQ(Search(memo, Options(kBarA, false)), (Sel{0, 3}));
  EXPECT_EQ(Search(memo, Options(kBarA, false)), (Sel{-1, -1}));
  // Upwards the shortest occurrence that ends where the shown one starts is
  // found; a longer one that overlaps the shown one is passed over, as an
  // occurrence of the find text's own length is.
  TFakeMemo kelvin("k" + kKelvin, 4);
  EXPECT_EQ(Search(kelvin, Options("k", false)), (Sel{1, 3}));
  EXPECT_EQ(Search(kelvin, Options("k", false)), (Sel{0, 1}));
  TFakeMemo four(kBarA + kBarA + kBarA + kBarA, 8);
  EXPECT_EQ(Search(four, Options(kSmallBarA + kSmallBarA, false)), (Sel{4, 4}));
  EXPECT_EQ(Search(four, Options(kSmallBarA + kSmallBarA, false)), (Sel{0, 4}));
  EXPECT_EQ(Search(four, Options(kSmallBarA + kSmallBarA, false)), (Sel{-1, -1}));
}
#endif

// Double-byte text: 0x88 0x9F is a kanji whose trail byte can also lead, so
// "\x9F\x88" appears across two kanji; 0x81 0x41 is the ideographic comma,
// whose trail byte is the letter A.
// In UTF-8 no character begins inside another, but bytes cut out of two may
// still be a find text.
TEST(FindInText, DoubleByteCharacterIsNeverMatchedAcrossTwoCharacters) {
  for (const auto& [codePage, kanji, across] :
       {std::tuple<int, std::string, std::string>{932, "\x88\x9F", "\x9F\x88"},
        {65001, "\xE3\x81\x82", "\x82\xE3"},
        {65001, "\xE3\x81\x82", "\x81\x82"}}) {
    if (!UseCodePage(codePage)) continue;
    const int size = static_cast<int>(kanji.size());
    const std::string text = kanji + kanji + kanji;
    for (bool matchCase : {false, true}) {
      EXPECT_EQ(Find(text, across, 0, true, matchCase), -1);
      EXPECT_EQ(Find(text, across, 3 * size, false, matchCase), -1);
      EXPECT_EQ(Find(text, kanji, 1 + 1, true, matchCase), size);
      EXPECT_EQ(Find(text, kanji, 3 * size, false, matchCase), 2 * size);
    }
    TFakeMemo memo("ab" + text, 0);
    EXPECT_EQ(Search(memo, Options(across)), (Sel{-1, -1}));
    memo.SelStart = 2 + 3 * size;
    EXPECT_EQ(Search(memo, Options(across, false)), (Sel{-1, -1}));
  }
}

TEST(FindInText, TrailBytesAreNotLettersOfTheText) {
  REQUIRE_CODE_PAGE(932);
  // "A" as the trail byte of the ideographic comma is no "a".
  const std::string comma = "\x81\x41";
  EXPECT_EQ(Find(comma + "a", "a", 0), 2);
  EXPECT_EQ(Find(comma + "a", "A", 3, false), 2);
  EXPECT_EQ(Find(comma, "a", 0), -1);
  EXPECT_EQ(Find(comma, "A", 2, false, true), -1);
}

TEST(SearchMemo, UpwardRestartInsideACharacterMovesToItsStart) {
  REQUIRE_CODE_PAGE(932);
  // The kanji 0x8A 0x61 ends in the byte "a". With the "a" at 2 shown, the
  // next upward search restarts at 1, inside the kanji: it must not find the
  // trail byte.
  const std::string kanji = "\x8A\x61";
  TFakeMemo memo(kanji + "a", 2, 1);
  EXPECT_EQ(Search(memo, Options("a", false, true)), (Sel{-1, -1}));
  TFakeMemo two("a" + kanji + "a", 3, 1);
  EXPECT_EQ(Search(two, Options("a", false, true)), (Sel{0, 1}));
}

TEST(FindInText, WholeWordsAroundDoubleByteCharacters) {
  using TCharacters = std::tuple<int, std::string, std::string, std::string, std::string>;
  for (const auto& [codePage, kanji, kanji2, ideographicSpace, comma] :
       {TCharacters{932, "\x8A\xBF", "\x8E\x9A", "\x81\x40", "\x81\x41"},
        TCharacters{65001, "\xE6\xBC\xA2", "\xC3\xA9", "\xE3\x80\x80", "\xE3\x80\x81"}}) {
    if (!UseCodePage(codePage)) continue;
    // Both directions; upwards from the end.
    const auto whole = [](const std::string& text, const std::string& find) {
      const int down = Find(text, find, 0, true, false, true);
      EXPECT_EQ(Find(text, find, static_cast<int>(text.size()), false, false, true), down) << text;
      return down;
    };
    const int space = static_cast<int>(ideographicSpace.size()),
              size = static_cast<int>(kanji.size());
    // Kanji are letters: they join the words next to them.
    EXPECT_EQ(whole(kanji + "cat", "cat"), -1);
    EXPECT_EQ(whole("cat" + kanji, "cat"), -1);
    EXPECT_EQ(whole(kanji + kanji2, kanji), -1);
    EXPECT_EQ(whole(kanji + kanji2, kanji2), -1);
    // Punctuation separates words, whatever its trail byte looks like.
    EXPECT_EQ(whole(ideographicSpace + "cat" + ideographicSpace, "cat"), space);
    EXPECT_EQ(whole(comma + "cat" + comma, "cat"), space);
    EXPECT_EQ(whole(kanji + ideographicSpace + kanji2, kanji2), size + space);
    EXPECT_EQ(whole("x " + kanji + kanji2, kanji + kanji2), 2);
  }
}

// A character beyond the basic plane is two UTF-16 halves: 𠮷 (U+20BB7, in
// Japanese names) joins the words beside it, an emoji parts them.
TEST(FindInText, WholeWordsAroundCharactersBeyondTheBasicPlane) {
  if (!UseCodePage(65001)) return;
  const std::string yoshi = "\xF0\xA0\xAE\xB7", no = "\xE9\x87\x8E", smile = "\xF0\x9F\x98\x80";
  struct TCase {
    std::string Text, FindText;
    int Offset;
  };
  const TCase cases[] = {
      {yoshi + no + " " + no, no, 8},       {"cat" + yoshi + " cat", "cat", 8},
      {yoshi + "cat", "cat", -1},           {smile + "cat" + smile, "cat", 4},
      {yoshi + no + " " + yoshi, yoshi, 8}, {"a" + yoshi + "b " + yoshi, yoshi, 7},
  };
  for (const TCase& c : cases) {
    const int end = static_cast<int>(c.Text.size());
    EXPECT_EQ(Find(c.Text, c.FindText, 0, true, false, true), c.Offset) << c.Text;
    EXPECT_EQ(Find(c.Text, c.FindText, end, false, false, true), c.Offset) << c.Text;
  }
}

// The quick scan takes places in the order the plain scan compares at and
// passes over only places the comparison cannot call equal; over every start,
// direction and flag both must agree.
TEST(FindInText, QuickScanFindsWhatTheStepwiseScanFinds) {
  for (int codePage : {1252, 932, 65001}) {
    if (!UseCodePage(codePage)) continue;
    // A rich alphabet, and a poor one that makes many near misses; in UTF-8
    // the bytes of e acute, a hiragana and a kanji.
    const std::string alphabets[] = {codePage == 65001
                                         ? "aAb _.\r\n\xC3\xA9\x89\xE3\x81\x82\xE6\xBC\xA2"
                                         : "aAb _.\r\n\x88\x9F\x81\x41\xE9\xC9\x8A",
                                     codePage == 65001 ? "aA\xE3\x81\x82" : "aAb\x88\x9F"};
    std::mt19937 random(codePage);
    const auto randomText = [&](const std::string& alphabet, size_t length) {
      std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
      std::string text(length, ' ');
      for (char& c : text) c = alphabet[pick(random)];
      return text;
    };
    for (int round = 0; round < 600; ++round) {
      const std::string& alphabet = alphabets[round % 2];
      // Long enough for the quick scan's blocks of sixteen places.
      const std::string text = randomText(alphabet, 1 + (round * 7) % 60);
      // A find text made up, or taken from the text and perhaps changed in
      // one byte.
      std::string find = randomText(alphabet, 1 + round % 4);
      if (round % 3 != 0 && find.size() <= text.size()) {
        find = text.substr(random() % (text.size() - find.size() + 1), find.size());
        if (round % 3 == 2) find[find.size() / 2] = alphabet[random() % alphabet.size()];
      }
      const int length = static_cast<int>(text.size()), findLength = static_cast<int>(find.size());
      for (int flags = 0; flags < 8; ++flags) {
        const bool matchCase = flags & 1, wholeWord = flags & 2, down = flags & 4;
        for (int start = 0; start <= length + 1; ++start) {
          int quick = 0, stepwise = 0;
          FindInText(text.data(), length, find.data(), findLength, matchCase, wholeWord, down,
                     start, quick);
          FindInTextStepwise(text.data(), length, find.data(), findLength, matchCase, wholeWord,
                             down, start, stepwise);
          ASSERT_EQ(quick, stepwise) << "code page " << codePage << " round " << round << " flags "
                                     << flags << " start " << start;
        }
      }
    }
  }
}

TEST(FindInText, LongRunsOfLeadBytesStayFastUpwards) {
  REQUIRE_CODE_PAGE(932);
  // Every byte can lead: a scan that measured the run from the start at each
  // step would take minutes here.
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "\x88\x9F";
  EXPECT_EQ(Find(text, "\x9F\x88", static_cast<int>(text.size()), false), -1);
  int offset = 0;
  EXPECT_FALSE(FindInTextStepwise(text.data(), static_cast<int>(text.size()), "\x9F\x88", 2, false,
                                  false, false, static_cast<int>(text.size()), offset));
  // Whole words: every character matches and every one fails the word test,
  // which must not measure the run anew at each place either.
  const int length = static_cast<int>(text.size());
  for (const bool down : {true, false}) {
    EXPECT_FALSE(FindInText(text.data(), length, "\x88\x9F", 2, true, true, down, down ? 0 : length,
                            offset));
    EXPECT_FALSE(FindInTextStepwise(text.data(), length, "\x88\x9F", 2, true, true, down,
                                    down ? 0 : length, offset));
  }
}
