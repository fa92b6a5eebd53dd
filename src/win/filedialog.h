// The common file dialogs of the main window, and the set that makes them
// share one remembered folder.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <windows.h>

// The open or the save dialog: what it starts with and what the user chose.
class TFileDialog {
public:
  enum TKind { fdOpen, fdSave };

  TFileDialog(TKind kind, std::string title, std::string filter, std::string defaultExt = "");
  virtual ~TFileDialog() = default;

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

class TOpenDialogs {
public:
  virtual ~TOpenDialogs() = default;

  // Registers a dialog under an id; an id already present is ignored.
  void Register(int id, TFileDialog& dialog);
  // The dialog registered under the id, or null.
  TFileDialog* FindDialog(int id) const;
  int Count() const { return static_cast<int>(Dialogs.size()); }
  // The dialog at a position of the list, which is sorted by the ids as text.
  TFileDialog& Get(int position) const { return *Dialogs.at(static_cast<size_t>(position)).second; }

private:
  std::vector<std::pair<std::string, TFileDialog*>> Dialogs;
};
