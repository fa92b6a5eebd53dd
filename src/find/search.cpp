#include "search.h"

#include <array>

#include "find/prefilter.h"
#include "util/platform.h"

namespace {

bool AnyLeadBytes() {
  for (bool lead : sys::LeadBytes())
    if (lead) return true;
  return false;
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Which offsets a scan that steps by whole characters from anchor passes. In
// a double-byte code page, a byte that cannot lead a character always ends
// one, so the next offset is a character start; the bytes that can lead pair
// up after it. The last run of such bytes measured is remembered, so a scan
// whose questions move in one direction reads every byte at most once, however
// long the runs. In UTF-8 a continuation byte belongs to the sequence of the
// nearest byte before it that is none, three bytes back at most.
class TCharStarts {
public:
  TCharStarts(const char* text, int length, int anchor)
      : Text(text), Length(length), Anchor(anchor), RunStart(anchor), RunEnd(anchor),
        DoubleByte(AnyLeadBytes()), Utf8(sys::IsUtf8()) {}

  // True when h (at or after the anchor) starts a character.
  bool Has(int h) {
    if (Utf8) return Utf8Start(h);
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

  // The start of the character that holds the byte before h (h > anchor), as
  // CharPrev finds it.
  int Before(int h) {
    if (Utf8) {
      int i = h - 1;
      while (!Utf8Start(i)) --i;
      return i;
    }
    return Has(h - 1) ? h - 1 : h - 2;
  }

private:
  bool Lead(int i) const { return sys::IsLeadByte(static_cast<unsigned char>(Text[i])); }

  bool Utf8Start(int h) const {
    if (h <= Anchor || h >= Length || !IsContinuation(Text[h])) return true;
    int q = h - 1;
    while (q > Anchor && h - q < 3 && IsContinuation(Text[q])) --q;
    return sys::Utf8Length(Text + q, Text + Length) <= h - q;
  }

  const char* Text;
  int Length, Anchor;
  // Bytes RunStart to RunEnd - 1 can all lead a character; RunStart starts one.
  int RunStart, RunEnd;
  bool DoubleByte, Utf8;
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
        MatchCase(matchCase), WholeWord(wholeWord), Utf8(sys::IsUtf8()), Starts(text, length, 0) {}

  const char* Text;
  int Length;
  const char* FindText;
  int FindLength;
  bool MatchCase, WholeWord, Utf8;
  TCharStarts Starts;

  int Last() const { return Length - FindLength; }

  bool Matches(int c) {
    const int differs = MatchCase ? CompareSameCase(Text + c, FindText, FindLength)
                                  : CompareIgnoreCase(Text + c, FindText, FindLength);
    // Windows reads the bytes of a UTF-8 sequence cut short as U+FFFD, which
    // its comparison may pass over: a place that ends inside a character is
    // no occurrence.
    return differs == 0 && (!Utf8 || Starts.Has(c + FindLength)) &&
           (!WholeWord || WholeWordAt(Text, Length, c, FindLength, Starts));
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
    TCharStarts starts(text, request.Length, start);
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
  TCharStarts starts(text, request.Length, 0);
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
  TCharStarts starts(text, length, 0);
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
  TCharStarts starts(text.data(), length, 0);
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
