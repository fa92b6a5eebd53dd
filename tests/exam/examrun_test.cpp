#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "exam/randomsource.h"
#include "support/fakeexamwindow.h"

namespace {

// "q7" and the like, built by appending (GCC 12 warns wrongly on "q" + text).
std::string Numbered(const char* prefix, int number) {
  return std::string(prefix).append(std::to_string(number));
}

using Lines = std::vector<std::string>;

class ExamRun : public ::testing::Test, protected TFakeExamSetup {
protected:
  using TFakeExamSetup::Run; // not the test's own Run()

  void SetUp() override {
    Window.Options.Shuffle = false;
    Window.UpdateCommands(); // the main window does so when it is created
  }

  void AddFacts() {
    AddItem("capital of France", {"Paris"});
    AddItem("largest planet", {"Jupiter", "the fifth planet"});
    AddItem("opposite of hot", {"cold"});
  }

  // Adds items "q1".."qN" answered "a1".."aN".
  void AddNumbered(int count) {
    for (int i = 1; i <= count; ++i) AddItem(Numbered("q", i), {Numbered("a", i)});
  }

  // Answers every question of the run, right unless the question is listed;
  // returns the questions in the order they were asked.
  Lines AnswerAll(const std::set<std::string>& wrong = {}) {
    Lines asked;
    while (Run.IsExamRunning()) {
      const std::string question = Window.QuestionField;
      asked.push_back(question);
      const TExamItem& item = Exam.RestItems.Get(Exam.Index);
      Answer(wrong.count(question) ? "wrong"
                                   : (Exam.Options.Swap ? item.Question : item.Answers[0]));
    }
    return asked;
  }

  int Ratio() {
    const Lines lines = Window.LogLines();
    return std::stoi(lines.back().substr(std::string("Ratio: ").size()));
  }

  // What a user sees, to prove that nothing changed.
  struct TScreen {
    std::string Status, QuestionField, AnswerField, Log;
    bool AnswerReadOnly, ReviewEnabled;
    int Index, Rest, Hits, Misses, Review;
    bool operator==(const TScreen&) const = default;
  };
  TScreen Screen() const {
    return {Window.Status,
            Window.QuestionField,
            Window.AnswerField,
            Window.Log.Text(),
            Window.AnswerReadOnly,
            Window.ReviewEnabled,
            Exam.Index,
            Exam.RestItems.Count(),
            Exam.HitItems.Count(),
            Exam.MissItems.Count(),
            Exam.ReviewItems.Count()};
  }
};

} // namespace

TEST_F(ExamRun, WorkedExampleLogsTwoMissesAndTheResults) {
  AddFacts();
  Run.Start(ecStart);
  EXPECT_EQ(Window.StatusHistory, (Lines{"Started", "Answered 0/3 items"}));
  EXPECT_EQ(Window.QuestionField, "capital of France");
  EXPECT_EQ(Window.Focus, ffAnswer);
  EXPECT_FALSE(Window.AnswerReadOnly);
  EXPECT_FALSE(Window.SaveLogEnabled);

  Answer("paris");
  EXPECT_EQ(Window.Status, "Answered 1/3 items");
  EXPECT_EQ(Window.Log.Text(), ""); // a hit is not logged
  EXPECT_EQ(Window.QuestionField, "largest planet");
  EXPECT_EQ(Window.AnswerField, "");
  Answer("Saturn");
  EXPECT_TRUE(Window.SaveLogEnabled);
  Answer("  warm \t");

  EXPECT_EQ(Window.Log.Text(), "[Miss 1]\r\n"
                               "Question: largest planet\r\n"
                               "Answer 1: Jupiter\r\n"
                               "Answer 2: the fifth planet\r\n"
                               "Entry: Saturn\r\n"
                               "\r\n"
                               "[Miss 2]\r\n"
                               "Question: opposite of hot\r\n"
                               "Answer 1: cold\r\n"
                               "Entry: warm\r\n"
                               "\r\n"
                               "[Results]\r\n"
                               "Hit: 1\r\n"
                               "Miss: 2\r\n"
                               "Ratio: 33%\r\n");
  EXPECT_EQ(Window.Status, "Answered 3/3 items");
  EXPECT_EQ(Window.QuestionField, "");
  EXPECT_EQ(Window.AnswerField, "");
  EXPECT_EQ(Window.Focus, ffLog);
  EXPECT_TRUE(Window.AnswerReadOnly);
  EXPECT_TRUE(Window.ReviewEnabled);
  EXPECT_EQ(Exam.Index, -1);
  EXPECT_EQ(Exam.RestItems.Count() + Exam.HitItems.Count() + Exam.MissItems.Count(), 0);

  Run.Start(ecReview);
  EXPECT_EQ(Window.Log.Text(), ""); // every run starts with an empty log
  EXPECT_EQ(AnswerAll({"largest planet"}), (Lines{"largest planet", "opposite of hot"}));
  // Missed again in the review: numbered from 1 in the new log.
  EXPECT_EQ(Window.LogLines()[0], "[Miss 1]");
  EXPECT_EQ(Window.Status, "Answered 2/2 items");
}

