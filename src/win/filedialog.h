// The common open and save dialogs.
#pragma once

#include <string>

#include <windows.h>

// The open or the save dialog: what it starts with and what the user chose.
class TFileDialog {
public:
  enum TKind { fdOpen, fdSave };

  TFileDialog(TKind kind, std::string title, std::string filter, std::string defaultExt = "");

  // The filter as "Name|*.ext|Name|*.ext".
  std::string Title, Filter, DefaultExt;
  std::string InitialDir;
  std::string FileName;
  int FilterIndex = 1; // counted from 1

  // Runs the dialog modally; true with the chosen full path in FileName.
  bool Execute(HWND owner);

private:
  TKind Kind;
};
