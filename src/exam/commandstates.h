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

// Which commands the examination's state allows.
struct TExamCommandStates {
  bool StartEnabled = false;  // Start and List: the open file has items
  bool ReviewEnabled = false; // Review: the last run left misses
  bool ListEnabled = false;
  bool AnswerReadOnly = true; // the answer field takes typing only during a run
};

TExamCommandStates ExamCommandStates(const TExam& exam);

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
