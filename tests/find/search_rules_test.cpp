// Find Next and Find Prev against a plain model of their rules, over random
// logs and random selections: every occurrence of the find text as the
// stepwise scan lists them, and the rules applied to that list.
#include <gtest/gtest.h>

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

struct TPlace {
  int Start = -1, Length = -1;
  bool operator==(const TPlace&) const = default;
};

class TMemo : public TSearchTarget {
public:
  TMemo(const std::string& text, TPlace selection) : Text(text), Selection(selection) {}

  const std::string& GetText() const override { return Text; }
  int GetSelStart() const override { return Selection.Start; }
  int GetSelLength() const override { return Selection.Length; }
  void SetSelStart(int start) override { Selection = {start, 0}; }
  void SetSelLength(int length) override { Selection.Length = length; }
  void ScrollCaret() override { ++Scrolls; }

  const std::string& Text;
  TPlace Selection;
  int Scrolls = 0;
};

// The rules over the list of occurrences, in order. Downwards: the first one
// at or after the selection start; when that is the shown one (the selection
// itself), the first one from the selection's end on. Upwards: the last one
// at or before the selection start; when that is the shown one, the last one
// that ends at or before the shown one's start. Never around the end.
TPlace Expected(const std::vector<TPlace>& list, TPlace selection, bool down) {
  const int n = static_cast<int>(list.size());
  const int step = down ? 1 : -1;
  int i = down ? 0 : n - 1;
  while (i >= 0 && i < n &&
         (down ? list[i].Start < selection.Start : list[i].Start > selection.Start))
    i += step;
  if (i < 0 || i >= n || list[i] != selection) return i < 0 || i >= n ? TPlace{} : list[i];
  for (i += step; i >= 0 && i < n; i += step)
    if (down ? list[i].Start >= selection.Start + selection.Length
             : list[i].Start + list[i].Length <= selection.Start)
      return list[i];
  return {};
}

class TRounds {
public:
  TRounds(const TAlphabet& alphabet, unsigned seed) : Alphabet(alphabet), Random(seed) {}

  // The rounds that fitted the model.
  int Checked = 0;

  // One random log, find text and flags, and a few sequences of Find Next and
  // Find Prev over it; false when a step left the rules.
  ::testing::AssertionResult Round() {
    // A few pieces only, so that occurrences come close, overlap and touch.
    std::vector<std::string> pieces;
    for (size_t k = 2 + Pick(3); k > 0; --k)
      pieces.push_back(Alphabet.Pieces[Pick(Alphabet.Pieces.size())]);
    std::string text;
    for (size_t length = Pick(90); text.size() < length;) text += pieces[Pick(pieces.size())];
    Chars.clear();
    for (const char* p = text.data(); p <= text.data() + text.size();
         p = p < text.data() + text.size() ? sys::NextChar(p, text.data() + text.size()) : p + 1)
      Chars.push_back(static_cast<int>(p - text.data()));
    const std::string find = FindText(text);
    const bool matchCase = Pick(2) == 0, wholeWord = Pick(4) == 0;
    std::vector<TPlace> list;
    if (!List(text, find, matchCase, wholeWord, list)) return ::testing::AssertionSuccess();
    ++Checked;
    TSearchOptions options;
    options.FindText = find;
    options.MatchCase = matchCase;
    options.WholeWord = wholeWord;
    for (int sequence = 0; sequence < 4; ++sequence) {
      TMemo memo(text, StartingSelection(list));
      for (int step = 0; step < 6; ++step) {
        options.Down = Pick(2) == 0;
        const TPlace before = memo.Selection;
        const TPlace expected = Expected(list, before, options.Down);
        const int scrolls = memo.Scrolls;
        const bool found = SearchMemo(memo, options);
        const TPlace after = memo.Selection;
        if (found != (expected.Start >= 0) || after != (found ? expected : before) ||
            memo.Scrolls != scrolls + (found ? 1 : 0))
          return ::testing::AssertionFailure()
                 << "text " << Hex(text) << "\nfind " << Hex(find) << "\nmatch case " << matchCase
                 << ", whole word " << wholeWord << ", down " << options.Down << ", selection "
                 << before.Start << "+" << before.Length << ": selected " << after.Start << "+"
                 << after.Length << " (found " << found << "), expected " << expected.Start << "+"
                 << expected.Length;
      }
    }
    return ::testing::AssertionSuccess();
  }

private:
  size_t Pick(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(Random); }

