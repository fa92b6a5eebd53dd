// A window and the object that stands behind it.
#pragma once

#include <windows.h>

// The object a window or dialog was created for. Its pointer comes with the
// first message that carries it (WM_NCCREATE's creation parameters for a
// window, WM_INITDIALOG's parameter for a dialog) and is kept in the window's
// user data from then on; null before, and after ReleaseWindowObject.
template <typename TObject> TObject* WindowObject(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE)
    lParam = reinterpret_cast<LPARAM>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
  if (message == WM_NCCREATE || message == WM_INITDIALOG)
    SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
  return reinterpret_cast<TObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Parts the window from its object, whose later messages then find none.
inline void ReleaseWindowObject(HWND window) { SetWindowLongPtrA(window, GWLP_USERDATA, 0); }