// A screen reader hears each question as shown, each verdict with what was
// accepted, and the results, in that order; the listing and an abandoned run
// tell it nothing.
TEST_F(ExamRun, ScreenReaderHearsQuestionsVerdictsAndResultsInOrder) {
  using Heard = std::vector<std::pair<TAnnouncement, std::string>>;
  AddFacts();
  AddItem("capital of the United States", {"Washington, D.C."});
  Run.Start(ecStart);
  for (const char* entry : {"paris", "Saturn", "warm", "Washington"}) Answer(entry);
  EXPECT_EQ(Window.Announcements,
            (Heard{{anQuestion, "capital of France"},
                   {anVerdict, "Hit"},
                   {anQuestion, "largest planet"},
                   {anVerdict, "Miss. Answer 1: Jupiter. Answer 2: the fifth planet"},
                   {anQuestion, "opposite of hot"},
                   {anVerdict, "Miss. Answer 1: cold"},
                   {anQuestion, "capital of the United States"},
                   {anVerdict, "Miss. Answer 1: Washington, D.C."},
                   {anResults, "Results. Hit: 1. Miss: 3. Ratio: 25%"}}));

  Window.Announcements.clear();
  Window.Options.Swap = true;
  Run.Start(ecReview);
  Answer("largest planet");
  EXPECT_EQ(Window.Announcements,
            (Heard{{anQuestion, "Jupiter"}, {anVerdict, "Hit"}, {anQuestion, "cold"}}));
  Window.Announcements.clear();
  Run.List();
  EXPECT_TRUE(Window.Announcements.empty());
}

TEST_F(ExamRun, RatioIsRoundedTowardZero) {
  struct Case {
    int items;
    std::set<std::string> wrong;
    int ratio;
  };
  for (const Case& c : {Case{1, {}, 100}, Case{3, {"q2"}, 66}, Case{3, {"q1", "q3"}, 33},
                        Case{3, {"q1", "q2", "q3"}, 0}}) {
    Exam.ClearAll();
    AddNumbered(c.items);
    Run.Start(ecStart);
    AnswerAll(c.wrong);
    EXPECT_EQ(Ratio(), c.ratio) << c.items << " items, " << c.wrong.size() << " wrong";
    EXPECT_EQ(Window.ReviewEnabled, !c.wrong.empty());
  }
}

TEST_F(ExamRun, RunWithoutMissWritesOnlyTheResults) {
  AddNumbered(1);
  Run.Start(ecStart);
  Answer("a1");
  EXPECT_EQ(Window.LogLines(), (Lines{"[Results]", "Hit: 1", "Miss: 0", "Ratio: 100%"}));
  EXPECT_FALSE(Window.ReviewEnabled);
  Run.Start(ecReview); // the safeguard behind the disabled command
  EXPECT_EQ(Window.Errors, (Lines{"There is no item."}));
  EXPECT_FALSE(Run.IsExamRunning());
}

TEST_F(ExamRun, SwapShowsTheFirstAnswerAndAcceptsOnlyTheQuestion) {
  Window.Options.Swap = true;
  AddItem("Q", {"A1", "A2"});
  AddItem("R", {"B1"});
  Run.Start(ecStart);
  EXPECT_EQ(Window.QuestionField, "A1");
  Answer("A2");
  EXPECT_EQ(Window.QuestionField, "B1");
  Answer("r");
  EXPECT_EQ(Window.LogLines(), (Lines{"[Miss 1]", "Question: A1", "Answer 1: Q", "Entry: A2", "",
                                      "[Results]", "Hit: 1", "Miss: 1", "Ratio: 50%"}));
  // The review set holds the items themselves, not their swapped form.
  EXPECT_EQ(Exam.ReviewItems.Get(0).Question, "Q");
  EXPECT_EQ(Exam.ReviewItems.Get(0).GetAnswerCount(), 2);
}

