// What the program's own modal dialogs share: running an in-memory template
// with DialogBoxIndirectParamA, routing its messages to the hooks of one
// object, and laying a design drawn at 120 dpi out at the dpi of the screen
// the dialog is on, centred on that screen's work area.
#pragma once

#include <exception>
#include <span>

#include <windows.h>

#include "handles.h"

#include <string>

// A control of a dialog's design. The place is in pixels at 120 dpi. A
// control without an id takes the next one from 100 in the design's order;
// the buttons that Enter and Escape press have IDOK and IDCANCEL. The live
// control's handle goes to Bind, when given, as the dialog starts.
struct TDesignPlace {
  int Left, Top, Width, Height;
};
struct TDialogControl {
  const char* Class;
  DWORD Style; // WS_CHILD and WS_VISIBLE are added
  TDesignPlace Place;
  const char* Caption = nullptr;
  DWORD ExStyle = 0;
  WORD Id = 0;
  HWND* Bind = nullptr;
};

// A dialog described once: its caption (none: the dialog sets it), its
// client size at 120 dpi and its controls in tab order.
struct TDialogDesign {
  const char* Caption;
  SIZE Client;
  std::span<const TDialogControl> Controls;
};

// Where a dialog goes on the work area: halving the room left (the program's
// own dialogs), or halving the area and the window apart (the standard
// message dialog), which can differ by a pixel.
enum class TCentring { HalfTheRoom, HalfEach };

// The work area of the screen a window is on; the primary screen's for none.
// The tests put a screen of their own in its place.
using TWorkAreaOf = RECT (*)(HWND window);
extern TWorkAreaOf WorkAreaOf;
RECT MonitorWorkArea(HWND window);

class TModalDialog {
public:
  TModalDialog() = default;
  TModalDialog(const TModalDialog&) = delete;
  TModalDialog& operator=(const TModalDialog&) = delete;
  virtual ~TModalDialog() = default;

protected:
  // Shows the dialog modally over owner, at the dpi of the owner's screen,
  // and returns the code it was ended with. Throws through CannotShow when
  // the dialog cannot be created, and raises again an exception that a hook
  // threw (it ended the dialog), so that none crosses the system's dialog
  // loop.
  INT_PTR Run(HWND owner, const TDialogDesign& design, HINSTANCE instance = nullptr);

  // The hooks. OnInit comes once the controls are bound and have their
  // captions; it sets the other texts and the focus. The dialog is then laid
  // out and centred. OnOk and OnCancel answer the OK and Cancel commands
  // (Enter and Escape included) and OnClose the close box: true ends the
  // dialog with IDOK or IDCANCEL. OnCommand gets every other command.
  virtual void OnInit() {}
  virtual bool OnOk() { return true; }
  virtual bool OnCancel() { return true; }
  virtual bool OnClose() { return OnCancel(); }
  virtual void OnCommand(WORD /*id*/, WORD /*notification*/) {}

  // Places the controls for dpi and gives the client size, in pixels, that
  // they need: when the dialog opens, and again when it moves to a screen of
  // another dpi. By default, where the design puts them, in the dialogs' font.
  virtual SIZE LayOut(int dpi);

  // Throws the failure of a dialog that cannot be created, while
  // GetLastError still tells why.
  [[noreturn]] virtual void CannotShow() const;

  // The live dialog's controls, by id.
  HWND Item(WORD id) const { return GetDlgItem(Handle, id); }
  std::string ItemText(WORD id) const;
  void SetItemText(WORD id, const std::string& text) const {
    SetDlgItemTextA(Handle, id, text.c_str());
  }
  // Focuses a control as the dialog keys do: an edit box gets its whole
  // text selected.
  void FocusControl(HWND control) const {
    SendMessageA(Handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  }
  // Moves a control to a place in pixels of the client area.
  static void Place(HWND control, const RECT& bounds) {
    MoveWindow(control, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, FALSE);
  }

  TCentring Centring = TCentring::HalfTheRoom;
  HWND Handle = nullptr; // the live dialog, null between runs
  HWND Owner = nullptr;  // of the run in progress

private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void Open();
  void Bind();
  void Centre();
  void DpiChanged(int dpi, const RECT& suggested);
  bool ScaledSize(int dpi, SIZE& size);
  SIZE FrameSize(SIZE client, int dpi) const;

  const TDialogDesign* Design = nullptr; // of the run in progress
  std::exception_ptr Failure;
  int Dpi = 96;
  bool Opening = false;
  bool Shown = false; // the first show is over
  TFontHandle Font;   // the dialogs' font at FontDpi, made anew when the dpi changes
  int FontDpi = 0;
};
