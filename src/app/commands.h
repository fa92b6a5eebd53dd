// The one table of command ids. The menu, the accelerators and the toolbar
// are built from it, and every click, whatever sent it, arrives as one of
// these ids. No id is 1 or 2: the dialog manager sends those for Enter and
// Escape.
#pragma once

#include <windows.h>

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

// A shortcut key of a menu item: the virtual key and its modifiers (FCONTROL,
// FSHIFT), with the text the menu shows after a TAB.
struct TShortcut {
  TCommandId Command;
  BYTE Modifiers;
  WORD Key;
  const char* Text;
};

inline constexpr TShortcut Shortcuts[] = {
    {cmNew, FCONTROL, 'N', "Ctrl+N"},
    {cmOpen, FCONTROL, 'O', "Ctrl+O"},
    {cmSaveLog, FCONTROL, 'S', "Ctrl+S"},
    {cmStart, 0, VK_F2, "F2"},
    {cmReview, 0, VK_F4, "F4"},
    {cmList, 0, VK_F5, "F5"},
    {cmFind, FCONTROL, 'F', "Ctrl+F"},
    {cmFindNext, 0, VK_F3, "F3"},
    {cmFindPrev, FSHIFT, VK_F3, "Shift+F3"},
    {cmSelectAll, FCONTROL, 'A', "Ctrl+A"},
    {cmHelp, 0, VK_F1, "F1"},
};

// A toolbar button: the command it clicks, its caption, its tooltip, and
// whether it stays down (a check button).
struct TToolButtonEntry {
  TCommandId Command;
  const char* Caption;
  const char* Hint;
  bool Check;
};

// Left to right, with cmNone for a separator; image i is the i-th button.
inline constexpr TToolButtonEntry ToolButtonTable[] = {
    {cmNew, "New", "New", false},
    {cmOpen, "Open", "Open", false},
    {cmSaveLog, "Log", "Save Log", false},
    {cmNone, nullptr, nullptr, false},
    {cmStart, "Start", "Start", false},
    {cmReview, "Review", "Review", false},
    {cmList, "List", "List", false},
    {cmNone, nullptr, nullptr, false},
    {cmShuffle, "Shuffle", "Shuffle", true},
    {cmSwap, "Swap", "Swap", true},
    {cmCaseSensitive, "Case", "Case Sensitive", true},
};
