#include "controls.h"

#include <algorithm>

#include <commctrl.h>

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

void TEdit::GetSelBytes(const std::string& text, int& start, int& end) const {
  const TEditPositions positions(*this, text);
  GetSel(start, end);
  start = positions.ToBytes(start);
  end = positions.ToBytes(end);
}

namespace {

int EndPosition(const TEdit& edit) {
  const LRESULT lines = edit.Send(EM_GETLINECOUNT);
  const LRESULT lastLine = edit.Send(EM_LINEINDEX, static_cast<WPARAM>(lines - 1));
  return static_cast<int>(lastLine + edit.Send(EM_LINELENGTH, static_cast<WPARAM>(lastLine)));
}

std::wstring WideText(HWND handle) {
  const int length = GetWindowTextLengthW(handle);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(handle, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

// The bytes the code page gives for units of UTF-16.
int BytesOf(const wchar_t* units, int count) {
  if (count <= 0) return 0;
  return WideCharToMultiByte(CP_ACP, 0, units, count, nullptr, 0, nullptr, nullptr);
}

} // namespace

TEditPositions::TEditPositions(const TEdit& edit, const std::string& text)
    : TEditPositions(EndPosition(edit), WideText(edit.Handle), text) {}

TEditPositions::TEditPositions(int endPosition, std::wstring wide, const std::string& text)
    : CountsUnits(endPosition == static_cast<int>(wide.size()) ||
                  endPosition != static_cast<int>(text.size())),
      Wide(std::move(wide)) {}

int TEditPositions::ToBytes(int position) const {
  if (!CountsUnits) return position;
  return BytesOf(Wide.data(), std::clamp(position, 0, static_cast<int>(Wide.size())));
}

int TEditPositions::ToPosition(int offset) const {
  if (!CountsUnits) return offset;
  const int size = static_cast<int>(Wide.size());
  const auto pairAt = [&](int unit) {
    return unit + 1 < size && IS_HIGH_SURROGATE(Wide[static_cast<size_t>(unit)]) &&
           IS_LOW_SURROGATE(Wide[static_cast<size_t>(unit) + 1]);
  };
  // Whole blocks first, then one character at a time in the block the offset
  // falls in; a surrogate pair is never split.
  constexpr int block = 4096;
  int units = 0, bytes = 0;
  while (units < size) {
    int end = std::min(size, units + block);
    if (pairAt(end - 1)) ++end;
    const int more = BytesOf(Wide.data() + units, end - units);
    if (bytes + more > offset) break;
    bytes += more;
    units = end;
  }
  while (units < size && bytes < offset) {
    const int end = units + (pairAt(units) ? 2 : 1);
    bytes += BytesOf(Wide.data() + units, end - units);
    units = end;
  }
  return units;
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
