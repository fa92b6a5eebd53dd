// The program's message boxes, each kind with its icon and buttons, captioned
// by the caller and brought to the foreground.
#pragma once

#include <string>

#include <windows.h>

enum TMessageKind : UINT {
  mkError = MB_OK | MB_ICONHAND,                     // a failure or a refusal
  mkConfirmation = MB_OKCANCEL | MB_ICONEXCLAMATION, // a question, OK the default
  mkInformation = MB_OK | MB_ICONINFORMATION,
};

// Returns only once the user answered; true for OK.
inline bool ShowMessage(HWND owner, const std::string& text, const std::string& caption,
                        TMessageKind kind) {
  return MessageBoxA(owner, text.c_str(), caption.c_str(), kind | MB_SETFOREGROUND) == IDOK;
}
