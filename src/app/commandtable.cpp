// The commands in menu order, each with what it does.
#include <algorithm>
#include <iterator>

#include "commands.h"
#include "mainform.h"

namespace {

using Form = TMainForm;
using State = TCommandStates;
using View = TViewOptions;
using Options = TExamOptions;

// One row a command; the table is read across, so it keeps its own layout.
// clang-format off
constexpr TCommand kCommands[] = {
  {.Id = cmNew,             .Caption = "&New",              .Command = &Form::NewDocument,                                               .Shortcut = {FCONTROL, 'N', "Ctrl+N"},  .Button = {tpNew, "New", "New"}},
  {.Id = cmOpen,            .Caption = "&Open...",          .Command = &Form::OpenWithDialog,                                            .Shortcut = {FCONTROL, 'O', "Ctrl+O"},  .Button = {tpOpen, "Open", "Open"}},
  {.Id = cmSaveLog,         .Caption = "&Save Log...",      .Command = &Form::SaveLog,                   .State = &State::SaveLog,       .Shortcut = {FCONTROL, 'S', "Ctrl+S"},  .Button = {tpSaveLog, "Log", "Save Log"}},
  {.Id = cmStart,           .Caption = "S&tart",            .Action = [](Form& f) { f.GetRun().Start(ecStart); },  .State = &State::Start, .Flags = cfSeparated, .Shortcut = {0, VK_F2, "F2"}, .Button = {tpStart, "Start", "Start"}},
  {.Id = cmReview,          .Caption = "&Review",           .Action = [](Form& f) { f.GetRun().Start(ecReview); }, .State = &State::Review,                     .Shortcut = {0, VK_F4, "F4"}, .Button = {tpReview, "Review", "Review"}},
  {.Id = cmList,            .Caption = "&List",             .Action = [](Form& f) { f.GetRun().List(); },          .State = &State::List,                       .Shortcut = {0, VK_F5, "F5"}, .Button = {tpList, "List", "List"}},
  // The History submenu; its slots open their files (TMainForm::OpenRecentFile).
  {.Id = cmHistoryFirst,    .Caption = "&History",                                                                                       .Flags = cfSeparated},
  {.Id = cmClear,           .Caption = "&Clear...",         .Command = &Form::ClearRecentFiles,          .State = &State::ClearHistory,  .Flags = cfSeparated | cfInHistory},
  {.Id = cmExit,            .Caption = "E&xit",             .Command = &Form::Exit,                                                      .Flags = cfSeparated},

  {.Id = cmFind,            .Caption = "&Find...",          .Command = &Form::Find,                                                      .Shortcut = {FCONTROL, 'F', "Ctrl+F"}},
  {.Id = cmFindNext,        .Caption = "Find &Next",        .Action = [](Form& f) { f.FindAgain(false); }, .State = &State::FindAgain,   .Shortcut = {0, VK_F3, "F3"}},
  {.Id = cmFindPrev,        .Caption = "Find &Prev",        .Action = [](Form& f) { f.FindAgain(true); },  .State = &State::FindAgain,   .Shortcut = {FSHIFT, VK_F3, "Shift+F3"}},
  {.Id = cmSelectAll,       .Caption = "&Select All",       .Command = &Form::SelectAll,                                                 .Flags = cfSeparated, .Shortcut = {FCONTROL, 'A', "Ctrl+A"}},

  {.Id = cmToolbar,         .Caption = "&Toolbar",          .FlipsView = &View::Toolbar,                 .State = &State::Toolbar},
  {.Id = cmToolbarCaptions, .Caption = "Toolbar &Captions", .FlipsView = &View::ToolbarCaptions,         .State = &State::ToolbarCaptions},
  {.Id = cmFont,            .Caption = "&Font...",          .Command = &Form::ChangeFont},
  {.Id = cmTabWidth,        .Caption = "Tab &Width...",     .Command = &Form::ChangeTabWidth},
  {.Id = cmSwapPanels,      .Caption = "&Swap Panels",      .FlipsView = &View::SwapPanels,              .State = &State::SwapPanels},
  {.Id = cmStatusBar,       .Caption = "Status &Bar",       .FlipsView = &View::StatusBar,               .State = &State::StatusBar},
  {.Id = cmLastPosition,    .Caption = "&Last Position",    .FlipsView = &View::LastPosition,            .State = &State::LastPosition,  .Flags = cfSeparated},
  {.Id = cmTopmost,         .Caption = "T&opmost",          .FlipsView = &View::Topmost,                 .State = &State::Topmost},
  {.Id = cmDefaultView,     .Caption = "&Default...",       .Command = &Form::ResetOptions<View>,                                        .Flags = cfSeparated},

  {.Id = cmShuffle,         .Caption = "&Shuffle",          .FlipsExam = &Options::Shuffle,              .State = &State::Shuffle,                                               .Button = {tpShuffle, "Shuffle", "Shuffle"}},
  {.Id = cmSwap,            .Caption = "S&wap",             .FlipsExam = &Options::Swap,                 .State = &State::Swap,                                                  .Button = {tpSwap, "Swap", "Swap"}},
  {.Id = cmCaseSensitive,   .Caption = "&Case Sensitive",   .FlipsExam = &Options::CaseSensitive,        .State = &State::CaseSensitive,                                         .Button = {tpCase, "Case", "Case Sensitive"}},
  {.Id = cmDefaultExam,     .Caption = "&Default...",       .Command = &Form::ResetOptions<Options>,                                     .Flags = cfSeparated},

  {.Id = cmHelp,            .Caption = "&Help...",          .Command = &Form::ShowHelp,                                                  .Shortcut = {0, VK_F1, "F1"}},
  {.Id = cmAbout,           .Caption = "&About",            .Command = &Form::ShowAbout,                                                 .Flags = cfSeparated},
};
// clang-format on

} // namespace

std::span<const TCommand> CommandTable() { return kCommands; }

const TCommand* FindCommand(int id) {
  if (IsHistoryCommand(id)) id = cmHistoryFirst;
  for (const TCommand& command : CommandTable())
    if (command.Id == id) return &command;
  return nullptr;
}

const TMenuColumn* ColumnOpenedBy(int id) {
  const auto column = std::find_if(std::begin(kMenuColumns), std::end(kMenuColumns),
                                   [id](const TMenuColumn& each) { return each.First == id; });
  return column != std::end(kMenuColumns) ? column : nullptr;
}

TCommandShown ShownState(int id, const TCommandStates& states) {
  if (IsHistoryCommand(id)) return {states.RecentFile[static_cast<size_t>(id - cmHistoryFirst)]};
  const TCommand* command = FindCommand(id);
  if (command == nullptr || command->State == nullptr) return {};
  const bool on = states.*command->State;
  if (command->IsCheck()) return {true, on};
  return {on, false};
}
