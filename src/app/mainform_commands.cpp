// The general commands, the command states and the message boxes.
#include "appconst.h"
#include "commands.h"
#include "dialogs/choicedialog.h"
#include "exam/commandstates.h"
#include "mainform.h"

void TMainForm::ClickMenuItem(int id) {
  TMenuItem item{GetMenu(Window.Handle), static_cast<UINT>(id)};
  if (Window.Handle == nullptr || !item.GetEnabled()) return;
  if (IsHistoryCommand(id)) {
    HistoryM1Click(id);
    return;
  }
  switch (id) {
  case cmNew:
    NewM1Click();
    break;
  case cmOpen:
    OpenM1Click();
    break;
  case cmSaveLog:
    SaveLogM1Click();
    break;
  case cmStart:
    Run->StartM1Click(ecStartM1);
    break;
  case cmReview:
    Run->StartM1Click(ecReviewM1);
    break;
  case cmList:
    Run->ListM1Click(ecListM1);
    break;
  case cmClear:
    ClearM1Click();
    break;
  case cmExit:
    ExitM1Click();
    break;
  case cmFind:
  case cmFindNext:
  case cmFindPrev:
    FindM1Click(id);
    break;
  case cmSelectAll:
    SelectAllM1Click();
    break;
  case cmToolbar:
  case cmToolbarCaptions:
  case cmFont:
  case cmTabWidth:
  case cmSwapPanels:
  case cmStatusBar:
  case cmLastPosition:
  case cmTopmost:
  case cmDefaultView:
    ViewM1Click(id);
    break;
  case cmShuffle:
  case cmSwap:
  case cmCaseSensitive:
  case cmDefaultExam:
    OptionsM1Click(id);
    break;
  case cmHelp:
    HelpM2Click();
    break;
  case cmAbout:
    AboutM1Click();
    break;
  default:
    break;
  }
}

void TMainForm::ToolButtonClick(int id) {
  for (const TToolButtonEntry& entry : ToolButtonTable)
    if (entry.Command != cmNone && entry.Command == id) ClickMenuItem(id);
}

void TMainForm::NewM1Click() {
  if (!Run->ConfirmQuitExam()) return;
  SetStatus("No data");
  ClearDocument();
}

void TMainForm::ExitM1Click() { PostMessageA(Window.Handle, WM_CLOSE, 0, 0); }

void TMainForm::SelectAllM1Click() {
  const HWND focus = GetFocus();
  if (focus == Edit1.Handle || focus == Edit2.Handle || focus == Memo1.Handle)
    TEdit(focus).SelectAll();
}

void TMainForm::HelpM2Click() {
  if (!Confirm("Open the help document in HTML format?")) return;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(Window.Handle, "open", HelpFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) ShowOpenError(HelpFile);
}

void TMainForm::AboutM1Click() {
  ShowChoiceDialog(Window.Handle, "About", AboutText, dkInformation, "OK", 0, 0, 1,
                   LoadIconA(Instance, MAKEINTRESOURCEA(1)));
}

void TMainForm::Edit2KeyDown(TKeyCode& key, TShiftState shift) { Run->Edit2KeyDown(key, shift); }

void TMainForm::Memo1Change() {
  FlushLog();
  const bool enabled = SaveLogEnabled(LogHoldsLine());
  SaveLogM1.SetEnabled(enabled);
  LogT1.SetEnabled(SaveLogM1.GetEnabled());
}

void TMainForm::UpdateCommands() {
  const TExamCommandStates states = ExamCommandStates(*Exam);
  StartM1.SetEnabled(states.StartEnabled);
  ReviewM1.SetEnabled(states.ReviewEnabled);
  ListM1.SetEnabled(states.ListEnabled);
  StartT1.SetEnabled(StartM1.GetEnabled());
  ReviewT1.SetEnabled(ReviewM1.GetEnabled());
  ListT1.SetEnabled(ListM1.GetEnabled());
  Edit2.SetReadOnly(states.Edit2ReadOnly);
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

void TMainForm::OptionsM1Click(int id) {
  TExamOptions options = ExamOptions;
  switch (id) {
  case cmShuffle:
    options.Shuffle = !options.Shuffle;
    break;
  case cmSwap:
    options.Swap = !options.Swap;
    break;
  case cmCaseSensitive:
    options.CaseSensitive = !options.CaseSensitive;
    break;
  case cmDefaultExam:
    if (!Confirm("Set default settings?")) return;
    options = TExamOptions();
    break;
  default:
    return;
  }
  SetExamOptions(options);
}

void TMainForm::SetExamOptions(const TExamOptions& options) {
  if (options == ExamOptions) return;
  ExamOptions = options;
  ApplyExamOptions();
}

void TMainForm::ApplyExamOptions() {
  ShuffleM1.SetChecked(ExamOptions.Shuffle);
  SwapM1.SetChecked(ExamOptions.Swap);
  CaseSensitiveM1.SetChecked(ExamOptions.CaseSensitive);
  ShuffleT1.SetDown(ShuffleM1.GetChecked());
  SwapT1.SetDown(SwapM1.GetChecked());
  CaseT1.SetDown(CaseSensitiveM1.GetChecked());
}

void TMainForm::SetSearchOptions(const TSearchOptions& options) {
  if (options == SearchOptions) return;
  SearchOptions = options;
  UpdateFindCommands();
}

void TMainForm::UpdateFindCommands() {
  const bool enabled = !SearchOptions.FindText.empty();
  FindNextM1.SetEnabled(enabled);
  FindPrevM1.SetEnabled(enabled);
}