  // Whole characters of the text, perhaps with twins put in the place of each
  // other and letters in the other case; else made up.
  std::string FindText(const std::string& text) {
    if (Chars.size() < 2 || Pick(6) == 0) return Alphabet.Pieces[Pick(Alphabet.Pieces.size())];
    const size_t from = Pick(Chars.size() - 1);
    const size_t to = std::min(Chars.size() - 1, from + 1 + Pick(3));
    std::string find =
        text.substr(static_cast<size_t>(Chars[from]), static_cast<size_t>(Chars[to] - Chars[from]));
    for (const auto& [one, other] : Alphabet.Twins)
      if (const size_t p = find.find(one); p != std::string::npos && Pick(3) == 0)
        find.replace(p, one.size(), other);
    if (Pick(3) == 0)
      for (char& c : find)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return find;
  }

  // Every occurrence at a character start, by the stepwise scan downwards.
  // False when the round does not fit the model: an occurrence that ends
  // inside a character, from where no search of the user's begins.
  bool List(const std::string& text, const std::string& find, bool matchCase, bool wholeWord,
            std::vector<TPlace>& list) const {
    const int length = static_cast<int>(text.size());
    for (const int c : Chars) {
      TPlace at;
      if (!FindInTextStepwise(text.data(), length, find.data(), static_cast<int>(find.size()),
                              matchCase, wholeWord, true, c, at.Start, at.Length))
        break;
      if (at.Start != c) continue;
      if (!IsCharStart(at.Start + at.Length)) return false;
      list.push_back(at);
    }
    return true;
  }

  bool IsCharStart(int offset) const {
    return std::binary_search(Chars.begin(), Chars.end(), offset);
  }

  // Mostly an occurrence (the one shown), else a caret or a stretch of
  // characters anywhere.
  TPlace StartingSelection(const std::vector<TPlace>& list) {
    if (!list.empty() && Pick(2) == 0) return list[Pick(list.size())];
    const size_t from = Pick(Chars.size());
    const size_t to = Pick(3) == 0 ? from : from + Pick(Chars.size() - from);
    return {Chars[from], Chars[to] - Chars[from]};
  }

  const TAlphabet& Alphabet;
  std::mt19937 Random;
  // The character starts of the text, and its end.
  std::vector<int> Chars;
};

} // namespace

TEST(SearchMemo, FindNextAndPrevFollowTheirRulesOverRandomLogs) {
  struct TRun {
    int CodePage;
    TAlphabet Alphabet;
  } runs[] = {{1252, AlphabetLatin()}, {932, Alphabet932()}, {65001, AlphabetUtf8()}};
  for (const TRun& run : runs) {
    if (!UseCodePage(run.CodePage)) continue;
    TRounds rounds(run.Alphabet, static_cast<unsigned>(run.CodePage));
    for (int round = 0; round < 400; ++round) {
#ifndef _WIN32
      // Natively in UTF-8 the search learns the portable comparison's weights
      // every other round, and takes its byte map otherwise.
      sys::UsePortableUtf8Weights(run.CodePage == 65001 && round % 2 == 1);
#endif
      ASSERT_TRUE(rounds.Round()) << "code page " << run.CodePage << ", round " << round;
    }
    EXPECT_GT(rounds.Checked, 300) << "code page " << run.CodePage;
  }
}
