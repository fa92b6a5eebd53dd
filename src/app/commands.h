// The command table: every command's id, menu caption, what it does, the
// state that decides it, its shortcut and its toolbar button. The menu, the
// accelerators and the toolbar are built from it, and every click, whatever
// sent it, arrives as one of these ids. No id is 1 or 2: the dialog manager
// sends those for Enter and Escape.
#pragma once

#include <span>

#include <windows.h>

#include "exam/commandstates.h"
#include "settings/options.h"
#include "toolbarimages.h"

class TMainForm;

enum TCommandId : WORD {
  cmNone = 0,
  // File
  cmNew = 100,
  cmOpen,
  cmSaveLog,
  cmStart,
  cmReview,
  cmList,
  cmHistoryFirst, // one id per recent-file slot
  cmHistoryLast = cmHistoryFirst + 4,
  cmClear,
  cmExit,
  // Edit
  cmFind,
  cmFindNext,
  cmFindPrev,
  cmSelectAll,
  // View
  cmToolbar,
  cmToolbarCaptions,
  cmFont,
  cmTabWidth,
  cmSwapPanels,
  cmStatusBar,
  cmLastPosition,
  cmTopmost,
  cmDefaultView,
  // Options
  cmShuffle,
  cmSwap,
  cmCaseSensitive,
  cmDefaultExam,
  // Help
  cmHelp,
  cmAbout,
};

constexpr int kHistorySlots = cmHistoryLast - cmHistoryFirst + 1;
static_assert(kHistorySlots == kRecentFileSlots);

inline bool IsHistoryCommand(int id) { return id >= cmHistoryFirst && id <= cmHistoryLast; }

// A shortcut key: the virtual key (0 for none) and its modifiers (FCONTROL,
// FSHIFT), with the text the menu shows after a TAB.
struct TShortcut {
  BYTE Modifiers = 0;
  WORD Key = 0;
  const char* Text = nullptr;
};

// A toolbar button: its picture, its caption and its tooltip. A command
// without a caption has no button.
struct TButton {
  int Picture = -1;
  const char* Caption = nullptr;
  const char* Hint = nullptr;
};

enum TCommandFlag : unsigned {
  cfSeparated = 1, // a separator before it, in the menu and on the toolbar
  cfInHistory = 2, // in the History submenu, after the recent files
};

// A row of the table. It does one of: a command of the window, a small
// action given the window, or, for a check item, flipping the option it
// names.
struct TCommand {
  TCommandId Id;
  const char* Caption;
  void (TMainForm::*Command)() = nullptr;
  void (*Action)(TMainForm& form) = nullptr;
  bool TViewOptions::*FlipsView = nullptr;
  bool TExamOptions::*FlipsExam = nullptr;
  // The state that decides it: for a check item whether it is checked, for
  // any other whether it is enabled. Without one a command is always enabled
  // and never checked.
  bool TCommandStates::*State = nullptr;
  unsigned Flags = 0;
  TShortcut Shortcut{};
  TButton Button{};

  bool IsCheck() const { return FlipsView != nullptr || FlipsExam != nullptr; }
  bool HasButton() const { return Button.Caption != nullptr; }
};

// A column of the menu bar and the command that opens it.
struct TMenuColumn {
  const char* Caption;
  TCommandId First;
};

inline constexpr TMenuColumn kMenuColumns[] = {
    {"&File", cmNew},        {"&Edit", cmFind}, {"&View", cmToolbar},
    {"&Options", cmShuffle}, {"&Help", cmHelp},
};

// The column the command opens, or null when it is not the first of one.
const TMenuColumn* ColumnOpenedBy(int id);

// Every command in menu order (commandtable.cpp); the buttons stand in the
// same order. cmHistoryFirst is the History submenu, which holds the
// recent-file slots.
std::span<const TCommand> CommandTable();

// The table's row of a command; the History submenu's for every slot.
const TCommand* FindCommand(int id);

// How a command shows on its menu item and button. A check item is always
// enabled, its state is whether it is checked; any other command's state is
// whether it is enabled.
struct TCommandShown {
  bool Enabled = true;
  bool Checked = false;
  bool operator==(const TCommandShown&) const = default;
};
TCommandShown ShownState(int id, const TCommandStates& states);
