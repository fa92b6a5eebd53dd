// Thin, non-owning wrappers over the window handles of controls. Each method
// is one call and returns what the call returned.
#pragma once

#include <string>

#include <windows.h>

#include <commctrl.h>

class TControl {
public:
  TControl() = default;
  explicit TControl(HWND handle) : Handle(handle) {}

  HWND Handle = nullptr;

  std::string GetText() const;
  BOOL SetText(const std::string& text) const { return SetWindowTextA(Handle, text.c_str()); }
  BOOL GetEnabled() const { return IsWindowEnabled(Handle); }
  BOOL SetEnabled(bool enabled) const { return EnableWindow(Handle, enabled); }
  BOOL GetVisible() const { return IsWindowVisible(Handle); }
  BOOL SetVisible(bool visible) const { return ShowWindow(Handle, visible ? SW_SHOW : SW_HIDE); }
  HWND SetFocus() const { return ::SetFocus(Handle); }
  BOOL SetBounds(int left, int top, int width, int height) const {
    return MoveWindow(Handle, left, top, width, height, TRUE);
  }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(Handle, message, wParam, lParam);
  }
};

// A status bar of one part that spans the window: one text.
class TStatusBar : public TControl {
public:
  using TControl::TControl;
  std::string GetSimpleText() const;
  LRESULT SetSimpleText(const std::string& text) const {
    return Send(SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  LRESULT MakeOnePart() const {
    int right = -1;
    return Send(SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
  }
};
