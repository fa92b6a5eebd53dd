#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "exam/questionfile.h"
#include "support/tempfile.h"
#include "util/platform.h"

namespace {

using Strings = std::vector<std::string>;

// An item written as "question: [answer] [answer]".
Strings Describe(const TExamItems& items) {
  Strings result;
  for (int i = 0; i < items.Count(); ++i) {
    const TExamItem& item = items.Get(i);
    std::string text = item.Question + ":";
    for (std::string_view answer : item.Answers) text.append(" [").append(answer).append("]");
    result.push_back(text);
  }
  return result;
}

void Load(TExamItems& items, const std::string& content) {
  TTempFile file(content);
  ASSERT_TRUE(items.LoadFromFile(file.Path(), qffCsv));
}

const Strings kLoaded{"q1: [a1] [b1]", "q2: [a2]"};

} // namespace

TEST(SharedItems, AChangeAfterACopyStaysInTheSetItWasMadeIn) {
  const struct {
    const char* Name;
    std::function<void(TExamItem&)> Change;
    std::string Changed;
  } changes[] = {
      {"question", [](TExamItem& item) { item.Question = "new"; }, "new: [a1] [b1]"},
      {"answer", [](TExamItem& item) { item.Answers[1] = "new"; }, "q1: [a1] [new]"},
      {"added", [](TExamItem& item) { item.AddAnswer("new"); }, "q1: [a1] [b1] [new]"},
      {"deleted", [](TExamItem& item) { item.DeleteAnswer(0); }, "q1: [b1]"},
      {"assigned", [](TExamItem& item) { item.Assign(TExamItem()); }, ":"},
  };
  for (const auto& change : changes) {
    for (const bool inCopy : {false, true}) {
      TExamItems loaded, copy, moved;
      Load(loaded, "q1,a1,b1\nq2,a2\n");
      copy.Assign(loaded);
      change.Change((inCopy ? copy : loaded).Get(0));
      // The changed item passes on as it now is, the other as loaded.
      (inCopy ? copy : loaded).MoveTo(0, moved);
      EXPECT_EQ(Describe(inCopy ? loaded : copy), kLoaded) << change.Name << inCopy;
      EXPECT_EQ(Describe(moved), Strings{change.Changed}) << change.Name << inCopy;
    }
  }
}

TEST(SharedItems, ItemsPassedOnOutliveTheSetTheyCameFrom) {
  using TSets = TExamItems;
  const struct {
    const char* Name;
    std::function<void(TSets& from, TSets& to)> PassOn;
    Strings Passed;
  } ways[] = {
      {"copied", [](TSets& from, TSets& to) { to.Assign(from); }, kLoaded},
      {"moved", [](TSets& from, TSets& to) { from.MoveTo(1, to); }, {"q2: [a2]"}},
      // The changed item's answers still lie in the store.
      {"changed, copied",
       [](TSets& from, TSets& to) {
         from.Get(0).Question = "new";
         to.Assign(from);
       },
       {"new: [a1] [b1]", "q2: [a2]"}},
      {"changed, moved",
       [](TSets& from, TSets& to) {
         from.Get(0).Question = "new";
         from.MoveTo(0, to);
       },
       {"new: [a1] [b1]"}},
  };
  for (const auto& way : ways) {
    TExamItems passed;
    {
      TExamItems loaded;
      Load(loaded, "q1,a1,b1\nq2,a2\n");
      way.PassOn(loaded, passed);
      Load(loaded, "other,x\n");
    }
    EXPECT_EQ(Describe(passed), way.Passed) << way.Name;
  }
  TExamItem single;
  {
    TExamItems loaded;
    Load(loaded, "q1,a1,b1\n");
    single.Assign(std::as_const(loaded).Get(0));
  }
  EXPECT_EQ(single.Question, "q1");
  EXPECT_EQ(single.Answers, (Strings{"a1", "b1"}));
}

TEST(SharedItems, ASetHoldsItemsOfSeveralStoresAndItsOwn) {
  TExamItems mixed, copy;
  ReadCsvLines(mixed, SplitLines("a,1\n"));
  ReadTextLines(mixed, SplitLines("b\n\t2\n"));
  TExamItem& own = mixed.Add();
  own.Question = "c";
  own.AddAnswer("3");
  copy.Assign(mixed);
  {
    TExamItems other;
    Load(other, "d,4\n");
    other.MoveTo(0, copy);
  }
  mixed.Clear();
  EXPECT_EQ(Describe(copy), (Strings{"a: [1]", "b: [2]", "c: [3]", "d: [4]"}));
}

TEST(SharedItems, AFailedLoadAfterAGoodOneKeepsTheLoadedItems) {
  TExamItems loaded, copy;
  Load(loaded, "q1,a1,b1\nq2,a2\n");
  copy.Assign(loaded);
  TTempFile unusable("q\n,a\n");
  EXPECT_FALSE(loaded.LoadFromFile(unusable.Path(), qffCsv));
  EXPECT_THROW(loaded.LoadFromFile(MissingFilePath(), qffCsv), sys::EFileError);
  EXPECT_EQ(Describe(loaded), kLoaded);
  EXPECT_EQ(Describe(copy), kLoaded);
}

TEST(SharedItems, RemoveEmptyInACopyLeavesTheSharedItemsAsRead) {
  TExamItems read, copy;
  ReadCsvLines(read, SplitLines("q,,a,\n,x\nr,,\ns,b\n"));
  copy.Assign(read);
  TExamItems::RemoveEmpty(copy);
  EXPECT_EQ(Describe(copy), (Strings{"q: [a]", "s: [b]"}));
  EXPECT_EQ(Describe(read), (Strings{"q: [] [a] []", ": [x]", "r: [] []", "s: [b]"}));
}

TEST(SharedItems, LongTextsAndLongItemsReadBackWhole) {
  // Lengths on both sides of where a length takes another byte, and an item
  // of many answers that outgrows several blocks of the store.
  std::string line = "q";
  Strings answers;
  for (size_t size : {126, 127, 128, 16383, 16384, 300000})
    answers.push_back(std::string(size, 'a'));
  for (int i = 0; i < 50000; ++i) answers.push_back(std::to_string(i));
  for (const std::string& answer : answers) line += "," + answer;
  TExamItems items;
  Load(items, "first,1\n" + line + "\n" + std::string(200000, 'l') + ",last\n");
  ASSERT_EQ(items.Count(), 3);
  EXPECT_EQ(items.Get(1).Answers, answers);
  EXPECT_EQ(items.Get(2).Question.size(), 200000u);
  EXPECT_EQ(items.Get(2).Answers, Strings{"last"});
}
