// The general commands, the command states and the message boxes.
#include "appconst.h"
#include "commands.h"
#include "dialogs/choicedialog.h"
#include "mainform.h"
#include "resource.h"
#include "win/messagebox.h"

// One click, from wherever it came: the command's row says what it does.
void TMainForm::ClickMenuItem(int id) {
  const TCommand* command = FindCommand(id);
  if (Window.Handle == nullptr || command == nullptr || !ShownState(id, CurrentStates()).Enabled)
    return;
  if (IsHistoryCommand(id))
    OpenRecentFile(id - cmHistoryFirst);
  else if (command->Command != nullptr)
    (this->*command->Command)();
  else if (command->Action != nullptr)
    command->Action(*this);
  else if (command->FlipsView != nullptr)
    ToggleOption(command->FlipsView);
  else if (command->FlipsExam != nullptr)
    ToggleOption(command->FlipsExam);
}

TCommandStates TMainForm::CurrentStates() const {
  return CommandStates(
      {Exam, History, LogPane.HoldsLine(), SearchOptions, ViewOptions, ExamOptions});
}

void TMainForm::UpdateCommands() {
  if (Window.Handle == nullptr) return;
  const TCommandStates states = CurrentStates();
  DrillFields.ShowReadOnly(states.AnswerReadOnly);
  CommandBar.Show(states);
}

void TMainForm::NewDocument() {
  if (!Run.ConfirmQuitExam()) return;
  SetStatus("No data");
  ClearDocument();
}

void TMainForm::Exit() { PostMessageA(Window.Handle, WM_CLOSE, 0, 0); }

void TMainForm::SelectAll() {
  const HWND focus = GetFocus();
  if (DrillFields.IsTextField(focus)) TEdit(focus).SelectAll();
}

void TMainForm::ShowHelp() {
  if (!Confirm("Open the help document in HTML format?")) return;
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
      Window.Handle, L"open", kWideHelpFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) ShowOpenError(kHelpFile);
}

void TMainForm::ShowAbout() {
  // One button, OK, which Enter and Escape both press.
  constexpr int okButton = 0, buttonCount = 1;
  ShowChoiceDialog(Window.Handle, "About", kAboutText, dkInformation, "OK", okButton, okButton,
                   buttonCount, LoadIconA(Instance, MAKEINTRESOURCEA(IDI_TESMO)));
}

void TMainForm::ShowError(const std::string& text) {
  ShowMessage(Window.Handle, text, TitleText(), mkError);
}

bool TMainForm::Confirm(const std::string& text) {
  return ShowMessage(Window.Handle, text, TitleText(), mkConfirmation);
}

void TMainForm::ShowOpenError(const std::string& path) {
  ShowError("The program cannot open the document: " + path);
}

void TMainForm::ShowSaveError(const std::string& path) {
  ShowError("The program cannot save the document: " + path);
}
