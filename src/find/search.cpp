#include "search.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "util/platform.h"

namespace {

bool AnyLeadBytes() {
  for (bool lead : sys::LeadBytes())
    if (lead) return true;
  return false;
}

// Which offsets a scan that steps by whole characters from anchor passes. A
// byte that cannot lead a character always ends one, so the next offset is a
// character start; the bytes that can lead pair up after it. The last run of
// such bytes measured is remembered, so a scan whose questions move in one
// direction reads every byte at most once, however long the runs.
class TCharStarts {
public:
  TCharStarts(const char* text, int anchor)
      : Text(text), Anchor(anchor), RunStart(anchor), RunEnd(anchor), DoubleByte(AnyLeadBytes()) {}

  // True when h (at or after the anchor) starts a character.
  bool Has(int h) {
    if (!DoubleByte) return true;
    if (h < RunStart) {
      int i = h - 1;
      while (i >= Anchor && Lead(i)) --i;
      RunStart = i + 1;
      RunEnd = h;
    } else if (h > RunEnd) {
      int i = h - 1;
      while (i >= RunEnd && Lead(i)) --i;
      if (i >= RunEnd) RunStart = i + 1; // else the run goes on from RunStart
      RunEnd = h;
    }
    return (h - RunStart) % 2 == 0;
  }

  // The start of the character before h (h > anchor), as CharPrev finds it.
  int Before(int h) { return Has(h - 1) ? h - 1 : h - 2; }

private:
  bool Lead(int i) const { return sys::IsLeadByte(static_cast<unsigned char>(Text[i])); }

  const char* Text;
  int Anchor;
  // Bytes RunStart to RunEnd - 1 can all lead a character; RunStart starts one.
  int RunStart, RunEnd;
  bool DoubleByte;
};

// A quick test that rules places out before the locale's comparison is asked:
// it looks for the find text with every byte put through the platform's byte
// map (see sys::ComparisonByteMap), so every place the comparison could call
// equal passes it. Sixteen places at a time are tested on their first and
// last byte, which may each be one of a few raw bytes.
class TPrefilter {
public:
  TPrefilter(const std::array<unsigned char, 256>& map, const char* findText, int findLength)
      : Map(map), Length(findLength), Mapped(static_cast<size_t>(findLength)) {
    Identity = true;
    for (int b = 0; b < 256; ++b) Identity = Identity && map[b] == b;
    for (int i = 0; i < Length; ++i) Mapped[i] = map[static_cast<unsigned char>(findText[i])];
    for (int b = 0; b < 256; ++b) {
      BeginsFind[b] = map[b] == Mapped[0];
      EndsFind[b] = map[b] == Mapped[Length - 1];
      if (BeginsFind[b]) AddVariant(FirstVariants, FirstCount, b);
      if (EndsFind[b]) AddVariant(LastVariants, LastCount, b);
    }
  }

  // The first place from from to last where the mapped bytes agree; -1 if none.
  int NextDown(const char* text, int from, int last) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    int h = from;
#ifdef __SSE2__
    if (Blocks()) {
      for (; h + 15 <= last; h += 16) {
        for (unsigned mask = BlockMask(bytes + h); mask != 0; mask &= mask - 1) {
          const int at = h + __builtin_ctz(mask);
          if (Agrees(bytes + at)) return at;
        }
      }
    }
#endif
    for (; h <= last; ++h)
      if (BeginsFind[bytes[h]] && EndsFind[bytes[h + Length - 1]] && Agrees(bytes + h)) return h;
    return -1;
  }

  // The last place at or before from where the mapped bytes agree; -1 if none.
  int NextUp(const char* text, int from) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    int h = from;
#ifdef __SSE2__
    if (Blocks()) {
      for (; h >= 15; h -= 16) {
        for (unsigned mask = BlockMask(bytes + h - 15); mask != 0;) {
          const int bit = 31 - __builtin_clz(mask);
          if (Agrees(bytes + h - 15 + bit)) return h - 15 + bit;
          mask &= ~(1u << bit);
        }
      }
    }
#endif
    for (; h >= 0; --h)
      if (BeginsFind[bytes[h]] && EndsFind[bytes[h + Length - 1]] && Agrees(bytes + h)) return h;
    return -1;
  }

