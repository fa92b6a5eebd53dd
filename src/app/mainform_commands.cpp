// The general commands, the command states and the message boxes.
#include "appconst.h"
#include "commands.h"
#include "dialogs/choicedialog.h"
#include "mainform.h"
#include "resource.h"

// One click, from wherever it came: the command's row says what it does.
void TMainForm::ClickMenuItem(int id) {
  const TCommand* command = FindCommand(id);
  if (Window.Handle == nullptr || command == nullptr || !CommandEnabled(id)) return;
  if (IsHistoryCommand(id)) return OpenRecentFile(id - cmHistoryFirst);
  if (command->Run != nullptr) command->Run(*this);
}

void TMainForm::ToolButtonClick(int id) {
  const TCommand* command = FindCommand(id);
  if (command != nullptr && command->Button.Caption != nullptr) ClickMenuItem(id);
  // A check button flips itself when clicked; it shows the state again, as
  // the click left it.
  RefreshCommands();
}

TCommandStates TMainForm::CurrentStates() const {
  return CommandStates(
      {Exam, History, LogPane.HoldsLine(), SearchOptions, ViewOptions, ExamOptions});
}

bool TMainForm::CommandEnabled(int id) const {
  const TCommand* command = FindCommand(id);
  if (command == nullptr) return false;
  const TCommandStates states = CurrentStates();
  if (IsHistoryCommand(id)) return states.RecentFile[static_cast<size_t>(id - cmHistoryFirst)];
  return command->State == nullptr || (command->Flags & cfCheck) || states.*command->State;
}

void TMainForm::RefreshCommands() {
  if (Window.Handle == nullptr) return;
  const TCommandStates states = CurrentStates();
  AnswerField.SetReadOnly(states.AnswerReadOnly);
  for (const TCommand& command : CommandTable()) {
    if (command.Id == cmHistoryFirst) {
      for (int slot = 0; slot < kHistorySlots; ++slot)
        ShowCommandState(cmHistoryFirst + slot, states.RecentFile[static_cast<size_t>(slot)],
                         false);
    } else if (command.State != nullptr) {
      const bool on = states.*command.State;
      const bool check = (command.Flags & cfCheck) != 0;
      ShowCommandState(command.Id, check || on, check && on);
    }
  }
}

// A menu item and the button that stands for it, together.
void TMainForm::ShowCommandState(int id, bool enabled, bool checked) {
  const TMenuItem item{GetMenu(Window.Handle), static_cast<UINT>(id)};
  item.SetEnabled(enabled);
  item.SetChecked(checked);
  const TCommand* command = FindCommand(id);
  if (command == nullptr || command->Button.Caption == nullptr) return;
  const TToolButton button{ToolBar.Handle, id};
  button.SetEnabled(enabled);
  button.SetDown(checked);
}

void TMainForm::NewDocument() {
  if (!Run.ConfirmQuitExam()) return;
  SetStatus("No data");
  ClearDocument();
}

void TMainForm::Exit() { PostMessageA(Window.Handle, WM_CLOSE, 0, 0); }

void TMainForm::SelectAll() {
  const HWND focus = GetFocus();
  if (focus == QuestionField.Handle || focus == AnswerField.Handle ||
      focus == LogPane.Control().Handle)
    TEdit(focus).SelectAll();
}

void TMainForm::ShowHelp() {
  if (!Confirm("Open the help document in HTML format?")) return;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(Window.Handle, "open", kHelpFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) ShowOpenError(kHelpFile);
}

void TMainForm::ShowAbout() {
  // One button, OK, which Enter and Escape both press.
  constexpr int okButton = 0, buttonCount = 1;
  ShowChoiceDialog(Window.Handle, "About", kAboutText, dkInformation, "OK", okButton, okButton,
                   buttonCount, LoadIconA(Instance, MAKEINTRESOURCEA(IDI_TESMO)));
}

void TMainForm::AnswerKeyDown(TKeyCode& key) { Run.AnswerKeyDown(key); }

void TMainForm::ShowError(const std::string& text) {
  MessageBoxA(Window.Handle, text.c_str(), TitleText.c_str(),
              MB_OK | MB_ICONHAND | MB_SETFOREGROUND);
}

bool TMainForm::Confirm(const std::string& text) {
  return MessageBoxA(Window.Handle, text.c_str(), TitleText.c_str(),
                     MB_OKCANCEL | MB_ICONEXCLAMATION | MB_SETFOREGROUND) == IDOK;
}

void TMainForm::ShowOpenError(const std::string& path) {
  ShowError("The program cannot open the document: " + path);
}

void TMainForm::ShowSaveError(const std::string& path) {
  ShowError("The program cannot save the document: " + path);
}

void TMainForm::ToggleExamOption(bool TExamOptions::*option) {
  TExamOptions options = ExamOptions;
  options.*option = !(options.*option);
  SetExamOptions(options);
}

void TMainForm::ResetExamOptions() {
  if (Confirm("Set default settings?")) SetExamOptions(TExamOptions());
}

void TMainForm::SetExamOptions(const TExamOptions& options) {
  if (options == ExamOptions) return;
  ExamOptions = options;
  RefreshCommands();
}

void TMainForm::SetSearchOptions(const TSearchOptions& options) {
  if (options == SearchOptions) return;
  SearchOptions = options;
  RefreshCommands();
}
