#include <gtest/gtest.h>

#include <stdexcept>

#include "exam/examitems.h"

namespace {

TExamItem& AddItem(TExamItems& items, const std::string& question,
                   std::initializer_list<const char*> answers) {
  TExamItem& item = items.Add();
  item.Question = question;
  for (const char* answer : answers) item.AddAnswer(answer);
  return item;
}

std::vector<std::string> Questions(const TExamItems& items) {
  std::vector<std::string> questions;
  for (int i = 0; i < items.Count(); ++i) questions.push_back(items.Get(i).Question);
  return questions;
}

} // namespace

TEST(ExamItem, KeepsAnswersInOrderWithDuplicates) {
  TExamItem item;
  item.AddAnswer(" x ");
  item.AddAnswer("y");
  item.AddAnswer("y");
  ASSERT_EQ(item.GetAnswerCount(), 3);
  EXPECT_EQ(item.GetAnswer(0), " x "); // stored unchanged
  item.DeleteAnswer(0);
  EXPECT_EQ(item.GetAnswer(0), "y");
  EXPECT_EQ(item.GetAnswer(1), "y");
  EXPECT_THROW(item.GetAnswer(2), std::out_of_range);
  EXPECT_THROW(item.DeleteAnswer(-1), std::out_of_range);
}

TEST(ExamItem, AssignCopiesAndSelfAssignKeepsEverything) {
  TExamItem source;
  source.Question = "Q";
  source.AddAnswer("A1");
  source.AddAnswer("A2");
  TExamItem copy;
  copy.AddAnswer("old");
  copy.Assign(source);
  EXPECT_EQ(copy.Question, "Q");
  EXPECT_EQ(copy.Answers, source.Answers);
  source.Answers[0] = "changed";
  EXPECT_EQ(copy.GetAnswer(0), "A1"); // a copy, not a share
  copy.Assign(copy);
  EXPECT_EQ(copy.GetAnswerCount(), 2);
}

TEST(ExamItems, AddGetDeleteAndClear) {
  TExamItems items;
  AddItem(items, "a", {"1"});
  AddItem(items, "b", {"2"});
  AddItem(items, "c", {"3"});
  items.Delete(1);
  EXPECT_EQ(Questions(items), (std::vector<std::string>{"a", "c"}));
  EXPECT_THROW(items.Get(2), std::out_of_range);
  EXPECT_THROW(items.Delete(-1), std::out_of_range);
  items.Clear();
  EXPECT_EQ(items.Count(), 0);
  AddItem(items, "d", {"4"});
  EXPECT_EQ(Questions(items), (std::vector<std::string>{"d"}));
}

TEST(ExamItems, AssignReplacesWithCopiesAndSelfAssignChangesNothing) {
  TExamItems source, target;
  AddItem(source, "a", {"1"});
  AddItem(source, "b", {"2", "3"});
  AddItem(target, "old", {"x"});
  target.Assign(source);
  EXPECT_EQ(Questions(target), (std::vector<std::string>{"a", "b"}));
  source.Get(0).Question = "changed";
  EXPECT_EQ(target.Get(0).Question, "a");
  target.Assign(target);
  EXPECT_EQ(Questions(target), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(target.Get(1).Answers, (std::vector<std::string>{"2", "3"}));
}

TEST(ExamItems, MoveToAppendsACopyAfterTheDestinationsItems) {
  TExamItems source, destination;
  AddItem(source, "a", {"1"});
  AddItem(source, "b", {"2"});
  AddItem(destination, "x", {"9"});
  source.MoveTo(0, destination);
  EXPECT_EQ(Questions(source), (std::vector<std::string>{"b"}));
  EXPECT_EQ(Questions(destination), (std::vector<std::string>{"x", "a"}));
  EXPECT_EQ(destination.Get(1).Answers, (std::vector<std::string>{"1"}));
  EXPECT_THROW(source.MoveTo(1, destination), std::out_of_range);
}

TEST(ExamItems, RemoveEmptyDropsEmptyAnswersAndUnusableItems) {
  TExamItems items;
  AddItem(items, "keep", {"", "a", "", "", "b", ""});
  AddItem(items, "all answers empty", {"", ""});
  AddItem(items, "", {"answer without question"});
  AddItem(items, "no answers", {});
  AddItem(items, "twin", {"same", "same"});
  AddItem(items, "twin", {"x"});
  TExamItems::RemoveEmpty(items);
  EXPECT_EQ(Questions(items), (std::vector<std::string>{"keep", "twin", "twin"}));
  EXPECT_EQ(items.Get(0).Answers, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(items.Get(1).Answers, (std::vector<std::string>{"same", "same"}));
}