TEST_F(ExamRun, CaseMattersOnlyWhenCaseSensitive) {
  AddItem("q", {"Answer"});
  for (bool caseSensitive : {false, true}) {
    Window.Options.CaseSensitive = caseSensitive;
    Run.Start(ecStart);
    Answer("aNSWER");
    EXPECT_EQ(Ratio(), caseSensitive ? 0 : 100) << caseSensitive;
    Run.Start(ecStart);
    Answer("Answer");
    EXPECT_EQ(Ratio(), 100) << caseSensitive;
  }
}

TEST_F(ExamRun, BlanksAroundTheEntryNeverMatterAndBlanksAloneMiss) {
  AddItem("q1", {"yes"});
  AddItem("q2", {"yes"});
  Run.Start(ecStart);
  Answer(" \t yes\r\n ");
  Answer(" \t ");
  EXPECT_EQ(Window.LogLines(), (Lines{"[Miss 1]", "Question: q2", "Answer 1: yes", "Entry: ", "",
                                      "[Results]", "Hit: 1", "Miss: 1", "Ratio: 50%"}));
}

TEST_F(ExamRun, EnterChecksOnlyDuringARun) {
  AddNumbered(2);
  // Outside a run Enter is left to the field and nothing happens.
  EXPECT_EQ(PressEnter(), kKeyEnter);
  EXPECT_TRUE(Window.StatusHistory.empty());
  EXPECT_EQ(Window.LogChanges, 0);

  Run.Start(ecStart);
  Window.Type("a1");
  EXPECT_EQ(PressEnter(), 0);
  EXPECT_EQ(Exam.HitItems.Count(), 1);
  Window.Type("a2");
  EXPECT_EQ(PressEnter(), 0);
  EXPECT_EQ(Window.Status, "Answered 2/2 items");

  Run.Start(ecStart);
  for (TKeyCode other : {TKeyCode{27}, TKeyCode{9}, TKeyCode{'A'}}) {
    TKeyCode key = other;
    Run.AnswerKeyDown(key);
    EXPECT_EQ(key, other);
  }
  EXPECT_EQ(Exam.RestItems.Count(), 2);
  Run.AbortExam();
  EXPECT_EQ(PressEnter(), kKeyEnter);
}

TEST_F(ExamRun, ReviewAsksTheMissesInTheOrderMissed) {
  AddNumbered(5);
  Window.Options.Shuffle = true;
  Window.Random.Values = {4, 0, 2, 0, 0}; // asks q5, q1, q4, q2, q3
  Run.Start(ecStart);
  EXPECT_EQ(AnswerAll({"q1", "q3", "q5"}), (Lines{"q5", "q1", "q4", "q2", "q3"}));

  Window.Options.Shuffle = false;
  Run.Start(ecReview);
  EXPECT_EQ(Exam.ReviewItems.Count(), 3); // kept while the review runs
  EXPECT_TRUE(Window.ReviewEnabled);
  // The review set becomes the review run's own misses.
  EXPECT_EQ(AnswerAll({"q3"}), (Lines{"q5", "q1", "q3"}));
  ASSERT_EQ(Exam.ReviewItems.Count(), 1);
  EXPECT_EQ(Exam.ReviewItems.Get(0).Question, "q3");

  Run.Start(ecReview);
  AnswerAll();
  EXPECT_EQ(Exam.ReviewItems.Count(), 0); // a review without a miss disables Review
  EXPECT_FALSE(Window.ReviewEnabled);
}

TEST_F(ExamRun, AbandonedReviewKeepsTheReviewSetAndNormalStartClearsIt) {
  AddNumbered(3);
  Run.Start(ecStart);
  AnswerAll({"q2", "q3"});

  Run.Start(ecReview);
  Answer("a2");
  Run.List();
  EXPECT_EQ(Window.Confirmations, (Lines{"Quit the current examination?"}));
  EXPECT_FALSE(Run.IsExamRunning());
  EXPECT_EQ(Exam.ReviewItems.Count(), 2);
  EXPECT_TRUE(Window.ReviewEnabled);

  // Review during a review run restarts it after the confirmation.
  Run.Start(ecReview);
  Answer("a2");
  Run.Start(ecReview);
  EXPECT_EQ(Window.Status, "Answered 0/2 items");
  EXPECT_EQ(Window.QuestionField, "q2");

  Run.Start(ecStart);
  EXPECT_EQ(Exam.ReviewItems.Count(), 0);
  EXPECT_FALSE(Window.ReviewEnabled);
  Run.List(); // abandoning the normal run leaves Review disabled
  EXPECT_FALSE(Window.ReviewEnabled);
}

