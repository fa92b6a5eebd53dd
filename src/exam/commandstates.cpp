#include "commandstates.h"

TExamCommandStates ExamCommandStates(const TExam& exam) {
  TExamCommandStates states;
  states.StartEnabled = exam.AllItems.Count() > 0;
  states.ReviewEnabled = exam.ReviewItems.Count() > 0;
  states.ListEnabled = states.StartEnabled;
  states.AnswerReadOnly = exam.RestItems.Count() < 1;
  return states;
}
