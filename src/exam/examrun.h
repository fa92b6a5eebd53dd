// The routines that drive an examination run: starting a normal or a review
// run, showing the questions, judging the answers, finishing, and the item
// listing that abandons a run. The main window owns one and forwards its
// handlers to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exam.h"
#include "examwindow.h"

// The menu items whose handlers land here.
enum TExamCommand { ecStart, ecReview, ecList, ecOther };

// A virtual-key code as the key-down event hands it over, and Enter's.
using TKeyCode = std::uint16_t;
inline constexpr TKeyCode kKeyEnter = 13;

class TExamRun {
public:
  TExamRun(TExam& exam, TExamWindow& window) : Exam(exam), Window(window) {}
  TExamRun(const TExamRun&) = delete;
  TExamRun& operator=(const TExamRun&) = delete;
  virtual ~TExamRun() = default;

  bool IsExamRunning() const { return Exam.RestItems.Count() > 0; }
  // True when the caller may go on: no run is active, or the user agreed to
  // quit it. Agreeing ends nothing; the caller replaces the run if it goes on.
  bool ConfirmQuitExam();
  // True, after telling the user, when the run's source set is empty.
  bool CheckNoItem(bool review);

  void Start(TExamCommand sender);
  void StartExam(bool review);
  void ShowNextItem();
  // Enter checks the answer during a run, whatever modifiers are held; the
  // key is then consumed (set to 0).
  void AnswerKeyDown(TKeyCode& key);
  void CheckAnswer();
  void GetAnswerEntry(std::string& question, std::vector<std::string>& answers, std::string& entry);
  void JudgeAnswer(const std::string& question, const std::vector<std::string>& answers,
                   const std::string& entry);
  void FinishExam();
  void List();
  void AbortExam();
  // The listing of every item of the open file.
  std::string MakeItemList() const;

private:
  TExam& Exam;
  TExamWindow& Window;
};
