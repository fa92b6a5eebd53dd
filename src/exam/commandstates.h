// The enabled and checked states of the commands, computed in this one place
// from what the program holds. The main window shows them on its menu items
// and buttons; nothing else decides them, and nothing reads them back.
#pragma once

#include <array>

#include "exam.h"
#include "settings/history.h"
#include "settings/options.h"

// The recent files the File menu offers.
inline constexpr int kRecentFileSlots = 5;

// Everything the states follow.
struct TCommandInputs {
  const TExam& Exam;
  const THistory& History;
  bool LogHoldsLine;
  const TSearchOptions& Search;
  const TViewOptions& View;
  const TExamOptions& ExamOptions;
};

struct TCommandStates {
  // Enabled.
  bool SaveLog = false;
  // Start and List: the open file has items; Review: the last run left misses.
  bool Start = false, Review = false, List = false;
  bool FindAgain = false; // Find Next and Find Prev: there is a text to find
  std::array<bool, kRecentFileSlots> RecentFile{};
  bool ClearHistory = false;
  // Checked: the options as they are.
  bool Toolbar = false, ToolbarCaptions = false, SwapPanels = false, StatusBar = false,
       LastPosition = false, Topmost = false;
  bool Shuffle = false, Swap = false, CaseSensitive = false;
  // Not a command: the answer field is read-only outside a run.
  bool AnswerReadOnly = true;
};

TCommandStates CommandStates(const TCommandInputs& inputs);
// The states the examination's state alone decides: Start, Review, List and
// the answer field; the others as they are with nothing open or set.
TCommandStates ExamCommandStates(const TExam& exam);
