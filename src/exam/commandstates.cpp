#include "commandstates.h"

#include "util/paths.h"

TExamCommandStates ExamCommandStates(const TExam& exam) {
  TExamCommandStates states;
  states.StartEnabled = exam.AllItems.Count() > 0;
  states.ReviewEnabled = exam.ReviewItems.Count() > 0;
  states.ListEnabled = states.StartEnabled;
  states.AnswerReadOnly = exam.RestItems.Count() < 1;
  return states;
}

TCommandStates CommandStates(const TCommandInputs& inputs) {
  TCommandStates states;
  const TExamCommandStates exam = ExamCommandStates(inputs.Exam);
  states.SaveLog = inputs.LogHoldsLine;
  states.Start = exam.StartEnabled;
  states.Review = exam.ReviewEnabled;
  states.List = exam.ListEnabled;
  states.AnswerReadOnly = exam.AnswerReadOnly;
  states.FindAgain = !inputs.Search.FindText.empty();
  // A slot offers its file when it names one.
  for (int slot = 0; slot < kRecentFileSlots && slot < inputs.History.Count(); ++slot) {
    states.RecentFile[static_cast<size_t>(slot)] =
        !ExtractFileName(inputs.History.Get(slot)).empty();
    states.ClearHistory = states.ClearHistory || states.RecentFile[static_cast<size_t>(slot)];
  }
  const TViewOptions& view = inputs.View;
  states.Toolbar = view.Toolbar;
  states.ToolbarCaptions = view.ToolbarCaptions;
  states.SwapPanels = view.SwapPanels;
  states.StatusBar = view.StatusBar;
  states.LastPosition = view.LastPosition;
  states.Topmost = view.Topmost;
  states.Shuffle = inputs.ExamOptions.Shuffle;
  states.Swap = inputs.ExamOptions.Swap;
  states.CaseSensitive = inputs.ExamOptions.CaseSensitive;
  return states;
}
