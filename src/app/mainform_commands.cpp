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
  if (command == nullptr || command->Button.Caption == nullptr) return;
  ClickMenuItem(id);
  // A check button flips itself when clicked: it shows its state again, as
  // the click left it.
  CommandsShown[static_cast<size_t>(id - cmNew)].reset();
  RefreshCommands();
}

TCommandStates TMainForm::CurrentStates() const {
  return CommandStates(
      {Exam, History, LogPane.HoldsLine(), SearchOptions, ViewOptions, ExamOptions});
}

bool TMainForm::CommandEnabled(int id) const {
  return FindCommand(id) != nullptr && ShownState(id, CurrentStates()).Enabled;
}

// Only what changed is handed to the menu and the toolbar: a refresh follows
// every change of state, each key typed into the log among them.
void TMainForm::RefreshCommands() {
  if (Window.Handle == nullptr) return;
  const TCommandStates states = CurrentStates();
  if (states.AnswerReadOnly != AnswerReadOnlyShown) AnswerField.SetReadOnly(states.AnswerReadOnly);
  AnswerReadOnlyShown = states.AnswerReadOnly;
  const auto refresh = [&](int id) {
    const TCommandShown shown = ShownState(id, states);
    std::optional<TCommandShown>& before = CommandsShown[static_cast<size_t>(id - cmNew)];
    if (before != shown) ShowCommandState(id, shown);
    before = shown;
  };
  for (const TCommand& command : CommandTable()) {
    if (command.Id == cmHistoryFirst)
      for (int slot = 0; slot < kHistorySlots; ++slot) refresh(cmHistoryFirst + slot);
    else if (command.State != nullptr)
      refresh(command.Id);
  }
}

// A menu item and the button that stands for it, together.
void TMainForm::ShowCommandState(int id, TCommandShown shown) {
  const TMenuItem item{GetMenu(Window.Handle), static_cast<UINT>(id)};
  item.SetEnabled(shown.Enabled);
  item.SetChecked(shown.Checked);
  const TCommand* command = FindCommand(id);
  if (command == nullptr || command->Button.Caption == nullptr) return;
  const TToolButton button{ToolBar.Handle, id};
  button.SetEnabled(shown.Enabled);
  button.SetDown(shown.Checked);
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
