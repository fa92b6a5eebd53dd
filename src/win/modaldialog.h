// What the program's own modal dialogs share: running an in-memory template
// with DialogBoxIndirectParamA, routing its messages to one object, and
// placing a design drawn at 120 dpi on the screen.
#pragma once

#include <exception>
#include <span>

#include <windows.h>

#include "dialogtemplate.h"

// A control's place in a design, in pixels at 120 dpi.
struct TDesignPlace {
  WORD Id;
  int Left, Top, Width, Height;
};

// Where a dialog sized by its client area goes on the screen: halving the
// room left (the program's own dialogs), or halving screen and window apart
// (the standard message dialog), which can differ by a pixel.
enum class TCentring { HalfTheRoom, HalfEach };

class TModalDialog {
public:
  TModalDialog() = default;
  TModalDialog(const TModalDialog&) = delete;
  TModalDialog& operator=(const TModalDialog&) = delete;
  virtual ~TModalDialog();

protected:
  // Shows the dialog modally and returns the code it was ended with. Throws
  // through CannotShow when the dialog cannot be created, and raises again
  // an exception that a handler threw (it ended the dialog), so that none
  // crosses the system's dialog loop.
  INT_PTR Run(HWND owner, const TDialogTemplate& layout, HINSTANCE instance = nullptr);

  // One dialog message; the result is the dialog procedure's (TRUE when
  // handled). WM_INITDIALOG arrives here with Handle already set.
  virtual INT_PTR Message(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  // Throws the failure of a dialog that cannot be created, while
  // GetLastError still tells why.
  [[noreturn]] virtual void CannotShow() const;

  // Lays out a design at the dpi: each control gets the dialogs' font and
  // its place, and the dialog the client size, centred on the screen.
  void PlaceDesign(std::span<const TDesignPlace> places, SIZE client, int dpi);
  // Sizes the dialog to the client size in pixels and centres it on the
  // screen.
  void CentreOnScreen(SIZE client, TCentring centring = TCentring::HalfTheRoom) const;

  HWND Handle = nullptr; // the live dialog, null between runs

private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  std::exception_ptr Failure;
  HFONT Font = nullptr; // the dialogs' font at FontDpi, made anew when the dpi changes
  int FontDpi = 0;
};