TEST_F(ExamRun, CancelledQuitLeavesTheRunAsItWas) {
  AddNumbered(3);
  Run.Start(ecStart);
  AnswerAll({"q1", "q2", "q3"});
  Run.Start(ecReview);
  Answer("wrong");
  Window.Type("half typed");
  Window.ConfirmAnswer = false;
  const TScreen before = Screen();
  const int changes = Window.LogChanges;
  for (TExamCommand command : {ecStart, ecReview, ecOther}) {
    Run.Start(command);
    EXPECT_EQ(Screen(), before) << command;
  }
  Run.List();
  EXPECT_EQ(Screen(), before);
  EXPECT_FALSE(Run.ConfirmQuitExam());
  EXPECT_EQ(Window.Confirmations.size(), 5u);
  EXPECT_EQ(Window.LogChanges, changes);
  EXPECT_TRUE(Window.Errors.empty());
}

TEST_F(ExamRun, ConfirmedStartReplacesTheRun) {
  AddNumbered(3);
  Run.Start(ecStart);
  Answer("wrong");
  Window.Type("typed");
  Run.Start(ecStart);
  EXPECT_EQ(Window.Confirmations, (Lines{"Quit the current examination?"}));
  EXPECT_EQ(Window.Log.Text(), "");
  EXPECT_EQ(Window.AnswerField, "");
  EXPECT_EQ(Window.Status, "Answered 0/3 items");
  EXPECT_EQ(Exam.RestItems.Count(), 3);
  EXPECT_EQ(Exam.MissItems.Count(), 0);

  // Agreeing to quit ends nothing when the command then stops: the run goes on.
  Run.Start(ecReview);
  EXPECT_EQ(Window.Errors, (Lines{"There is no item."}));
  EXPECT_EQ(Exam.RestItems.Count(), 3);
  Run.Start(ecOther);
  EXPECT_EQ(Window.Confirmations.size(), 3u);
  EXPECT_EQ(Exam.RestItems.Count(), 3);
}

TEST_F(ExamRun, NoItemIsReportedAndNothingElseChanges) {
  Run.Start(ecStart);
  Run.Start(ecReview);
  EXPECT_EQ(Window.Errors, (Lines{"There is no item.", "There is no item."}));
  EXPECT_TRUE(Window.StatusHistory.empty());
  EXPECT_TRUE(Window.Confirmations.empty()); // no run, so nothing to confirm
  EXPECT_FALSE(Window.StartEnabled);
}

TEST_F(ExamRun, OptionsChangedMidRunApplyFromTheNextQuestion) {
  AddItem("q1", {"a1"});
  AddItem("q2", {"a2"});
  AddItem("q3", {"a3"});
  Run.Start(ecStart);
  EXPECT_EQ(Window.QuestionField, "q1");
  Window.Options.Swap = true;
  Window.Options.CaseSensitive = true;
  Answer("A1"); // judged as shown: no swap, case ignored
  EXPECT_EQ(Exam.HitItems.Count(), 1);
  EXPECT_EQ(Window.QuestionField, "a2");
  Window.Options.Swap = false;
  Answer("q2"); // shown swapped, so the question is the answer
  EXPECT_EQ(Exam.HitItems.Count(), 2);
  EXPECT_EQ(Window.QuestionField, "q3");
  Answer("A3");
  EXPECT_EQ(Exam.ReviewItems.Count(), 1); // shown case sensitive, so a miss

  Window.Options.Shuffle = true;
  Window.Random.Values = {2};
  Run.Start(ecStart);
  EXPECT_EQ(Window.QuestionField, "q3");
  Window.Options.Shuffle = false;
  Answer("a3");
  EXPECT_EQ(Window.QuestionField, "q1");
  EXPECT_EQ(Window.Random.Draws, 1);
}

TEST_F(ExamRun, ShuffleAsksEveryItemOnceInTheOrderTheSourceDictates) {
  AddNumbered(4);
  Window.Options.Shuffle = true;
  Window.Random.Values = {2, 0, 1, 2147483647};
  Run.Start(ecStart);
  // 2 of [q1 q2 q3 q4], 0 of [q1 q2 q4], 1 of [q2 q4], the last of [q2].
  EXPECT_EQ(AnswerAll(), (Lines{"q3", "q1", "q4", "q2"}));
  EXPECT_EQ(Window.Random.Draws, 4);

  Exam.ClearAll();
  AddNumbered(200);
  TClockRandom clock;
  Window.Random.Values.clear();
  for (int i = 0; i < 200; ++i) Window.Random.Values.push_back(clock.Next());
  Run.Start(ecStart);
  Lines asked = AnswerAll({"q7"});
  std::sort(asked.begin(), asked.end());
  EXPECT_EQ(std::unique(asked.begin(), asked.end()), asked.end());
  EXPECT_EQ(asked.size(), 200u);
  EXPECT_EQ(Window.Status, "Answered 200/200 items");
}