private:
  static constexpr int kMaxVariants = 4;
  using TVariants = std::array<unsigned char, kMaxVariants>;

  static void AddVariant(TVariants& variants, int& count, int byte) {
    if (count < kMaxVariants)
      variants[static_cast<size_t>(count)] = static_cast<unsigned char>(byte);
    ++count;
  }

#ifdef __SSE2__
  bool Blocks() const { return FirstCount <= kMaxVariants && LastCount <= kMaxVariants; }

  static __m128i Matching(__m128i block, const TVariants& variants, int count) {
    __m128i hits = _mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(variants[0])));
    for (int k = 1; k < count; ++k)
      hits = _mm_or_si128(
          hits, _mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(variants[size_t(k)]))));
    return hits;
  }

  // Bit k set when the place p + k begins and ends with bytes that may agree.
  unsigned BlockMask(const unsigned char* p) const {
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + Length - 1));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(
        Matching(first, FirstVariants, FirstCount), Matching(last, LastVariants, LastCount))));
  }
#endif

  bool Agrees(const unsigned char* p) const {
    if (Identity) return std::memcmp(p, Mapped.data(), static_cast<size_t>(Length)) == 0;
    for (int i = 0; i < Length; ++i)
      if (Map[p[i]] != Mapped[i]) return false;
    return true;
  }

  const std::array<unsigned char, 256>& Map;
  int Length;
  std::vector<unsigned char> Mapped;
  bool Identity;
  std::array<bool, 256> BeginsFind, EndsFind;
  // The raw bytes that map to the find text's first and last mapped byte.
  TVariants FirstVariants{}, LastVariants{};
  int FirstCount = 0, LastCount = 0;
};

// A quick test for the system's linguistic comparison, which calls texts of
// different bytes equal: those texts still have the same primary weights,
// character after character (see sys::ComparisonWeights). A place is compared
// only when the weights of its characters, one after another, can be the find
// text's, or when it holds a character whose weights are not known. Before
// that, the first and the last byte of each place are looked up in tables of
// the bytes a match could begin and end with.
class TWeightFilter {
public:
  TWeightFilter(const sys::TComparisonWeights& weights, const char* findText, int findLength)
      : Weights(weights), Length(findLength) {
    const auto* p = reinterpret_cast<const unsigned char*>(findText);
    const auto* end = p + findLength;
    for (; p < end; p = weights.Next(p, end)) {
      const sys::TCharWeights& c = weights.At(p, end);
      if (c.Unknown) break;
      FindWeights.insert(FindWeights.end(), c.Bytes.begin(), c.Bytes.begin() + c.Length);
    }
    Known = p == end;
    for (int b = 0; b < 256; ++b) {
      // On its own, or (a lead byte) alone at the end of the place.
      First[b] = Begins(weights.Single[b]);
      Last[b] = Ends(weights.Single[b]);
    }
    for (int lead = 0; lead < 256; ++lead) {
      const int row = weights.LeadRow[lead];
      if (row < 0) continue;
      for (int trail = 0; trail < 256; ++trail) {
        const sys::TCharWeights& c = weights.Double[static_cast<size_t>(row) * 256 + trail];
        First[lead] = First[lead] || Begins(c);
        Last[trail] = Last[trail] || Ends(c);
      }
    }
  }

  // The first place from from to last that may match; -1 if none.
  int NextDown(const char* text, int from, int last) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (int h = from; h <= last; ++h)
      if (First[bytes[h]] && Last[bytes[h + Length - 1]] && Agrees(bytes + h)) return h;
    return -1;
  }

  // The last place at or before from that may match; -1 if none.
  int NextUp(const char* text, int from) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (int h = from; h >= 0; --h)
      if (First[bytes[h]] && Last[bytes[h + Length - 1]] && Agrees(bytes + h)) return h;
    return -1;
  }

