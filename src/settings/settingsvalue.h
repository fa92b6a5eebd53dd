// The one value of the settings file: every stored setting as the fields of a
// comma text, and the encodings of single fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "options.h"

// A file dialog's remembered folder and its filter index, counted from 1.
struct TDialogSettings {
  std::string Folder;
  int FilterIndex = 1;
};

// The window's state as the value stores it; a hand-edited file may hold
// any other number.
enum TWindowState : int { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

// Everything the value stores, field by field.
struct TSettings {
  std::string HistoryText; // the recent-file list's own comma text
  TViewOptions ViewOptions;
  TExamOptions ExamOptions;
  int WindowState = wsNormal;
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::vector<TDialogSettings> Dialogs; // in the order of the window's file dialogs
};

// What reading a value gave. Reading stops at the first field that is missing
// or does not convert; the groups before it were read and are applied in
// this order, each only when its flag says so.
struct TSettingsRead {
  // The current settings with every group that was read put in.
  TSettings Settings;
  bool HistoryRead = false;
  bool ViewOptionsRead = false; // fields 1 to 10, all or none
  bool ExamOptionsRead = false; // fields 11 to 13, all or none
  bool BoundsRead = false;      // fields 14 to 18, all or none
  // Dialogs 0 to FoldersRead - 1 have their folder read, dialogs 0 to
  // FilterIndexesRead - 1 their filter index too.
  int FoldersRead = 0;
  int FilterIndexesRead = 0;
  // A field was missing or did not convert: the user is told.
  bool Failed = false;

  // The window takes the stored rectangle only when it was read, the window
  // was in the normal state and the options now ask for the last position.
  bool RestoresBounds() const {
    return BoundsRead && Settings.WindowState == wsNormal && Settings.ViewOptions.LastPosition;
  }
};

// The value for the settings: fields 0 to 18, then two for each dialog, then
// an empty one, so that the value always ends with a comma.
std::string MakeSettingsValue(const TSettings& settings);

// Reads a stored value over the current settings, which supply the number of
// dialogs and the fields of the records that the value does not hold.
TSettingsRead ReadSettingsValue(std::string_view value, const TSettings& current);

// Booleans are written "-1" and "0". Read, any number in the user's number
// format is true unless it is zero; "True" and "False" in any case are taken
// too; any other text fails.
std::string BoolToText(bool value);
bool TryTextToBool(std::string_view text, bool& value);

// Integers are written in decimal. Read: leading blanks, a sign, then decimal
// digits or hexadecimal ones after "$", "x" or "0x"; the value must fit in 32
// bits. Anything else, the empty text included, fails.
std::string IntToText(int value);
bool TryTextToInt(std::string_view text, int& value);
