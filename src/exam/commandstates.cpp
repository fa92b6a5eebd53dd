#include "commandstates.h"

#include "util/paths.h"

TCommandStates ExamCommandStates(const TExam& exam) {
  TCommandStates states;
  states.Start = exam.AllItems.Count() > 0;
  states.Review = exam.ReviewItems.Count() > 0;
  states.List = states.Start;
  states.AnswerReadOnly = exam.RestItems.Count() < 1;
  return states;
}

TCommandStates CommandStates(const TCommandInputs& inputs) {
  TCommandStates states = ExamCommandStates(inputs.Exam);
  states.SaveLog = inputs.LogHoldsLine;
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
