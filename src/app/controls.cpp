#include "controls.h"

#include <algorithm>

#include <commctrl.h>

#include "util/platform.h"

std::string TControl::GetText() const {
  const int length = GetWindowTextLengthA(Handle);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(Handle, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void TEdit::GetSel(int& start, int& end) const {
  DWORD first = 0, last = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
  start = static_cast<int>(first);
  end = static_cast<int>(last);
}

namespace {

// The number of characters in the first bytes of text.
int CharactersIn(const std::string& text, int bytes) {
  const char* start = text.data();
  const char* end = start + std::min<size_t>(text.size(), static_cast<size_t>(std::max(bytes, 0)));
  int count = 0;
  for (const char* p = start; p < end; p = sys::NextChar(p, end)) ++count;
  return count;
}

// The byte offset of a character position.
int BytesBefore(const std::string& text, int characters) {
  const char* start = text.data();
  const char* end = start + text.size();
  const char* p = start;
  for (int i = 0; i < characters && p < end; ++i) p = sys::NextChar(p, end);
  return static_cast<int>(p - start);
}

} // namespace

// The control's position of the text's end tells its unit: the byte count,
// or the character count when that differs.
static bool CountsCharacters(const TEdit& edit, const std::string& text) {
  const LRESULT lines = edit.Send(EM_GETLINECOUNT);
  const LRESULT lastLine = edit.Send(EM_LINEINDEX, static_cast<WPARAM>(lines - 1));
  const LRESULT endPosition = lastLine + edit.Send(EM_LINELENGTH, static_cast<WPARAM>(lastLine));
  return endPosition != static_cast<LRESULT>(text.size());
}

void TEdit::GetSelBytes(const std::string& text, int& start, int& end) const {
  GetSel(start, end);
  if (!CountsCharacters(*this, text)) return;
  start = BytesBefore(text, start);
  end = BytesBefore(text, end);
}

void TEdit::SetSelBytes(const std::string& text, int start, int end) const {
  if (CountsCharacters(*this, text)) {
    start = CharactersIn(text, start);
    end = CharactersIn(text, end);
  }
  SetSel(start, end);
}

std::string TEdit::GetSelText() const {
  const std::string text = GetText();
  int start = 0, end = 0;
  GetSelBytes(text, start, end);
  if (end <= start || static_cast<size_t>(end) > text.size()) return std::string();
  return text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

std::string TStatusBar::GetSimpleText() const {
  const auto length = LOWORD(Send(SB_GETTEXTLENGTHA, 0));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  Send(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

bool TMenuItem::GetEnabled() const {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  return GetMenuItemInfoA(Menu, Id, FALSE, &info) && (info.fState & MFS_DISABLED) == 0;
}

bool TMenuItem::GetChecked() const {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  return GetMenuItemInfoA(Menu, Id, FALSE, &info) && (info.fState & MFS_CHECKED) != 0;
}

BOOL TMenuItem::SetCaption(const std::string& caption) const {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(caption.c_str());
  return SetMenuItemInfoA(Menu, Id, FALSE, &info);
}

std::string TMenuItem::GetCaption() const {
  const int length = GetMenuStringA(Menu, Id, nullptr, 0, MF_BYCOMMAND);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetMenuStringA(Menu, Id, text.data(), length + 1, MF_BYCOMMAND);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

int TRadioGroup::GetItemIndex() const {
  for (size_t i = 0; i < Items.size(); ++i)
    if (Items[i].GetChecked()) return static_cast<int>(i);
  return -1;
}

void TRadioGroup::SetItemIndex(int index) const {
  for (size_t i = 0; i < Items.size(); ++i) Items[i].SetChecked(static_cast<int>(i) == index);
}
