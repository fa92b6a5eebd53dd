// The common open and save dialogs.
#pragma once

#include <array>
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
  // A name the code page cannot hold is taken in its short form; where there
  // is none, FileNameReachable is false and FileName only shows which it was.
  bool Execute(HWND owner);
  bool FileNameReachable = true;

  TKind GetKind() const { return Kind; }

private:
  TKind Kind;
};

// The open and the save dialog of a window. Both start in the folder either
// was last used in; the settings keep them in this order.
struct TFileDialogs {
  TFileDialog Open, Save;
  std::array<TFileDialog*, 2> All() { return {&Open, &Save}; }
};
