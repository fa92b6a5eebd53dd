// The quick search against the stepwise scan where its prefilters change
// gear: at the edges of the stretches the UTF-8 search learns at a time, and
// at the ends of the block scans (the last block, a text shorter than a
// block, the final bytes, offset 0).
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

// The stretch the UTF-8 search learns at a time; the blocks are shorter.
constexpr int kStretch = 4096;

// What is put into the text, and what is looked for: the same, or the same
// in another case, of another length in UTF-8.
struct TCase {
  std::string Put, Find;
};

struct TRun {
  int CodePage;
  // Whole characters of the code page, the letter z in none.
  std::vector<std::string> Filler;
  std::vector<TCase> Cases;
};

std::vector<TRun> Runs() {
  return {
      {1252, {"kangaroo ", "\xE9", "\xC6", "\r\n", "."}, {{"z", "z"}, {"\xFCzz", "\xDCZz"}}},
      {932,
       {"kangaroo ", "\x8A\xBF", "\x83\x41", "\x81\x40", "\xB1", "\r\n"},
       {{"z", "z"}, {"\x8E\x9Az", "\x8E\x9AZ"}}},
      {65001,
       {"kangaroo ", "\xC3\xA9", "\xE6\xBC\xA2", "\xF0\x9F\x98\x80", "\xC2\xAD", "\x80", "\r\n"},
       {{"z", "z"}, {"kz", "\xE2\x84\xAAz"}, {"\xE6\xBC\xA2z", "\xE6\xBC\xA2Z"}}}};
}

class TEdges {
public:
  TEdges(const TRun& run, const TCase& c) : Run(run), Case(c), Random(run.CodePage) {}

  // A text of length bytes with the case put at `at`, filler elsewhere, and
  // a character starting at mark too.
  std::string Text(int at, int mark, int length) {
    std::string text;
    for (const int upTo : {std::min(at, mark), std::max(at, mark)}) {
      Fill(text, upTo);
      if (upTo == at && static_cast<int>(text.size()) == at) text += Case.Put;
    }
    Fill(text, length);
    return text;
  }

  // Both searches from start, one direction, case ignored.
  ::testing::AssertionResult Same(const std::string& text, bool down, int start) const {
    const int length = static_cast<int>(text.size());
    const int findLength = static_cast<int>(Case.Find.size());
    int quick = 0, quickLength = 0, stepwise = 0, stepwiseLength = 0;
    FindInText(text.data(), length, Case.Find.data(), findLength, false, false, down, start, quick,
               quickLength);
    FindInTextStepwise(text.data(), length, Case.Find.data(), findLength, false, false, down, start,
                       stepwise, stepwiseLength);
    if (quick == stepwise && quickLength == stepwiseLength) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "code page " << Run.CodePage << ", find " << Hex(Case.Find) << ", " << length
           << " bytes, down " << down << " from " << start << ": quick " << quick << "+"
           << quickLength << ", stepwise " << stepwise << "+" << stepwiseLength;
  }

private:
  // Filler characters up to exactly upTo bytes, the last few spaces.
  void Fill(std::string& text, int upTo) {
    std::uniform_int_distribution<size_t> pick(0, Run.Filler.size() - 1);
    while (true) {
      const std::string& piece = Run.Filler[pick(Random)];
      if (static_cast<int>(text.size() + piece.size()) > upTo - 1) break;
      text += piece;
    }
    text.resize(static_cast<size_t>(std::max(upTo, static_cast<int>(text.size()))), ' ');
  }

  const TRun& Run;
  const TCase& Case;
  std::mt19937 Random;
};

// For each run in force, natively in UTF-8 also with the search that learns
// the portable comparison's weights.
template <class TCheck> void ForEachCase(TCheck&& check) {
  for (const TRun& run : Runs()) {
    for (int learnt = 0; learnt < 2; ++learnt) {
      if (!UseCodePage(run.CodePage)) break;
#ifdef _WIN32
      if (learnt == 1) break;
#else
      if (learnt == 1 && run.CodePage != 65001) break;
      sys::UsePortableUtf8Weights(learnt == 1);
#endif
      for (const TCase& c : run.Cases) check(TEdges(run, c));
    }
  }
}

} // namespace

// Downwards the stretches begin at the start, then every stretch on; upwards
// they end just before the first place compared, then every stretch before.
// The case is put at every place from a block before each edge to a block
// after it.
TEST(FindInText, OccurrencesAroundTheEdgesOfTheStretchesLearntAtATime) {
  ForEachCase([](TEdges edges) {
    const int length = 3 * kStretch + 100;
    for (int edge = 1; edge <= 2; ++edge) {
      for (int d = -17; d <= 17; ++d) {
        const int start = edge == 1 ? 0 : 7;
        const int down = start + edge * kStretch + d;
        ASSERT_TRUE(edges.Same(edges.Text(down, start, length), true, start)) << "edge " << edge;
        const int up = length - 50 - edge * kStretch + d;
        const int from = up + 1 + edge * kStretch - d;
        ASSERT_TRUE(edges.Same(edges.Text(up, from, length), false, from)) << "edge " << edge;
      }
    }
  });
}

// Texts shorter than a block and a few blocks long with the case at every
// place, and a text of a few stretches with it in the final bytes or at the
// very start; searched from either end and from either side of the case.
TEST(FindInText, OccurrencesAtTheEndsOfTheBlockScans) {
  ForEachCase([](TEdges edges) {
    const auto check = [&](int at, int length) {
      const std::string text = edges.Text(at, at, length);
      for (const auto& [down, start] : {std::pair{true, 0},
                                        {false, length},
                                        {true, at},
                                        {false, at},
                                        {true, at + 1},
                                        {false, at - 1}})
        ASSERT_TRUE(edges.Same(text, down, start)) << "at " << at << " of " << length;
    };
    for (int length = 1; length <= 40; ++length)
      for (int at = 0; at < length; ++at) check(at, length);
    const int length = 2 * kStretch + 300;
    for (int d = 0; d <= 17; ++d) {
      check(d, length);
      check(length - 3 - d, length);
    }
  });
}
