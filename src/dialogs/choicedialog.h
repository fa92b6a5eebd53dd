// A modal message box whose buttons carry the caller's captions.
#pragma once

#include <string>

#include <windows.h>

enum TDialogKind { dkWarning, dkError, dkInformation, dkConfirmation, dkCustom };

int ShowChoiceDialog(HWND owner, const std::string& caption, const std::string& message,
                     TDialogKind kind, const std::string& buttonCaptions, int cancelIndex,
                     int defaultIndex, int buttonCount, HICON icon = nullptr);
