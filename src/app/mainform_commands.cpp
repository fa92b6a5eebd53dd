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
    OpenRecentFile(id);
    return;
  }
  switch (id) {
  case cmNew:
    NewDocument();
    break;
  case cmOpen:
    OpenWithDialog();
    break;
  case cmSaveLog:
    SaveLog();
    break;
  case cmStart:
    Run->Start(ecStart);
    break;
  case cmReview:
    Run->Start(ecReview);
    break;
  case cmList:
    Run->List();
    break;
  case cmClear:
    ClearRecentFiles();
    break;
  case cmExit:
    Exit();
    break;
  case cmFind:
  case cmFindNext:
  case cmFindPrev:
    FindM1Click(id);
    break;
  case cmSelectAll:
    SelectAll();
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
    ShowHelp();
    break;
  case cmAbout:
    ShowAbout();
    break;
  default:
    break;
  }
}

void TMainForm::ToolButtonClick(int id) {
  for (const TToolButtonEntry& entry : ToolButtonTable)
    if (entry.Command != cmNone && entry.Command == id) ClickMenuItem(id);
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
  ShowChoiceDialog(Window.Handle, "About", AboutText, dkInformation, "OK", 0, 0, 1,
                   LoadIconA(Instance, MAKEINTRESOURCEA(1)));
}

void TMainForm::AnswerKeyDown(TKeyCode& key, TShiftState shift) { Run->AnswerKeyDown(key, shift); }

void TMainForm::LogChanged() {
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
  if (!Differs(options, ExamOptions)) return;
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
  if (!Differs(options, SearchOptions)) return;
  SearchOptions = options;
  UpdateFindCommands();
}

void TMainForm::UpdateFindCommands() {
  const bool enabled = !SearchOptions.FindText.empty();
  FindNextM1.SetEnabled(enabled);
  FindPrevM1.SetEnabled(enabled);
}
