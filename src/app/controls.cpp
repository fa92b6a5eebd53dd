#include "controls.h"

#include <commctrl.h>

std::string TControl::GetText() const {
  const int length = GetWindowTextLengthA(Handle);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(Handle, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

std::string TStatusBar::GetSimpleText() const {
  const auto length = LOWORD(Send(SB_GETTEXTLENGTHA, 0));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  Send(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}
