// The general commands, the command states and the message boxes.
#include "appconst.h"
#include "commands.h"
#include "dialogs/choicedialog.h"
#include "exam/commandstates.h"
#include "mainform.h"
#include "resource.h"

// The one place a command id meets its handler.
void TMainForm::ClickMenuItem(int id) {
  if (Window.Handle == nullptr || !MenuItem(id).GetEnabled()) return;
  if (IsHistoryCommand(id)) return OpenRecentFile(id);
  switch (id) {
  case cmNew:
    return NewDocument();
  case cmOpen:
    return OpenWithDialog();
  case cmSaveLog:
    return SaveLog();
  case cmStart:
    return Run->Start(ecStart);
  case cmReview:
    return Run->Start(ecReview);
  case cmList:
    return Run->List();
  case cmClear:
    return ClearRecentFiles();
  case cmExit:
    return Exit();
  case cmFind:
    return Find();
  case cmFindNext:
    return FindAgain(false);
  case cmFindPrev:
    return FindAgain(true);
  case cmSelectAll:
    return SelectAll();
  case cmToolbar:
    return ToggleViewOption(&TViewOptions::Toolbar);
  case cmToolbarCaptions:
    return ToggleViewOption(&TViewOptions::ToolbarCaptions);
  case cmFont:
    return ChangeFont();
  case cmTabWidth:
    return ChangeTabWidth();
  case cmSwapPanels:
    return ToggleViewOption(&TViewOptions::SwapPanels);
  case cmStatusBar:
    return ToggleViewOption(&TViewOptions::StatusBar);
  case cmLastPosition:
    return ToggleViewOption(&TViewOptions::LastPosition);
  case cmTopmost:
    return ToggleViewOption(&TViewOptions::Topmost);
  case cmDefaultView:
    return ResetViewOptions();
  case cmShuffle:
    return ToggleExamOption(&TExamOptions::Shuffle);
  case cmSwap:
    return ToggleExamOption(&TExamOptions::Swap);
  case cmCaseSensitive:
    return ToggleExamOption(&TExamOptions::CaseSensitive);
  case cmDefaultExam:
    return ResetExamOptions();
  case cmHelp:
    return ShowHelp();
  case cmAbout:
    return ShowAbout();
  default:
    return;
  }
}

void TMainForm::ToolButtonClick(int id) {
  const TCommand* command = FindCommand(id);
  if (command != nullptr && command->Button.Caption != nullptr) ClickMenuItem(id);
}

void TMainForm::NewDocument() {
  if (!Run->ConfirmQuitExam()) return;
  SetStatus("No data");
  ClearDocument();
}

void TMainForm::Exit() { PostMessageA(Window.Handle, WM_CLOSE, 0, 0); }

void TMainForm::SelectAll() {
  const HWND focus = GetFocus();
  if (focus == QuestionField.Handle || focus == AnswerField.Handle || focus == Log.Handle)
    TEdit(focus).SelectAll();
}

void TMainForm::ShowHelp() {
  if (!Confirm("Open the help document in HTML format?")) return;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(Window.Handle, "open", HelpFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) ShowOpenError(HelpFile);
}

void TMainForm::ShowAbout() {
  // One button, OK, which Enter and Escape both press.
  constexpr int okButton = 0, buttonCount = 1;
  ShowChoiceDialog(Window.Handle, "About", AboutText, dkInformation, "OK", okButton, okButton,
                   buttonCount, LoadIconA(Instance, MAKEINTRESOURCEA(IDI_TESMO)));
}

void TMainForm::AnswerKeyDown(TKeyCode& key) { Run->AnswerKeyDown(key); }

void TMainForm::LogChanged() {
  FlushLog();
  SetCommandEnabled(cmSaveLog, LogHoldsLine());
}

void TMainForm::UpdateCommands() {
  const TExamCommandStates states = ExamCommandStates(*Exam);
  SetCommandEnabled(cmStart, states.StartEnabled);
  SetCommandEnabled(cmReview, states.ReviewEnabled);
  SetCommandEnabled(cmList, states.ListEnabled);
  AnswerField.SetReadOnly(states.AnswerReadOnly);
}

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
  ApplyExamOptions();
}

void TMainForm::ApplyExamOptions() {
  SetCommandChecked(cmShuffle, ExamOptions.Shuffle);
  SetCommandChecked(cmSwap, ExamOptions.Swap);
  SetCommandChecked(cmCaseSensitive, ExamOptions.CaseSensitive);
}

void TMainForm::SetSearchOptions(const TSearchOptions& options) {
  if (options == SearchOptions) return;
  SearchOptions = options;
  UpdateFindCommands();
}

void TMainForm::UpdateFindCommands() {
  const bool enabled = !SearchOptions.FindText.empty();
  SetCommandEnabled(cmFindNext, enabled);
  SetCommandEnabled(cmFindPrev, enabled);
}
