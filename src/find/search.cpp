#include "search.h"

#include <array>

#include "find/prefilter.h"
#include "util/platform.h"
#include "util/utf8weights.h"

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
        MatchCase(matchCase), WholeWord(wholeWord), Utf8(sys::IsUtf8()),
        // A byte map keeps lengths: texts it calls equal have as many bytes.
        OtherLengths(Utf8 && sys::ComparisonByteMap(!matchCase) == nullptr),
        FindChars(OtherLengths ? CountChars(findText, findLength) : findLength),
        Starts(text, length, 0) {}

  const char* Text;
  int Length;
  const char* FindText;
  int FindLength;
  bool MatchCase, WholeWord, Utf8;
  // Whether a text of as many characters as the find text is compared too
  // where it has another length (see FindInText).
  bool OtherLengths;
  int FindChars;
  TCharStarts Starts;
  // The length of the occurrence Matches found last.
  int MatchLength = -1;

  // The fewest bytes an occurrence can take, and the last place where it
  // fits.
  int Shortest() const { return OtherLengths ? FindChars : FindLength; }
  int Last() const { return Length - Shortest(); }

  bool Matches(int c) {
    if (c + FindLength <= Length && MatchesOver(c, FindLength)) return true;
    if (!OtherLengths) return false;
    const int n = CharsLength(c, FindChars);
    return n > 0 && n != FindLength && MatchesOver(c, n);
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

private:
  static int CountChars(const char* text, int length) {
    int count = 0;
    for (const char* p = text; p < text + length; p = sys::NextChar(p, text + length)) ++count;
    return count;
  }

  // The bytes of count characters from c; -1 when the text ends before.
  int CharsLength(int c, int count) const {
    const char* end = Text + Length;
    const char* p = Text + c;
    for (; count > 0 && p < end; --count) p = sys::NextChar(p, end);
    return count == 0 ? static_cast<int>(p - (Text + c)) : -1;
  }

  // The n bytes at c against the find text.
  bool MatchesOver(int c, int n) {
    const bool equal = sys::SameText({Text + c, static_cast<size_t>(n)},
                                     {FindText, static_cast<size_t>(FindLength)}, !MatchCase);
    // Windows reads the bytes of a UTF-8 sequence cut short as U+FFFD, which
    // its comparison may pass over: a place that ends inside a character is
    // no occurrence.
    if (!equal || (Utf8 && !Starts.Has(c + n)) ||
        (WholeWord && !WholeWordAt(Text, Length, c, n, Starts)))
      return false;
    MatchLength = n;
    return true;
  }
};

// The search with a quick test that passes over places the comparison cannot
// call equal. The places it lets through are taken in the order the stepwise
// scan would reach them, and only those the scan would compare at count.
template <class TFilter>
bool FindQuickly(TFilter&& filter, TRequest& request, bool down, int start, int& offset) {
  const char* text = request.Text;
  const int last = request.Last();
  if (down) {
    TCharStarts starts(text, request.Length, start);
    int h = start;
    // In UTF-8 a scan that starts inside a character takes the bytes of it
    // that follow for characters of their own, which a filter that reads the
    // text by its characters does not: those places are compared as they are.
    for (; request.Utf8 && h <= last && !request.Starts.Has(h); ++h) {
      if (request.Matches(h)) {
        offset = h;
        return true;
      }
    }
    for (; h <= last && (h = filter.NextDown(text, h, last)) >= 0; ++h) {
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
                        bool matchCase, bool wholeWord, bool down, int start, int& offset,
                        int& matchLength) {
  offset = matchLength = -1;
  TRequest request(text, length, findText, findLength, matchCase, wholeWord);
  if (!request.CanFind(start)) return false;
  const int last = request.Last();
  int c = -1;
  if (down) {
    const char* end = text + length;
    // Past last nothing compared fits, even where a step over a double-byte
    // character overshoots last.
    for (c = start; c <= last && !request.Matches(c);
         c = static_cast<int>(sys::NextChar(text + c, end) - text)) {}
    if (c > last) return false;
  } else {
    TCharStarts starts(text, length, 0);
    for (c = request.FirstUpward(start, starts); !request.Matches(c); c = starts.Before(c))
      if (c <= 0) return false;
  }
  offset = c;
  matchLength = request.MatchLength;
  return true;
}

bool FindInTextStepwise(const char* text, int length, const char* findText, int findLength,
                        bool matchCase, bool wholeWord, bool down, int start, int& offset) {
  int matchLength = 0;
  return FindInTextStepwise(text, length, findText, findLength, matchCase, wholeWord, down, start,
                            offset, matchLength);
}

bool FindInText(const char* text, int length, const char* findText, int findLength, bool matchCase,
                bool wholeWord, bool down, int start, int& offset, int& matchLength) {
  offset = matchLength = -1;
  TRequest request(text, length, findText, findLength, matchCase, wholeWord);
  if (!request.CanFind(start)) return false;
  bool found;
  if (auto* utf8 = request.Utf8 ? sys::Utf8Weights(!matchCase) : nullptr)
    found = FindQuickly(TUtf8Filter(*utf8, text, length, findText, findLength,
                                    request.OtherLengths ? request.FindChars : 0),
                        request, down, start, offset);
  else if (const auto* map = sys::ComparisonByteMap(!matchCase))
    found = FindQuickly(TPrefilter(*map, findText, findLength), request, down, start, offset);
  else if (const auto* weights = sys::ComparisonWeights(!matchCase))
    found =
        FindQuickly(TWeightFilter(*weights, findText, findLength), request, down, start, offset);
  else
    return FindInTextStepwise(text, length, findText, findLength, matchCase, wholeWord, down, start,
                              offset, matchLength);
  if (found) matchLength = request.MatchLength;
  return found;
}

bool FindInText(const char* text, int length, const char* findText, int findLength, bool matchCase,
                bool wholeWord, bool down, int start, int& offset) {
  int matchLength = 0;
  return FindInText(text, length, findText, findLength, matchCase, wholeWord, down, start, offset,
                    matchLength);
}

bool SearchMemo(TSearchTarget& memo, const TSearchOptions& options) {
  const std::string& findText = options.FindText;
  if (findText.empty()) return false;
  const std::string& text = memo.GetText();
  const int length = static_cast<int>(text.size());
  const int findLength = static_cast<int>(findText.size());
  const int selStart = memo.GetSelStart();
  const int selLength = memo.GetSelLength();
  TCharStarts starts(text.data(), length, 0);
  // The occurrence already shown, once passed over.
  int shown = -1;
  for (int p = selStart;;) {
    int q, n;
    if (!FindInText(text.data(), length, findText.data(), findLength, options.MatchCase,
                    options.WholeWord, options.Down, p, q, n))
      return false;
    if (shown < 0 && q == selStart && n == selLength) {
      // Go on past it: downwards from its end; upwards from where an
      // occurrence of the shortest length that ends at its start would begin
      // (the find text's length, or in UTF-8 its number of characters), which
      // can land inside a double-byte character, whose start is where the scan
      // may begin.
      shown = q;
      if (options.Down) {
        p = q + n;
      } else {
        p = q -
            TRequest(nullptr, 0, findText.data(), findLength, options.MatchCase, false).Shortest();
        if (p > 0 && p < length) p = starts.Before(p + 1);
      }
    } else if (!options.Down && shown >= 0 && q + n > shown) {
      // An occurrence longer than the find text that overlaps the one shown.
      if (q <= 0) return false;
      p = starts.Before(q);
    } else {
      memo.SetSelStart(q);
      memo.SetSelLength(n);
      memo.ScrollCaret();
      return true;
    }
  }
}
