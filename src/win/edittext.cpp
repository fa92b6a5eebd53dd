#include "edittext.h"

#include <algorithm>

#include "util/platform.h"

namespace {

// What the control makes of text handed to it and then asked for again: it
// keeps UTF-16 and gives the code page back, up to the first NUL, which ends
// what the "A" calls pass on.
std::string AsTheControlHoldsIt(const std::string& text) {
  const int length = static_cast<int>(std::min(text.find('\0'), text.size()));
  if (length == 0) return std::string();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  wide.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), length)));
  const int wideLength = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string held(static_cast<size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, held.data(), size, nullptr, nullptr);
  return held;
}

// True when the code page reads every byte of text (up to a NUL) as part of
// a character. Of a sequence it cannot read, a lead byte before CR LF or a
// byte no character has, the control's own conversion and
// MultiByteToWideChar may differ on whether the next byte is taken; the copy
// of such text is then read back from the control.
bool ValidInCodePage(const std::string& text) {
  const int length = static_cast<int>(std::min(text.find('\0'), text.size()));
  return length == 0 ||
         MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0) > 0;
}

// The control's position at the end of its text, from its own line figures.
int EndPosition(const TEdit& edit) {
  const LRESULT lines = edit.Send(EM_GETLINECOUNT);
  const LRESULT lastLine = edit.Send(EM_LINEINDEX, static_cast<WPARAM>(lines - 1));
  return static_cast<int>(lastLine + edit.Send(EM_LINELENGTH, static_cast<WPARAM>(lastLine)));
}

// A mark every so many bytes.
constexpr int kMarkSpacing = 1 << 16;

// The control's units for the character from p to next: a UTF-8 sequence of
// four bytes is a surrogate pair.
int UnitsOf(const char* p, const char* next, bool utf8) { return utf8 && next - p == 4 ? 2 : 1; }

} // namespace

void TEditText::Set(const std::string& text) {
  Edit.SetText(text);
  Forget();
  if (!ValidInCodePage(text)) return;
  // Known again only once the text is whole.
  Text = AsTheControlHoldsIt(text);
  Known = true;
}

void TEditText::Append(const std::string& text) {
  // The caret goes to the end without asking for the text's length, which
  // the control may have to count from the start every time.
  Edit.SetSel(0x7FFFFFFF, 0x7FFFFFFF);
  Edit.ReplaceSel(text.c_str());
  if (!Known) return;
  if (!ValidInCodePage(text)) return Forget();
  // What stands before is as it was, and so are the marks; how the control
  // counts is asked again, for the new text may hold what the old did not.
  Known = false;
  Count = TCount::Unknown;
  ExactPositions.reset();
  Text += AsTheControlHoldsIt(text);
  Known = true;
}

void TEditText::Forget() {
  Known = false;
  Text.clear();
  Count = TCount::Unknown;
  Marks.clear();
  ExactPositions.reset();
}

const std::string& TEditText::Get() const {
  if (!Known) {
    Text = Edit.GetText();
    Known = true;
  }
  return Text;
}

// A control of common controls 6 counts UTF-16 units, even when made by the
// "A" call, one for each character of its "A" text (a "?" for one the code
// page lacks), two for a UTF-8 sequence of four bytes; an older control counts
// the code page's bytes. The end of the text tells which; where neither fits,
// the control's own UTF-16 text is converted (TEditPositions).
void TEditText::Learn() const {
  Get();
  const int end = EndPosition(Edit);
  if (end == static_cast<int>(Text.size())) {
    Count = TCount::Bytes;
    return;
  }
  Count = TCount::Characters;
  if (ToPosition(static_cast<int>(Text.size())) != end) {
    Count = TCount::Exact;
    ExactPositions = std::make_unique<TEditPositions>(Edit, Text);
  }
}

// The last mark at or before value, the marks made up to there first.
const std::pair<int, int>& TEditText::MarkBefore(int value, bool byPosition) const {
  if (Marks.empty()) Marks.emplace_back(0, 0);
  const char* begin = Text.data();
  const char* end = begin + Text.size();
  const bool utf8 = sys::IsUtf8();
  const auto past = [&](const std::pair<int, int>& mark) {
    return (byPosition ? mark.second : mark.first) > value;
  };
  while (!past(Marks.back()) &&
         Marks.back().first + kMarkSpacing <= static_cast<int>(Text.size())) {
    auto [offset, position] = Marks.back();
    const char* p = begin + offset;
    const char* stop = begin + offset + kMarkSpacing;
    while (p < stop) {
      const char* next = sys::NextChar(p, end);
      position += UnitsOf(p, next, utf8);
      p = next;
    }
    Marks.emplace_back(static_cast<int>(p - begin), position);
  }
  const auto after = std::upper_bound(Marks.begin(), Marks.end(), value,
                                      [byPosition](int v, const std::pair<int, int>& mark) {
                                        return v < (byPosition ? mark.second : mark.first);
                                      });
  return *(after - 1);
}

int TEditText::ToBytes(int position) const {
  if (Count == TCount::Unknown) Learn();
  if (Count == TCount::Bytes) return std::clamp(position, 0, static_cast<int>(Text.size()));
  if (Count == TCount::Exact) return ExactPositions->ToBytes(position);
  auto [offset, at] = MarkBefore(std::max(position, 0), true);
  const char* end = Text.data() + Text.size();
  const bool utf8 = sys::IsUtf8();
  for (const char* p = Text.data() + offset; p < end && at < position;) {
    const char* next = sys::NextChar(p, end);
    at += UnitsOf(p, next, utf8);
    offset = static_cast<int>(next - Text.data());
    p = next;
  }
  return offset;
}

int TEditText::ToPosition(int offset) const {
  if (Count == TCount::Unknown) Learn();
  offset = std::clamp(offset, 0, static_cast<int>(Text.size()));
  if (Count == TCount::Bytes) return offset;
  if (Count == TCount::Exact) return ExactPositions->ToPosition(offset);
  auto [at, position] = MarkBefore(offset, false);
  const char* end = Text.data() + Text.size();
  const bool utf8 = sys::IsUtf8();
  for (const char* p = Text.data() + at; p < Text.data() + offset;) {
    const char* next = sys::NextChar(p, end);
    position += UnitsOf(p, next, utf8);
    p = next;
  }
  return position;
}

void TEditText::GetSelection(int& start, int& end) const {
  Get();
  int first = 0, last = 0;
  Edit.GetSel(first, last);
  start = ToBytes(first);
  end = ToBytes(last);
}

void TEditText::Select(int start, int end) const {
  Get();
  Edit.SetSel(ToPosition(start), ToPosition(end));
}

std::string TEditText::SelectedText() const {
  int start = 0, end = 0;
  GetSelection(start, end);
  if (end <= start) return std::string();
  return Text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}
