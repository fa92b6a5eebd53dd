// What the program's own modal dialogs share: running an in-memory template
// with DialogBoxIndirectParamA and routing its messages to one object.
#pragma once

#include <exception>

#include <windows.h>

#include "dialogtemplate.h"

class TModalDialog {
public:
  TModalDialog() = default;
  TModalDialog(const TModalDialog&) = delete;
  TModalDialog& operator=(const TModalDialog&) = delete;
  virtual ~TModalDialog() = default;

protected:
  // Shows the dialog modally and returns the code it was ended with. Throws
  // std::runtime_error when the dialog cannot be created, and raises again
  // an exception that a handler threw (it ended the dialog), so that none
  // crosses the system's dialog loop.
  INT_PTR Run(HWND owner, const TDialogTemplate& layout, HINSTANCE instance = nullptr);

  // One dialog message; the result is the dialog procedure's (TRUE when
  // handled). WM_INITDIALOG arrives here with Handle already set.
  virtual INT_PTR Message(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  HWND Handle = nullptr; // the live dialog, null between runs

private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  std::exception_ptr Failure;
};
