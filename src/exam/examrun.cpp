#include "examrun.h"

#include <utility>

#include "examlog.h"
#include "util/platform.h"
#include "util/textutil.h"

namespace {

// The log pane seen as a list of lines. The lines of a block reach the pane
// together, as one change: each insertion costs the control a repaint,
// whatever its length.
class TWindowLog final : public TLogLines {
public:
  explicit TWindowLog(TExamWindow& window) : Window(window) {}
  bool HoldsLine() const override { return !Block.empty() || Window.Pane().HoldsLine(); }
  void Add(std::string_view line) override { Block.emplace_back(line); }
  void Commit() {
    if (!Block.empty()) Window.Pane().Append(Block);
    Block.clear();
  }

private:
  TExamWindow& Window;
  std::vector<std::string> Block;
};

} // namespace

bool TExamRun::ConfirmQuitExam() {
  if (!IsExamRunning()) return true;
  return Window.Confirm("Quit the current examination?");
}

bool TExamRun::CheckNoItem(bool review) {
  const TExamItems& source = review ? Exam.ReviewItems : Exam.AllItems;
  if (source.Count() > 0) return false;
  Window.ShowError("There is no item.");
  return true;
}

void TExamRun::Start(TExamCommand sender) {
  if (!ConfirmQuitExam()) return;
  if (sender != ecStart && sender != ecReview) return;
  const bool review = sender == ecReview;
  if (CheckNoItem(review)) return;
  StartExam(review);
}

void TExamRun::StartExam(bool review) {
  Window.SetStatus("Started");
  Exam.ResetRun();
  if (review) {
    Exam.RestItems.Assign(Exam.ReviewItems);
  } else {
    Exam.RestItems.Assign(Exam.AllItems);
    Exam.ReviewItems.Clear();
  }
  Window.UpdateCommands();
  Window.Fields().SetQuestionText("");
  Window.Fields().SetAnswerText("");
  Window.Pane().Replace("");
  ShowNextItem();
}

void TExamRun::ShowNextItem() {
  const long long hits = Exam.HitItems.Count(), misses = Exam.MissItems.Count(),
                  rest = Exam.RestItems.Count();
  Window.SetStatus("Answered " + GroupThousands(hits + misses) + "/" +
                   GroupThousands(hits + misses + rest) + " items");
  if (rest == 0) {
    FinishExam();
    return;
  }
  Exam.Options = Window.GetExamOptions();
  Exam.Index = 0;
  if (Exam.Options.Shuffle) {
    // Taken as unsigned, a value outside the promised range still gives an
    // index inside the set.
    const auto value = static_cast<std::uint32_t>(Window.GetRandomSource().Next());
    Exam.Index = static_cast<int>(value % static_cast<std::uint32_t>(rest));
  }
  Window.UpdateCommands();
  const TExamItem& item = std::as_const(Exam.RestItems).Get(Exam.Index);
  const std::string shown = Exam.Options.Swap ? item.GetAnswer(0) : std::string(item.Question);
  Window.Fields().SetQuestionText(shown);
  Window.Fields().SetAnswerText("");
  Window.Fields().FocusAnswer();
  Window.Announce(anQuestion, shown);
}

void TExamRun::AnswerKeyDown(TKeyCode& key) {
  if (key != kKeyEnter || !IsExamRunning()) return;
  key = 0;
  CheckAnswer();
}

void TExamRun::CheckAnswer() {
  std::string question, entry;
  std::vector<std::string> answers;
  GetAnswerEntry(question, answers, entry);
  JudgeAnswer(question, answers, entry);
  ShowNextItem();
}

void TExamRun::GetAnswerEntry(std::string& question, std::vector<std::string>& answers,
                              std::string& entry) {
  // Read through the const set, which shares the stored item.
  const TExamItem& item = std::as_const(Exam.RestItems).Get(Exam.Index);
  answers.clear();
  if (Exam.Options.Swap) {
    question = item.GetAnswer(0);
    answers.emplace_back(item.Question);
  } else {
    question = item.Question;
    answers.assign(item.Answers.begin(), item.Answers.end());
  }
  entry = Trim(Window.Fields().GetAnswerText());
}

void TExamRun::JudgeAnswer(const std::string& question, const std::vector<std::string>& answers,
                           const std::string& entry) {
  const std::string_view trimmed = TrimView(entry);
  const bool ignoreCase = !Exam.Options.CaseSensitive;
  bool hit = false;
  // An empty entry is a miss even where the locale would find an answer of
  // ignorable characters (a soft hyphen, say) equal to nothing.
  if (!trimmed.empty()) {
    for (const std::string& answer : answers) {
      if (sys::SameText(TrimView(answer), trimmed, ignoreCase)) {
        hit = true;
        break;
      }
    }
  }
  if (hit) {
    Exam.RestItems.MoveTo(Exam.Index, Exam.HitItems);
  } else {
    Exam.RestItems.MoveTo(Exam.Index, Exam.MissItems);
    TWindowLog log(Window);
    AddMissBlock(log, Exam.MissItems.Count(), question, answers, trimmed);
    log.Commit();
  }
  Window.UpdateCommands();
  Window.Announce(anVerdict, hit ? "Hit" : MissVerdict(answers));
}

void TExamRun::FinishExam() {
  // 64-bit, so that a hundred times the hits cannot overflow.
  const long long hits = Exam.HitItems.Count(), misses = Exam.MissItems.Count();
  const int ratio = hits + misses == 0 ? 0 : static_cast<int>(hits * 100 / (hits + misses));
  Window.Fields().SetQuestionText("");
  Window.Fields().SetAnswerText("");
  TWindowLog log(Window);
  AddResultsBlock(log, static_cast<int>(hits), static_cast<int>(misses), ratio);
  log.Commit();
  Window.Announce(anResults,
                  ResultsSummary(static_cast<int>(hits), static_cast<int>(misses), ratio));
  Window.Pane().TakeFocus();
  // The misses become the review set. The run's sets are emptied right
  // after, so taking the missed items over is the same as copying them.
  Exam.ReviewItems.Swap(Exam.MissItems);
  Exam.ResetRun();
  Window.UpdateCommands();
}

void TExamRun::List() {
  if (!ConfirmQuitExam()) return;
  Window.SetStatus("Showed the item list");
  if (IsExamRunning()) AbortExam();
  Window.Fields().SetQuestionText("");
  Window.Fields().SetAnswerText("");
  Window.Pane().Replace(MakeItemList());
  Window.Pane().TakeFocus();
}

void TExamRun::AbortExam() {
  Exam.ResetRun();
  Window.UpdateCommands();
  Window.Fields().SetQuestionText("");
  Window.Fields().SetAnswerText("");
  Window.Pane().Replace("");
}

std::string TExamRun::MakeItemList() const {
  return ::MakeItemList(Window.GetFileName(), Exam.AllItems);
}
