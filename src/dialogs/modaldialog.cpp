#include "modaldialog.h"

#include <stdexcept>
#include <utility>

INT_PTR TModalDialog::Run(HWND owner, const TDialogTemplate& layout, HINSTANCE instance) {
  Failure = nullptr;
  SetLastError(0);
  const INT_PTR result =
      DialogBoxIndirectParamA(instance != nullptr ? instance : GetModuleHandleA(nullptr),
                              layout.Get(), owner, Proc, reinterpret_cast<LPARAM>(this));
  const DWORD error = GetLastError();
  Handle = nullptr;
  if (Failure) std::rethrow_exception(std::exchange(Failure, nullptr));
  if (result == -1)
    throw std::runtime_error("The dialog cannot be shown: " + SystemErrorText(error));
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

std::string DefaultFontFace() {
  LOGFONTA font{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  return font.lfFaceName;
}

std::string SystemErrorText(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 ? std::string(text, length) : "Error " + std::to_string(error);
  LocalFree(text);
  while (!message.empty() && static_cast<unsigned char>(message.back()) <= ' ') message.pop_back();
  return message;
}
