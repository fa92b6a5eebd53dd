// Opening question files, the recent-file list, and saving the log.
#include <algorithm>

#include "appconst.h"
#include "commands.h"
#include "dialogs/choicedialog.h"
#include "exam/examitems.h"
#include "util/paths.h"
#include "util/platform.h"
#include "util/textutil.h"
#include "win/widenames.h"

#include "mainform.h"

namespace {

// The shell hands over wide names (Explorer always does); they are converted
// by the one rule for names from Windows.
TCodePageName DroppedName(HDROP drop, UINT index) {
  // Asked for its length first, so that no name is ever cut.
  const UINT length = DragQueryFileW(drop, index, nullptr, 0);
  if (length == 0) return {};
  std::wstring wide(length + 1, L'\0');
  const UINT copied = DragQueryFileW(drop, index, wide.data(), length + 1);
  wide.resize(copied);
  return FullCodePageName(wide);
}

// By the extension; otherwise the user is asked.
bool DecideFileFormat(HWND owner, const std::string& title, const std::string& path, int& format) {
  const std::string extension = ExtractFileExt(path);
  if (SameFileName(extension, ".csv") || SameFileName(extension, ".txt")) {
    format = SameFileName(extension, ".csv") ? qffCsv : qffText;
    return true;
  }
  // CSV is the default button; Escape and the close box press Cancel.
  enum { csvButton, textButton, cancelButton, buttonCount };
  const int chosen =
      ShowChoiceDialog(owner, title, "Select the file type: " + path, dkWarning,
                       "&CSV\r\n&Text\r\nCancel", cancelButton, csvButton, buttonCount);
  if (chosen != csvButton && chosen != textButton) return false;
  format = chosen == csvButton ? qffCsv : qffText;
  return true;
}

} // namespace

void TMainForm::OpenWithDialog() {
  if (!Run.ConfirmQuitExam()) return;
  std::string name;
  if (!ExecuteFileDialog(FileDialogs.Open, name)) return;
  OpenDocument(name);
}

bool TMainForm::ExecuteFileDialog(TFileDialog& dialog, std::string& fileName) {
  dialog.FileName = fileName;
  if (!dialog.Execute(Window.Handle)) return false;
  fileName = dialog.FileName;
  if (!dialog.FileNameReachable) {
    if (dialog.GetKind() == TFileDialog::fdOpen)
      ShowOpenError(fileName);
    else
      ShowSaveError(fileName);
    return false;
  }
  const std::string folder = ExtractFileDir(fileName);
  for (TFileDialog* each : FileDialogs.All()) each->InitialDir = folder;
  return true;
}

void TMainForm::OpenDocument(const std::string& path) {
  int format = qffCsv;
  if (!DecideFileFormat(Window.Handle, TitleText(), path, format)) return;
  TExamItems items;
  // A file that cannot be read at all raises its error from here, before
  // anything has changed.
  if (!items.LoadFromFile(path, format)) {
    ShowOpenError(path);
    return;
  }
  ClearDocument();
  SetFileName(path);
  // The loaded set is taken over whole; it would be freed right after anyway.
  Exam.AllItems.Swap(items);
  UpdateCommands();
}

void TMainForm::ClearDocument() {
  SetFileName("");
  Exam.ClearAll();
  UpdateCommands();
  DrillFields.SetQuestionText("");
  DrillFields.SetAnswerText("");
  LogPane.Replace("");
}

// The caption and the application's title follow the file; an opened file
// becomes the first recent one.
void TMainForm::SetFileName(const std::string& path) {
  if (path == FileName) return;
  FileName = path;
  if (!FileName.empty()) {
    History.Add(FileName);
    UpdateHistoryMenu();
  }
  Window.SetText(TitleText());
}

std::string TMainForm::TitleText() const {
  return FileName.empty() ? kAppTitle : ExtractFileName(FileName) + " - " + kAppTitle;
}

void TMainForm::UpdateHistoryMenu() {
  for (int slot = 0; slot < History.Count() && slot < kHistorySlots; ++slot) {
    const std::string name = ExtractFileName(History.Get(slot));
    CommandBar.SetCaption(cmHistoryFirst + slot, (name.empty() ? std::string("(None)") : name) +
                                                     " (&" + std::to_string(slot + 1) + ")");
  }
  UpdateCommands();
}

void TMainForm::OpenRecentFile(int slot) {
  if (!Run.ConfirmQuitExam()) return;
  if (slot < 0 || slot >= History.Count()) return;
  // A copy: opening the file reorders the list.
  const std::string path = History.Get(slot);
  OpenDocument(path);
}

void TMainForm::ClearRecentFiles() {
  if (!Confirm("Clear the history?")) return;
  History.Clear();
  UpdateHistoryMenu();
}

void TMainForm::SaveLog() {
  if (!LogPane.HoldsLine()) return ShowError("There is no log.");
  std::string name =
      "Log" + FormatTimeStamp(sys::LocalNow()) + " - " + ExtractFileName(FileName) + ".txt";
  if (!ExecuteFileDialog(FileDialogs.Save, name)) return;
  // Saved whole or not at all: a failure half-way leaves an older file as it was.
  try {
    sys::SaveFile(name, LogPane.Text());
  } catch (const sys::EFileError&) {
    ShowSaveError(name);
  }
}

void TMainForm::WMDropFiles(HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  SetForegroundWindow(Window.Handle);
  std::vector<TCodePageName> files;
  for (UINT i = 0; i < count; ++i) {
    TCodePageName name = DroppedName(drop, i);
    if (!name.Name.empty()) files.push_back(std::move(name));
  }
  DragFinish(drop);
  OpenFileList(files);
}

// A name the code page cannot hold, neither whole nor in its short form, names
// no file the program can open.
void TMainForm::OpenFileList(const std::vector<TCodePageName>& names) {
  if (names.size() == 1 && !names.front().Exact) return ShowOpenError(names.front().Name);
  if (!Run.ConfirmQuitExam()) return;
  if (names.empty()) return;
  SetStatus(GroupThousands(static_cast<long long>(names.size())) + " items are dropped");
  if (names.size() == 1)
    OpenDocument(names.front().Name);
  else
    ShowError("Set one file to open.");
}
