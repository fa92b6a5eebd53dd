// The state of the examination: the items of the open file, the review set,
// and the rest, hits and misses of the run in progress.
#pragma once

#include "examitems.h"
#include "settings/options.h"

class TExam {
public:
  TExam() = default;
  TExam(const TExam&) = delete;
  TExam& operator=(const TExam&) = delete;
  // The sets, declared in order of creation, are freed in reverse.
  virtual ~TExam() { ClearAll(); }

  TExamItems AllItems;
  // Copies of the items missed in the last finished run, in the order missed.
  TExamItems ReviewItems;
  // The items of the run not yet answered, the current one included, in
  // source order. A run is active exactly when this holds an item.
  TExamItems RestItems;
  TExamItems HitItems;
  TExamItems MissItems;
  // The current item in RestItems; -1 when no question is pending.
  int Index = -1;
  // The options the question on screen was shown with.
  TExamOptions Options;

  void ResetRun();
  void ClearAll();
};
