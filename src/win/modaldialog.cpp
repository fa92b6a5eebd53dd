#include "modaldialog.h"

#include <utility>

#include "dpi.h"
#include "fonts.h"
#include "syserror.h"
#include "windowobject.h"

TModalDialog::~TModalDialog() {
  if (Font != nullptr) DeleteObject(Font);
}

INT_PTR TModalDialog::Run(HWND owner, const TDialogTemplate& layout, HINSTANCE instance) {
  Failure = nullptr;
  SetLastError(0);
  const INT_PTR result =
      DialogBoxIndirectParamA(instance != nullptr ? instance : GetModuleHandleA(nullptr),
                              layout.Get(), owner, Proc, reinterpret_cast<LPARAM>(this));
  const DWORD error = GetLastError();
  Handle = nullptr;
  if (Failure) std::rethrow_exception(std::exchange(Failure, nullptr));
  if (result == -1) {
    SetLastError(error);
    CannotShow();
  }
  return result;
}

void TModalDialog::CannotShow() const { RaiseLastError("The dialog cannot be shown."); }

INT_PTR CALLBACK TModalDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<TModalDialog>(dialog, message, lParam);
  if (self == nullptr || self->Failure) return FALSE;
  if (message == WM_INITDIALOG) self->Handle = dialog;
  try {
    return self->Message(message, wParam, lParam);
  } catch (...) {
    self->Failure = std::current_exception();
    EndDialog(dialog, 0);
    return TRUE;
  }
}

void TModalDialog::PlaceDesign(std::span<const TDesignPlace> places, SIZE client, int dpi) {
  if (Font == nullptr || dpi != FontDpi) {
    if (Font != nullptr) DeleteObject(Font);
    Font = CreateWindowFont(dpi);
    FontDpi = dpi;
  }
  const auto scale = [dpi](int pixels) { return ScaleDesign(pixels, dpi); };
  for (const TDesignPlace& place : places) {
    const HWND control = GetDlgItem(Handle, place.Id);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
    MoveWindow(control, scale(place.Left), scale(place.Top), scale(place.Width),
               scale(place.Height), FALSE);
  }
  CentreOnScreen({scale(client.cx), scale(client.cy)});
}

void TModalDialog::CentreOnScreen(SIZE client, TCentring centring) const {
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(Handle, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(Handle, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const bool halfEach = centring == TCentring::HalfEach;
  const int left = halfEach ? screenWidth / 2 - width / 2 : (screenWidth - width) / 2;
  const int top = halfEach ? screenHeight / 2 - height / 2 : (screenHeight - height) / 2;
  SetWindowPos(Handle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
