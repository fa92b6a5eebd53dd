// The common open and save dialogs, and a window's set of them by id.
#pragma once

#include <map>
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

// The file dialogs of a window by id, in the order of their ids.
class TFileDialogs {
public:
  // Registers a dialog under an id; an id already present is ignored.
  void Register(int id, TFileDialog& dialog) { Dialogs.emplace(id, &dialog); }
  // The dialog registered under the id, or null.
  TFileDialog* FindDialog(int id) const;
  int Count() const { return static_cast<int>(Dialogs.size()); }
  // The dialog at a position in the order of the ids; throws
  // std::out_of_range beyond them.
  TFileDialog& Get(int position) const;

private:
  std::map<int, TFileDialog*> Dialogs;
};
