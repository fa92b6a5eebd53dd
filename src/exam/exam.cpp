#include "exam.h"

void TExam::ResetRun() {
  RestItems.Clear();
  HitItems.Clear();
  MissItems.Clear();
  Index = -1;
  Options = TExamOptions();
}

void TExam::ClearAll() {
  ResetRun();
  AllItems.Clear();
  ReviewItems.Clear();
}
