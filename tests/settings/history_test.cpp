#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "settings/history.h"
#include "support/codepage.h"

namespace {

using Strings = std::vector<std::string>;

Strings Slots(const THistory& history) {
  Strings slots;
  for (int i = 0; i < history.Count(); ++i) slots.push_back(history.Get(i));
  return slots;
}

THistory FiveSlots(const Strings& paths = {}) {
  THistory history;
  history.SetCount(5);
  // Added oldest first, so the first path ends in slot 0.
  for (auto path = paths.rbegin(); path != paths.rend(); ++path) history.Add(*path);
  return history;
}

} // namespace

TEST(History, SetCountAppendsEmptySlotsOrRemovesTheLast) {
  THistory history;
  EXPECT_EQ(history.Count(), 0);
  history.SetCount(3);
  history.Put(0, "a");
  history.Put(2, "c");
  EXPECT_EQ(Slots(history), (Strings{"a", "", "c"}));
  history.SetCount(2);
  EXPECT_EQ(Slots(history), (Strings{"a", ""}));
  history.SetCount(4);
  EXPECT_EQ(Slots(history), (Strings{"a", "", "", ""}));
  EXPECT_THROW(history.Get(4), std::out_of_range);
  EXPECT_THROW(history.Put(-1, "x"), std::out_of_range);
}

TEST(History, NewFilesGoToTheTopAndTheOldestFallsOff) {
  THistory history = FiveSlots();
  history.Add("C:\\a.txt");
  EXPECT_EQ(Slots(history), (Strings{"C:\\a.txt", "", "", "", ""}));
  history = FiveSlots({"5", "4", "3", "2", "1"});
  history.Add("6");
  EXPECT_EQ(Slots(history), (Strings{"6", "5", "4", "3", "2"}));
}

TEST(History, AFileAlreadyListedMovesToTheTop) {
  THistory history = FiveSlots({"0", "1", "2", "3", "4"});
  history.Add("3");
  EXPECT_EQ(Slots(history), (Strings{"3", "0", "1", "2", "4"}));
  history.Add("3");
  EXPECT_EQ(Slots(history), (Strings{"3", "0", "1", "2", "4"}));
}

TEST(History, SameFileInAnotherLetterCaseReplacesItsEntry) {
  THistory history = FiveSlots({"C:\\x.txt", "c:\\drill\\words.csv"});
  EXPECT_EQ(history.IndexOf("C:\\DRILL\\WORDS.CSV"), 1);
  history.Add("C:\\Drill\\Words.CSV");
  EXPECT_EQ(Slots(history), (Strings{"C:\\Drill\\Words.CSV", "C:\\x.txt", "", "", ""}));
  EXPECT_EQ(history.IndexOf("C:\\other.csv"), -1);
}

TEST(History, LatinLettersCompareWithoutCaseInCodePage1252) {
  REQUIRE_CODE_PAGE(1252);
  THistory history = FiveSlots({"C:\\\xC9t\xE9.txt"});
  EXPECT_EQ(history.IndexOf("c:\\\xE9T\xC9.TXT"), 0);
}

TEST(History, DoubleByteCharactersCompareAsTheyAre) {
  // The katakana 0x83 0x41 and 0x83 0x61 differ only in a trail byte that
  // looks like a letter: they are different files. In UTF-8 only the ASCII
  // letters fold in file names, as in every code page of more than one byte.
  for (const auto& [codePage, upper, lower] :
       {std::tuple<int, std::string, std::string>{932, "\x83\x41", "\x83\x61"},
        {65001, "\xC3\x89", "\xC3\xA9"}}) {
    if (!UseCodePage(codePage)) continue;
    THistory history = FiveSlots({"C:\\" + upper + ".TXT"});
    EXPECT_EQ(history.IndexOf("c:\\" + upper + ".txt"), 0);
    EXPECT_EQ(history.IndexOf("C:\\" + lower + ".TXT"), -1);
  }
}

TEST(History, ClearEmptiesEverySlotAndKeepsTheCount) {
  THistory history = FiveSlots({"a", "b"});
  history.Clear();
  EXPECT_EQ(Slots(history), Strings(5, ""));
  EXPECT_EQ(history.CommaText(), ",,,,");
}

TEST(History, CommaTextReadsAndWritesEverySlot) {
  THistory history = FiveSlots({"C:\\Quiz\\words.txt", "C:\\My Files\\kanji.csv"});
  EXPECT_EQ(history.CommaText(), "C:\\Quiz\\words.txt,\"C:\\My Files\\kanji.csv\",,,");
  THistory copy = FiveSlots({"x", "y", "z"});
  copy.SetCommaText(history.CommaText());
  EXPECT_EQ(Slots(copy), Slots(history));
  copy.SetCommaText(",,,,");
  EXPECT_EQ(Slots(copy), Strings(5, ""));
}

TEST(History, StoredListsOfAnotherLengthKeepTheSlotCount) {
  THistory history = FiveSlots();
  history.SetCommaText("1,2,3,4,5,6,7");
  EXPECT_EQ(Slots(history), (Strings{"1", "2", "3", "4", "5"}));
  history.SetCommaText("a,b");
  EXPECT_EQ(Slots(history), (Strings{"a", "b", "", "", ""}));
  history.SetCommaText("");
  EXPECT_EQ(Slots(history), Strings(5, ""));
  // The list still takes new files after an empty stored list.
  history.Add("new");
  EXPECT_EQ(history.Get(0), "new");
}
