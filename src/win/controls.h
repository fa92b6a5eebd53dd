// Thin, non-owning wrappers over the window handles of controls and the
// menu. Each method is one call and returns what the call returned.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

class TControl {
public:
  TControl() = default;
  explicit TControl(HWND handle) : Handle(handle) {}

  HWND Handle = nullptr;

  std::string GetText() const;
  BOOL SetText(const std::string& text) const { return SetWindowTextA(Handle, text.c_str()); }
  int GetTextLength() const { return GetWindowTextLengthA(Handle); }
  BOOL GetEnabled() const { return IsWindowEnabled(Handle); }
  BOOL SetEnabled(bool enabled) const { return EnableWindow(Handle, enabled); }
  BOOL SetVisible(bool visible) const { return ShowWindow(Handle, visible ? SW_SHOW : SW_HIDE); }
  HWND SetFocus() const { return ::SetFocus(Handle); }
  bool Focused() const { return GetFocus() == Handle; }
  LRESULT SetFont(HFONT font) const {
    return Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  // Moved to a place of its parent's client area, and drawn anew there: the
  // old picture may hold pixels of what stood there before, which the system
  // would otherwise copy along.
  BOOL Place(const RECT& r) const {
    return SetWindowPos(Handle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(Handle, message, wParam, lParam);
  }
};

// A single-line or multi-line edit control.
class TEdit : public TControl {
public:
  using TControl::TControl;
  LRESULT SetReadOnly(bool readOnly) const { return Send(EM_SETREADONLY, readOnly); }
  bool GetReadOnly() const { return (GetWindowLongA(Handle, GWL_STYLE) & ES_READONLY) != 0; }
  LRESULT SetSel(int start, int end) const { return Send(EM_SETSEL, start, end); }
  LRESULT SelectAll() const { return SetSel(0, -1); }
  // The selection in the control's own positions.
  void GetSel(int& start, int& end) const;
  // The selection as byte offsets into text, the control's whole text (see
  // TEditPositions).
  void GetSelBytes(const std::string& text, int& start, int& end) const;
  std::string GetSelText() const;
  LRESULT ReplaceSel(const char* text) const {
    return Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
  }
  LRESULT ScrollCaret() const { return Send(EM_SCROLLCARET); }
  // One tab stop every `units` dialog template units.
  LRESULT SetTabStops(int units) const {
    return Send(EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&units));
  }
};

// The positions of an edit control against byte offsets into its text as
// the "A" calls give it. A control of common controls 6 keeps its text in
// UTF-16 and counts its units, even when made by the "A" call, while its "A"
// text shows a character the code page lacks as "?"; an older control keeps
// the code page's bytes and counts them. The control's end position tells
// which. The texts must not change while the positions are in use.
class TEditPositions {
public:
  TEditPositions(const TEdit& edit, const std::string& text);
  // From the end position and the control's text in UTF-16 and as bytes.
  TEditPositions(int endPosition, std::wstring wide, const std::string& text);

  int ToBytes(int position) const;
  int ToPosition(int offset) const;

private:
  bool CountsUnits;
  std::wstring Wide;
};

// A check box or radio button: whether it is ticked.
class TCheckBox : public TControl {
public:
  using TControl::TControl;
  bool GetChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
  LRESULT SetChecked(bool checked) const { return Send(BM_SETCHECK, checked ? BST_CHECKED : 0); }
};

// A group box holding radio buttons, one of which is chosen.
class TRadioGroup : public TControl {
public:
  std::vector<TCheckBox> Items;

  // The index of the chosen item, -1 when none is.
  int GetItemIndex() const;
  void SetItemIndex(int index) const;
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

// One button of a toolbar, known by its command id.
class TToolButton {
public:
  HWND ToolBar = nullptr;
  int Id = 0;

  LRESULT SetEnabled(bool enabled) const {
    return SendMessageA(ToolBar, TB_ENABLEBUTTON, Id, MAKELPARAM(enabled, 0));
  }
  bool GetEnabled() const { return SendMessageA(ToolBar, TB_ISBUTTONENABLED, Id, 0) != 0; }
  LRESULT SetDown(bool down) const {
    return SendMessageA(ToolBar, TB_CHECKBUTTON, Id, MAKELPARAM(down, 0));
  }
  bool GetDown() const { return SendMessageA(ToolBar, TB_ISBUTTONCHECKED, Id, 0) != 0; }
};

// One item of the main menu, known by its command id.
class TMenuItem {
public:
  HMENU Menu = nullptr; // the menu bar; items are found in its submenus by id
  UINT Id = 0;

  DWORD SetEnabled(bool enabled) const {
    return EnableMenuItem(Menu, Id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
  bool GetEnabled() const;
  DWORD SetChecked(bool checked) const {
    return CheckMenuItem(Menu, Id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
  bool GetChecked() const;
  BOOL SetCaption(const std::string& caption) const;
  std::string GetCaption() const;
};
