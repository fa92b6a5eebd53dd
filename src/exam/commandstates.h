// Which commands the examination's state allows. The main window sets its
// menu items and buttons from these; nothing else decides them.
#pragma once

#include "exam.h"

struct TExamCommandStates {
  bool StartEnabled = false;  // Start and List: the open file has items
  bool ReviewEnabled = false; // Review: the last run left misses
  bool ListEnabled = false;
  bool AnswerReadOnly = true; // the answer field takes typing only during a run
};

TExamCommandStates ExamCommandStates(const TExam& exam);
