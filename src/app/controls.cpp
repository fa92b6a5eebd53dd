#include "controls.h"

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

std::string TEdit::GetSelText() const {
  int start = 0, end = 0;
  GetSel(start, end);
  if (end <= start) return std::string();
  const std::string text = GetText();
  if (static_cast<size_t>(end) > text.size()) return std::string();
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
