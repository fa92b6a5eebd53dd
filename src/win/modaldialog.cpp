#include "modaldialog.h"

#include <utility>

#include "syserror.h"

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
    RaiseLastError("The dialog cannot be shown.");
  }
  return result;
}

INT_PTR CALLBACK TModalDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TModalDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<TModalDialog*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    self->Handle = dialog;
  }
  if (self == nullptr || self->Failure) return FALSE;
  try {
    return self->Message(message, wParam, lParam);
  } catch (...) {
    self->Failure = std::current_exception();
    EndDialog(dialog, 0);
    return TRUE;
  }
}