private:
  // True when a place that begins with the character may have the find
  // text's weights. An ignorable character, of no weights, may begin any.
  bool Begins(const sys::TCharWeights& c) const {
    if (c.Unknown) return true;
    if (Known && c.Length > FindWeights.size()) return false;
    const size_t n = std::min<size_t>(c.Length, FindWeights.size());
    return std::memcmp(c.Bytes.data(), FindWeights.data(), n) == 0;
  }

  // The same for a place that ends with the character.
  bool Ends(const sys::TCharWeights& c) const {
    if (!Known || c.Unknown || c.EndsContraction) return true;
    if (c.Length > FindWeights.size()) return false;
    return std::memcmp(c.Bytes.data(), FindWeights.data() + FindWeights.size() - c.Length,
                       c.Length) == 0;
  }

  // The weights of the place at p, character by character, against the find
  // text's, as far as either is known. p must be a character start.
  bool Agrees(const unsigned char* p) const {
    const unsigned char* end = p + Length;
    const size_t size = FindWeights.size();
    size_t done = 0;
    while (p < end) {
      const sys::TCharWeights& c = Weights.At(p, end);
      p = Weights.Next(p, end);
      if (c.Unknown) return true;
      if (done + c.Length > size)
        return !Known && std::memcmp(c.Bytes.data(), FindWeights.data() + done, size - done) == 0;
      if (std::memcmp(c.Bytes.data(), FindWeights.data() + done, c.Length) != 0) return false;
      done += c.Length;
    }
    return done == size;
  }

  const sys::TComparisonWeights& Weights;
  int Length;
  // The find text's weights up to its first character of unknown weights;
  // Known when there is none.
  std::vector<unsigned char> FindWeights;
  bool Known;
  std::array<bool, 256> First, Last;
};

// The whole-word test with the character starts of the text at hand, so that
// a scan asking it at place after place reads every byte a bounded number of
// times, even in long runs of bytes that could each lead a character.
bool WholeWordAt(const char* text, int length, int offset, int findLength, TCharStarts& starts) {
  const char* end = text + length;
  if (offset > 0 && IsWordChar(text + offset, end) && IsWordChar(text + starts.Before(offset), end))
    return false;
  const int after = offset + findLength;
  if (after > 0 && after < length && IsWordChar(text + after, end) &&
      IsWordChar(text + starts.Before(after), end))
    return false;
  return true;
}

struct TRequest {
  TRequest(const char* text, int length, const char* findText, int findLength, bool matchCase,
           bool wholeWord)
      : Text(text), Length(length), FindText(findText), FindLength(findLength),
        MatchCase(matchCase), WholeWord(wholeWord), WordStarts(text, 0) {}

  const char* Text;
  int Length;
  const char* FindText;
  int FindLength;
  bool MatchCase, WholeWord;
  TCharStarts WordStarts;

  int Last() const { return Length - FindLength; }

  bool Matches(int c) {
    const int differs = MatchCase ? CompareSameCase(Text + c, FindText, FindLength)
                                  : CompareIgnoreCase(Text + c, FindText, FindLength);
    return differs == 0 && (!WholeWord || WholeWordAt(Text, Length, c, FindLength, WordStarts));
  }

  // False when nothing can be found at all. An empty find text finds nothing.
  bool CanFind(int start) const {
    return Text != nullptr && FindText != nullptr && FindLength > 0 && start >= 0 && Last() >= 0;
  }

  // The first candidate of an upward scan: the start itself, or the nearest
  // character start at which the find text fits. Nothing lies past the end.
  int FirstUpward(int start, TCharStarts& starts) const {
    int c = start < Length ? start : Length;
    while (c > Last()) c = starts.Before(c);
    return c;
  }
};

