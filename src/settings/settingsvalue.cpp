#include "settingsvalue.h"

#include <cstdint>
#include <utility>

#include "commatext.h"
#include "util/platform.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool SameAsciiText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// A floating-point number in the user's number format: blanks, a sign,
// digits with one decimal separator, an exponent, blanks. Gives whether it is
// a number and, if so, whether it is zero; an exponent cannot make a non-zero
// number zero.
bool ParseNumber(std::string_view text, bool& isZero) {
  const char separator = sys::DecimalSeparator();
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  int digits = 0;
  isZero = true;
  for (; i < n && IsDigit(text[i]); ++i, ++digits) isZero = isZero && text[i] == '0';
  if (i < n && text[i] == separator) {
    for (++i; i < n && IsDigit(text[i]); ++i, ++digits) isZero = isZero && text[i] == '0';
  }
  if (digits == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == n || !IsDigit(text[i])) return false;
    while (i < n && IsDigit(text[i])) ++i;
  }
  while (i < n && text[i] == ' ') ++i;
  return i == n;
}

// Reads the fields of a value by position; false when the position is beyond
// the list or its text does not convert.
class TFieldReader {
public:
  explicit TFieldReader(TStringList fields) : Fields(std::move(fields)) {}

  bool Text(size_t pos, std::string& value) const {
    if (pos >= Fields.size()) return false;
    value = Fields[pos];
    return true;
  }
  bool Bool(size_t pos, bool& value) const {
    return pos < Fields.size() && TryTextToBool(Fields[pos], value);
  }
  bool Int(size_t pos, int& value) const {
    return pos < Fields.size() && TryTextToInt(Fields[pos], value);
  }

private:
  TStringList Fields;
};

} // namespace

std::string BoolToText(bool value) { return value ? "-1" : "0"; }

bool TryTextToBool(std::string_view text, bool& value) {
  bool isZero;
  if (ParseNumber(text, isZero)) {
    value = !isZero;
    return true;
  }
  if (SameAsciiText(text, "True")) {
    value = true;
    return true;
  }
  if (SameAsciiText(text, "False")) {
    value = false;
    return true;
  }
  return false;
}

std::string IntToText(int value) { return std::to_string(value); }

bool TryTextToInt(std::string_view text, int& value) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == n) return false;
  // The magnitude may reach 2^31 for the most negative value; anything more
  // is out of range, and the check comes before the next digit can overflow.
  const std::int64_t limit = negative ? 0x80000000LL : 0x7FFFFFFFLL;
  std::int64_t magnitude = 0;
  for (; i < n; ++i) {
    const int digit = base == 16 ? HexDigit(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}

std::string MakeSettingsValue(const TSettings& settings) {
  const TViewOptions& view = settings.ViewOptions;
  const TExamOptions& exam = settings.ExamOptions;
  TStringList fields = {
      settings.HistoryText,
      BoolToText(view.Toolbar),
      BoolToText(view.ToolbarCaptions),
      view.FontName,
      IntToText(view.FontSize),
      IntToText(view.FontStyleToBits()),
      IntToText(view.TabWidth),
      BoolToText(view.SwapPanels),
      BoolToText(view.StatusBar),
      BoolToText(view.LastPosition),
      BoolToText(view.Topmost),
      BoolToText(exam.Shuffle),
      BoolToText(exam.Swap),
      BoolToText(exam.CaseSensitive),
      IntToText(settings.WindowState),
      IntToText(settings.Left),
      IntToText(settings.Top),
      IntToText(settings.Right),
      IntToText(settings.Bottom),
  };
  for (const TDialogSettings& dialog : settings.Dialogs) {
    fields.push_back(dialog.Folder);
    fields.push_back(IntToText(dialog.FilterIndex));
  }
  fields.emplace_back();
  return JoinCommaText(fields);
}

TSettingsRead ReadSettingsValue(std::string_view value, const TSettings& current) {
  TSettingsRead read;
  read.Settings = current;
  TSettings& to = read.Settings;
  const TFieldReader field(SplitCommaText(value));
  read.Failed = true; // until the last field has been read

  if (!field.Text(0, to.HistoryText)) return read;
  read.HistoryRead = true;

  TViewOptions view = current.ViewOptions;
  int style = 0;
  if (!(field.Bool(1, view.Toolbar) && field.Bool(2, view.ToolbarCaptions) &&
        field.Text(3, view.FontName) && field.Int(4, view.FontSize) && field.Int(5, style) &&
        field.Int(6, view.TabWidth) && field.Bool(7, view.SwapPanels) &&
        field.Bool(8, view.StatusBar) && field.Bool(9, view.LastPosition) &&
        field.Bool(10, view.Topmost)))
    return read;
  view.BitsToFontStyle(style);
  to.ViewOptions = view;
  read.ViewOptionsRead = true;

  TExamOptions exam = current.ExamOptions;
  if (!(field.Bool(11, exam.Shuffle) && field.Bool(12, exam.Swap) &&
        field.Bool(13, exam.CaseSensitive)))
    return read;
  to.ExamOptions = exam;
  read.ExamOptionsRead = true;

  int state = 0, left = 0, top = 0, right = 0, bottom = 0;
  if (!(field.Int(14, state) && field.Int(15, left) && field.Int(16, top) && field.Int(17, right) &&
        field.Int(18, bottom)))
    return read;
  to.WindowState = state;
  to.Left = left;
  to.Top = top;
  to.Right = right;
  to.Bottom = bottom;
  read.BoundsRead = true;

  for (size_t i = 0; i < to.Dialogs.size(); ++i) {
    if (!field.Text(19 + 2 * i, to.Dialogs[i].Folder)) return read;
    ++read.FoldersRead;
    if (!field.Int(20 + 2 * i, to.Dialogs[i].FilterIndex)) return read;
    ++read.FilterIndexesRead;
  }
  read.Failed = false;
  return read;
}
