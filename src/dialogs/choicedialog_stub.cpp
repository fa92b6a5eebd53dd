#include "choicedialog.h"

#include <stdexcept>

int ShowChoiceDialog(HWND owner, const std::string& caption, const std::string& message,
                     TDialogKind, const std::string&, int, int, int buttonCount, HICON) {
  if (buttonCount < 1 || buttonCount > 9)
    throw std::invalid_argument("The button count is invalid: " + std::to_string(buttonCount));
  return MessageBoxA(owner, message.c_str(), caption.c_str(), MB_OK) == IDOK ? 0 : -1;
}
