// A message box whose buttons carry captions chosen by the caller.
#pragma once

#include <string>

#include <windows.h>

enum TDialogKind { dkWarning, dkError, dkInformation, dkConfirmation, dkCustom };

// Shows the message with the kind's icon (or the given one; dkCustom shows
// none) and buttonCount buttons captioned by the lines of buttonCaptions,
// left to right. Escape and the close box stand for the button at
// cancelIndex (negative: none, and the close box is greyed); the button at
// defaultIndex has the focus. Returns the position of the button pressed, or
// -1 when the dialog closed in a way no button stands for (the close box
// with cancelIndex at or beyond buttonCount).
// Throws std::invalid_argument("The button count is invalid: " + count)
// before anything is shown when buttonCount is not 1 to 9.
int ShowChoiceDialog(HWND owner, const std::string& caption, const std::string& message,
                     TDialogKind kind, const std::string& buttonCaptions, int cancelIndex,
                     int defaultIndex, int buttonCount, HICON icon = nullptr);
