// What the program's own modal dialogs share: running an in-memory template
// with DialogBoxIndirectParamA, routing its messages to the hooks of one
// object, and laying a design drawn at 120 dpi out at the dpi of the screen
// the dialog is on, centred on that screen's work area.
#pragma once

#include <exception>
#include <span>

#include <windows.h>

#include "dialogtemplate.h"
#include "handles.h"

// A control's place in a design, in pixels at 120 dpi.
struct TDesignPlace {
  WORD Id;
  int Left, Top, Width, Height;
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
  INT_PTR Run(HWND owner, const TDialogTemplate& layout, HINSTANCE instance = nullptr);

  // The hooks. OnInit sets the texts and the focus; the dialog is then laid
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
  // another dpi.
  virtual SIZE LayOut(int dpi) = 0;

  // Throws the failure of a dialog that cannot be created, while
  // GetLastError still tells why.
  [[noreturn]] virtual void CannotShow() const;

  // Gives each control of a design its place at the dpi and the dialogs'
  // font; returns the client size at the dpi.
  SIZE PlaceDesign(std::span<const TDesignPlace> places, SIZE client, int dpi);

  TCentring Centring = TCentring::HalfTheRoom;
  HWND Handle = nullptr; // the live dialog, null between runs
  HWND Owner = nullptr;  // of the run in progress

private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void Open();
  void Centre();
  void DpiChanged(int dpi, const RECT& suggested);
  bool ScaledSize(int dpi, SIZE& size);
  SIZE FrameSize(SIZE client, int dpi) const;

  std::exception_ptr Failure;
  int Dpi = 96;
  bool Opening = false;
  bool Shown = false; // the first show is over
  TFontHandle Font;   // the dialogs' font at FontDpi, made anew when the dpi changes
  int FontDpi = 0;
};
