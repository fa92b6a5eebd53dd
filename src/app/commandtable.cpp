// The commands in menu order, each with what it does.
#include "commands.h"
#include "mainform.h"

// The handlers reach the window's private commands through this friend.
struct TCommandTable {
  template <void (TMainForm::*Member)()> static void Call(TMainForm& form) { (form.*Member)(); }
  template <bool TViewOptions::*Option> static void ToggleView(TMainForm& form) {
    form.ToggleViewOption(Option);
  }
  template <bool TExamOptions::*Option> static void ToggleExam(TMainForm& form) {
    form.ToggleExamOption(Option);
  }
  static void Start(TMainForm& form) { form.Run.Start(ecStart); }
  static void Review(TMainForm& form) { form.Run.Start(ecReview); }
  static void List(TMainForm& form) { form.Run.List(); }
  static void FindNext(TMainForm& form) { form.FindAgain(false); }
  static void FindPrev(TMainForm& form) { form.FindAgain(true); }

  static const TCommand Rows[];
};

namespace {
using Do = TCommandTable;
using Form = TMainForm;
using State = TCommandStates;
using View = TViewOptions;
using Options = TExamOptions;
} // namespace

const TCommand TCommandTable::Rows[] = {
    {cmNew,
     "&New",
     Do::Call<&Form::NewDocument>,
     nullptr,
     0,
     {FCONTROL, 'N', "Ctrl+N"},
     {tpNew, "New", "New"}},
    {cmOpen,
     "&Open...",
     Do::Call<&Form::OpenWithDialog>,
     nullptr,
     0,
     {FCONTROL, 'O', "Ctrl+O"},
     {tpOpen, "Open", "Open"}},
    {cmSaveLog,
     "&Save Log...",
     Do::Call<&Form::SaveLog>,
     &State::SaveLog,
     0,
     {FCONTROL, 'S', "Ctrl+S"},
     {tpSaveLog, "Log", "Save Log"}},
    {cmStart,
     "S&tart",
     Do::Start,
     &State::Start,
     cfSeparated,
     {0, VK_F2, "F2"},
     {tpStart, "Start", "Start"}},
    {cmReview,
     "&Review",
     Do::Review,
     &State::Review,
     0,
     {0, VK_F4, "F4"},
     {tpReview, "Review", "Review"}},
    {cmList, "&List", Do::List, &State::List, 0, {0, VK_F5, "F5"}, {tpList, "List", "List"}},
    // The slots open their files (TMainForm::OpenRecentFile).
    {cmHistoryFirst, "&History", nullptr, nullptr, cfSeparated},
    {cmClear, "&Clear...", Do::Call<&Form::ClearRecentFiles>, &State::ClearHistory,
     cfSeparated | cfInHistory},
    {cmExit, "E&xit", Do::Call<&Form::Exit>, nullptr, cfSeparated},

    {cmFind, "&Find...", Do::Call<&Form::Find>, nullptr, 0, {FCONTROL, 'F', "Ctrl+F"}},
    {cmFindNext, "Find &Next", Do::FindNext, &State::FindAgain, 0, {0, VK_F3, "F3"}},
    {cmFindPrev, "Find &Prev", Do::FindPrev, &State::FindAgain, 0, {FSHIFT, VK_F3, "Shift+F3"}},
    {cmSelectAll,
     "&Select All",
     Do::Call<&Form::SelectAll>,
     nullptr,
     cfSeparated,
     {FCONTROL, 'A', "Ctrl+A"}},

    {cmToolbar, "&Toolbar", Do::ToggleView<&View::Toolbar>, &State::Toolbar, cfCheck},
    {cmToolbarCaptions, "Toolbar &Captions", Do::ToggleView<&View::ToolbarCaptions>,
     &State::ToolbarCaptions, cfCheck},
    {cmFont, "&Font...", Do::Call<&Form::ChangeFont>},
    {cmTabWidth, "Tab &Width...", Do::Call<&Form::ChangeTabWidth>},
    {cmSwapPanels, "&Swap Panels", Do::ToggleView<&View::SwapPanels>, &State::SwapPanels, cfCheck},
    {cmStatusBar, "Status &Bar", Do::ToggleView<&View::StatusBar>, &State::StatusBar, cfCheck},
    {cmLastPosition, "&Last Position", Do::ToggleView<&View::LastPosition>, &State::LastPosition,
     cfSeparated | cfCheck},
    {cmTopmost, "T&opmost", Do::ToggleView<&View::Topmost>, &State::Topmost, cfCheck},
    {cmDefaultView, "&Default...", Do::Call<&Form::ResetViewOptions>, nullptr, cfSeparated},

    {cmShuffle,
     "&Shuffle",
     Do::ToggleExam<&Options::Shuffle>,
     &State::Shuffle,
     cfCheck,
     {},
     {tpShuffle, "Shuffle", "Shuffle"}},
    {cmSwap,
     "S&wap",
     Do::ToggleExam<&Options::Swap>,
     &State::Swap,
     cfCheck,
     {},
     {tpSwap, "Swap", "Swap"}},
    {cmCaseSensitive,
     "&Case Sensitive",
     Do::ToggleExam<&Options::CaseSensitive>,
     &State::CaseSensitive,
     cfCheck,
     {},
     {tpCase, "Case", "Case Sensitive"}},
    {cmDefaultExam, "&Default...", Do::Call<&Form::ResetExamOptions>, nullptr, cfSeparated},

    {cmHelp, "&Help...", Do::Call<&Form::ShowHelp>, nullptr, 0, {0, VK_F1, "F1"}},
    {cmAbout, "&About", Do::Call<&Form::ShowAbout>, nullptr, cfSeparated},
};

std::span<const TCommand> CommandTable() { return TCommandTable::Rows; }

const TCommand* FindCommand(int id) {
  if (IsHistoryCommand(id)) id = cmHistoryFirst;
  for (const TCommand& command : CommandTable())
    if (command.Id == id) return &command;
  return nullptr;
}

TCommandShown ShownState(int id, const TCommandStates& states) {
  if (IsHistoryCommand(id)) return {states.RecentFile[static_cast<size_t>(id - cmHistoryFirst)]};
  const TCommand* command = FindCommand(id);
  if (command == nullptr || command->State == nullptr) return {};
  const bool on = states.*command->State;
  if (command->Flags & cfCheck) return {true, on};
  return {on, false};
}