// The search with a quick test that passes over places the comparison cannot
// call equal. The places it lets through are taken in the order the stepwise
// scan would reach them, and only those the scan would compare at count.
template <class TFilter>
bool FindQuickly(const TFilter& filter, TRequest& request, bool down, int start, int& offset) {
  const char* text = request.Text;
  const int last = request.Last();
  if (down) {
    TCharStarts starts(text, start);
    for (int h = start; h <= last && (h = filter.NextDown(text, h, last)) >= 0; ++h) {
      if (starts.Has(h) && request.Matches(h)) {
        offset = h;
        return true;
      }
    }
    return false;
  }
  // Upwards the scan compares at its first candidate, then at every character
  // start before it.
  TCharStarts starts(text, 0);
  const int first = request.FirstUpward(start, starts);
  if (request.Matches(first)) {
    offset = first;
    return true;
  }
  for (int h = first - 1; h >= 0 && (h = filter.NextUp(text, h)) >= 0; --h) {
    if (starts.Has(h) && request.Matches(h)) {
      offset = h;
      return true;
    }
  }
  return false;
}

} // namespace

int CompareSameCase(const char* a, const char* b, int n) {
  return sys::CompareText({a, static_cast<size_t>(n)}, {b, static_cast<size_t>(n)}, false) - 2;
}

int CompareIgnoreCase(const char* a, const char* b, int n) {
  return sys::CompareText({a, static_cast<size_t>(n)}, {b, static_cast<size_t>(n)}, true) - 2;
}

bool IsWordChar(const char* p, const char* end) { return sys::IsLetterOrDigit(p, end); }

bool IsWholeWordAt(const char* text, int length, int offset, int findLength) {
  TCharStarts starts(text, 0);
  return WholeWordAt(text, length, offset, findLength, starts);
}

bool FindInTextStepwise(const char* text, int length, const char* findText, int findLength,
                        bool matchCase, bool wholeWord, bool down, int start, int& offset) {
  offset = -1;
  TRequest request(text, length, findText, findLength, matchCase, wholeWord);
  if (!request.CanFind(start)) return false;
  const int last = request.Last();
  if (down) {
    const char* end = text + length;
    for (int c = start; c <= last; c = static_cast<int>(sys::NextChar(text + c, end) - text)) {
      if (request.Matches(c)) {
        offset = c;
        return true;
      }
    }
    // Past last the find text no longer fits, even where a step over a
    // double-byte character overshoots last.
    return false;
  }
  TCharStarts starts(text, 0);
  for (int c = request.FirstUpward(start, starts);; c = starts.Before(c)) {
    if (request.Matches(c)) {
      offset = c;
      return true;
    }
    if (c <= 0) return false;
  }
}

bool FindInText(const char* text, int length, const char* findText, int findLength, bool matchCase,
                bool wholeWord, bool down, int start, int& offset) {
  offset = -1;
  TRequest request(text, length, findText, findLength, matchCase, wholeWord);
  if (!request.CanFind(start)) return false;
  if (const auto* map = sys::ComparisonByteMap(!matchCase))
    return FindQuickly(TPrefilter(*map, findText, findLength), request, down, start, offset);
  if (const auto* weights = sys::ComparisonWeights(!matchCase))
    return FindQuickly(TWeightFilter(*weights, findText, findLength), request, down, start, offset);
  return FindInTextStepwise(text, length, findText, findLength, matchCase, wholeWord, down, start,
                            offset);
}

bool SearchMemo(TSearchMemo& memo, const TSearchOptions& options) {
  const std::string& findText = options.FindText;
  if (findText.empty()) return false;
  const std::string text = memo.GetText();
  const int length = static_cast<int>(text.size());
  const int findLength = static_cast<int>(findText.size());
  const int selStart = memo.GetSelStart();
  const int selLength = memo.GetSelLength();
  TCharStarts starts(text.data(), 0);
  int p = selStart;
  for (;;) {
    int q;
    if (!FindInText(text.data(), length, findText.data(), findLength, options.MatchCase,
                    options.WholeWord, options.Down, p, q))
      return false;
    if (q != selStart || selLength != findLength) {
      memo.SetSelStart(q);
      memo.SetSelLength(findLength);
      memo.ScrollCaret();
      return true;
    }
    // The occurrence is the one already shown: go on a whole find text
    // further. Upwards that can land inside a double-byte character; its
    // start is where the scan may begin.
    p = options.Down ? q + findLength : q - findLength;
    if (!options.Down && p > 0 && p < length) p = starts.Before(p + 1);
  }
}
