// The command table: every command's id, menu caption, shortcut and toolbar
// button. The menu, the accelerators and the toolbar are built from it, and
// every click, whatever sent it, arrives as one of these ids. No id is 1 or
// 2: the dialog manager sends those for Enter and Escape.
#pragma once

#include <windows.h>

#include "toolbarimages.h"

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

constexpr int HistorySlots = cmHistoryLast - cmHistoryFirst + 1;

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
  cfCheck = 2,     // a check item, whose button stays down
  cfInHistory = 4, // in the History submenu, after the recent files
};

struct TCommand {
  TCommandId Id;
  const char* Caption;
  unsigned Flags = 0;
  TShortcut Shortcut{};
  TButton Button{};
};

// A column of the menu bar and the command that opens it.
struct TMenuColumn {
  const char* Caption;
  TCommandId First;
};

inline constexpr TMenuColumn MenuColumns[] = {
    {"&File", cmNew},        {"&Edit", cmFind}, {"&View", cmToolbar},
    {"&Options", cmShuffle}, {"&Help", cmHelp},
};

// In menu order; the buttons stand in the same order. cmHistoryFirst is the
// History submenu, which holds the recent-file slots.
inline constexpr TCommand Commands[] = {
    {cmNew, "&New", 0, {FCONTROL, 'N', "Ctrl+N"}, {tpNew, "New", "New"}},
    {cmOpen, "&Open...", 0, {FCONTROL, 'O', "Ctrl+O"}, {tpOpen, "Open", "Open"}},
    {cmSaveLog, "&Save Log...", 0, {FCONTROL, 'S', "Ctrl+S"}, {tpSaveLog, "Log", "Save Log"}},
    {cmStart, "S&tart", cfSeparated, {0, VK_F2, "F2"}, {tpStart, "Start", "Start"}},
    {cmReview, "&Review", 0, {0, VK_F4, "F4"}, {tpReview, "Review", "Review"}},
    {cmList, "&List", 0, {0, VK_F5, "F5"}, {tpList, "List", "List"}},
    {cmHistoryFirst, "&History", cfSeparated},
    {cmClear, "&Clear...", cfSeparated | cfInHistory},
    {cmExit, "E&xit", cfSeparated},

    {cmFind, "&Find...", 0, {FCONTROL, 'F', "Ctrl+F"}},
    {cmFindNext, "Find &Next", 0, {0, VK_F3, "F3"}},
    {cmFindPrev, "Find &Prev", 0, {FSHIFT, VK_F3, "Shift+F3"}},
    {cmSelectAll, "&Select All", cfSeparated, {FCONTROL, 'A', "Ctrl+A"}},

    {cmToolbar, "&Toolbar", cfCheck},
    {cmToolbarCaptions, "Toolbar &Captions", cfCheck},
    {cmFont, "&Font..."},
    {cmTabWidth, "Tab &Width..."},
    {cmSwapPanels, "&Swap Panels", cfCheck},
    {cmStatusBar, "Status &Bar", cfCheck},
    {cmLastPosition, "&Last Position", cfSeparated | cfCheck},
    {cmTopmost, "T&opmost", cfCheck},
    {cmDefaultView, "&Default...", cfSeparated},

    {cmShuffle, "&Shuffle", cfCheck, {}, {tpShuffle, "Shuffle", "Shuffle"}},
    {cmSwap, "S&wap", cfCheck, {}, {tpSwap, "Swap", "Swap"}},
    {cmCaseSensitive, "&Case Sensitive", cfCheck, {}, {tpCase, "Case", "Case Sensitive"}},
    {cmDefaultExam, "&Default...", cfSeparated},

    {cmHelp, "&Help...", 0, {0, VK_F1, "F1"}},
    {cmAbout, "&About", cfSeparated},
};

// The table's row of a command; the History submenu's for every slot.
inline const TCommand* FindCommand(int id) {
  if (IsHistoryCommand(id)) id = cmHistoryFirst;
  for (const TCommand& command : Commands)
    if (command.Id == id) return &command;
  return nullptr;
}