TEST_F(ExamRun, ThousandsAreGroupedInStatusAndHeadersButNotAnswerNumbers) {
  AddNumbered(1500);
  for (int k = 2; k <= 1000; ++k) Exam.AllItems.Get(0).AddAnswer(Numbered("b", k));
  Run.Start(ecStart);
  EXPECT_EQ(Window.Status, "Answered 0/1,500 items");
  for (int i = 0; i < 1500; ++i) Answer("wrong");
  EXPECT_EQ(Window.Status, "Answered 1,500/1,500 items");
  const Lines lines = Window.LogLines();
  EXPECT_EQ(lines[1001], "Answer 1000: b1000");
  EXPECT_EQ(lines[1002], "Entry: wrong");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "[Miss 1,000]"), lines.end());
  EXPECT_EQ(Lines(lines.end() - 4, lines.end()),
            (Lines{"[Results]", "Hit: 0", "Miss: 1,500", "Ratio: 0%"}));
}

TEST_F(ExamRun, ListShowsTheFileItemsAndAbandonsARun) {
  AddFacts();
  Window.FileName = "C:\\Drill\\facts.txt";
  Window.Options.Swap = true;
  Run.Start(ecStart);
  Answer("wrong");
  Window.Type("typed");
  Run.List();
  EXPECT_EQ(Window.Confirmations.size(), 1u);
  EXPECT_EQ(Window.Status, "Showed the item list");
  EXPECT_FALSE(Run.IsExamRunning());
  EXPECT_EQ(Exam.Index, -1);
  EXPECT_TRUE(Window.AnswerReadOnly);
  EXPECT_EQ(Window.QuestionField, "");
  EXPECT_EQ(Window.AnswerField, "");
  EXPECT_EQ(Window.Focus, ffLog);
  EXPECT_TRUE(Window.SaveLogEnabled);
  // Questions stay questions whatever Swap says, and no results are written.
  const Lines lines = Window.LogLines();
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[1], "Filename: C:\\Drill\\facts.txt");
  EXPECT_EQ(lines[5], "Question: capital of France");
  EXPECT_EQ(lines[15], "Answer 1: cold");
  EXPECT_EQ(Exam.ReviewItems.Count(), 0);

  Run.List(); // no run, so no question
  EXPECT_EQ(Window.Confirmations.size(), 1u);
}

TEST_F(ExamRun, ItemsPassBetweenSetsAsCopies) {
  AddNumbered(2);
  Run.Start(ecStart);
  Exam.AllItems.Get(0).Question = "changed";
  Answer("wrong");
  EXPECT_EQ(Window.LogLines()[1], "Question: q1");
  AnswerAll();
  Exam.AllItems.Get(0).Question = "changed again";
  ASSERT_EQ(Exam.ReviewItems.Count(), 1);
  EXPECT_EQ(Exam.ReviewItems.Get(0).Question, "q1");
}

TEST(Exam, ResetRunKeepsTheFileAndReviewAndClearAllEmptiesEverything) {
  TExam exam;
  EXPECT_EQ(exam.Index, -1);
  EXPECT_TRUE(exam.Options == TExamOptions());
  for (TExamItems* set :
       {&exam.AllItems, &exam.ReviewItems, &exam.RestItems, &exam.HitItems, &exam.MissItems})
    set->Add().Question = "x";
  exam.Index = 0;
  exam.Options.Shuffle = false;
  exam.Options.Swap = true;
  exam.ResetRun();
  EXPECT_EQ(exam.Index, -1);
  EXPECT_TRUE(exam.Options == TExamOptions());
  EXPECT_EQ(exam.RestItems.Count() + exam.HitItems.Count() + exam.MissItems.Count(), 0);
  EXPECT_EQ(exam.AllItems.Count(), 1);
  EXPECT_EQ(exam.ReviewItems.Count(), 1);
  exam.ClearAll();
  EXPECT_EQ(exam.AllItems.Count() + exam.ReviewItems.Count(), 0);
}

TEST(RandomSource, GivesVariedValuesBelowTwoToThe31) {
  TClockRandom random;
  std::set<std::int32_t> seen;
  for (int i = 0; i < 10000; ++i) {
    const std::int32_t value = random.Next();
    ASSERT_GE(value, 0);
    seen.insert(value);
  }
  EXPECT_GT(seen.size(), 9900u);
}
