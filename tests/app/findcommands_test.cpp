// Find, Find Next and Find Prev on the real log, with the real dialog.
#include <gtest/gtest.h>

#include "mainwindow.h"
#include "support/codepage.h"

namespace {

class TFindCommands : public MainWindowTest {
protected:
  void StartWithLog(const std::string& text) {
    Start();
    Form().Pane().Replace(text);
    Log(Form()).SetSel(0, 0);
  }
  // The dialog answered with a find text typed over the proposed one, and
  // the direction or switches clicked.
  void FindWith(const std::string& text, std::vector<std::string> clicks = {},
                bool noMatch = false) {
    Responder.Handle([text, clicks](HWND dialog) {
      Proposed = WindowText(GetFocus());
      if (!text.empty()) SetWindowTextA(GetFocus(), text.c_str());
      for (const std::string& caption : clicks) ::ClickButton(dialog, caption);
      ::ClickButton(dialog, "&Find");
    });
    if (noMatch) Responder.Press("OK");
    Click(cmFind);
  }
  std::pair<int, int> Selection() {
    int start = 0, end = 0;
    Log(Form()).GetSelBytes(Log(Form()).GetText(), start, end);
    return {start, end};
  }
  static std::string Proposed;
};

std::string TFindCommands::Proposed;

using TFindCodePage932 = TFindCommands;
// The tests that run in code page 1252 and once more in 932.
using TFindAlsoInCodePage932 = TFindCommands;

// The log's selection in the control's own positions.
std::pair<size_t, size_t> UnitSelection(HWND log) {
  DWORD start = 0, end = 0;
  SendMessageW(log, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

} // namespace

TEST_F(TFindCommands, NextAndPrevAreGreyAndSilentUntilSomethingWasSought) {
  StartWithLog("alpha beta alpha\r\n");
  EXPECT_FALSE(MenuItem(Form(), cmFindNext).GetEnabled() ||
               MenuItem(Form(), cmFindPrev).GetEnabled());
  Key(Log(Form()).Handle, VK_F3);
  Click(cmFindPrev);
  EXPECT_EQ(Responder.Seen().size(), 0u);
  EXPECT_EQ(Selection(), std::make_pair(0, 0));
}

TEST_F(TFindCommands, FindSelectsEachOccurrenceInTurnAndSaysWhenThereIsNoMore) {
  StartWithLog("alpha beta alpha\r\n");
  QuestionField(Form()).SetFocus();
  FindWith("alpha");
  EXPECT_EQ(Selection(), std::make_pair(0, 5));
  EXPECT_TRUE(Log(Form()).Focused());
  EXPECT_TRUE(MenuItem(Form(), cmFindNext).GetEnabled() &&
              MenuItem(Form(), cmFindPrev).GetEnabled());
  Key(Log(Form()).Handle, VK_F3);
  EXPECT_EQ(Selection(), std::make_pair(11, 16));
  Responder.Press("OK");
  Click(cmFindNext);
  ASSERT_EQ(Responder.Seen().size(), 2u);
  EXPECT_EQ(Responder.Seen()[1].Text, "There is no match.");
  EXPECT_EQ(Responder.Seen()[1].Icon, "information");
  EXPECT_EQ(Responder.Seen()[1].Caption, "Tesmo");
  EXPECT_EQ(Selection(), std::make_pair(11, 16)) << "the selection stays";
  Click(cmFindPrev);
  EXPECT_EQ(Selection(), std::make_pair(0, 5));
}

TEST_F(TFindCommands, ASelectionIsProposedAndCancelKeepsTheLastFindText) {
  StartWithLog("alpha beta alpha beta\r\n");
  FindWith("alpha");
  Log(Form()).SetSel(6, 10); // "beta"
  Responder.Handle([](HWND dialog) {
    Proposed = WindowText(GetFocus());
    ::ClickButton(dialog, "Cancel");
  });
  Click(cmFind);
  EXPECT_EQ(Proposed, "beta");
  Click(cmFindNext);
  EXPECT_EQ(Selection(), std::make_pair(11, 16)) << "still looking for alpha";
  // Find on the proposed occurrence passes over it to the next one.
  Log(Form()).SetSel(6, 10);
  FindWith("");
  EXPECT_EQ(Proposed, "beta");
  EXPECT_EQ(Selection(), std::make_pair(17, 21));
}

TEST_F(TFindCommands, UpTurnsNextAndPrevRoundAndBlanksAreAText) {
  StartWithLog("one  two  three\r\n");
  Log(Form()).SetSel(15, 15);
  FindWith("  ", {"&Up"});
  EXPECT_EQ(Selection(), std::make_pair(8, 10));
  Click(cmFindNext);
  EXPECT_EQ(Selection(), std::make_pair(3, 5));
  Click(cmFindPrev);
  EXPECT_EQ(Selection(), std::make_pair(8, 10));
  // The same options again still search.
  Log(Form()).SetSel(15, 15);
  FindWith("");
  EXPECT_EQ(Selection(), std::make_pair(8, 10));
}

TEST_F(TFindCommands, AnEmptyLogHasNoMatch) {
  StartWithLog("");
  FindWith("x", {}, true);
  EXPECT_EQ(Responder.Seen().back().Text, "There is no match.");
  EXPECT_TRUE(MenuItem(Form(), cmFindNext).GetEnabled());
}

TEST_F(TFindCodePage932, WholeWordsAndCaseAmongDoubleByteText) {
  REQUIRE_CODE_PAGE(932);
  // "日本語 Tesmo 日本 tesmo\r\n": offsets are bytes of the code page.
  const std::string nihongo = "\x93\xfa\x96\x7b\x8c\xea", nihon = "\x93\xfa\x96\x7b";
  StartWithLog(nihongo + " Tesmo " + nihon + " tesmo\r\n");
  FindWith("tesmo", {"&Match case"});
  EXPECT_EQ(Selection(), std::make_pair(18, 23));
  Log(Form()).SetSel(0, 0);
  FindWith(nihon, {"&Match case", "&Whole word only"});
  EXPECT_EQ(Log(Form()).GetSelText(), nihon);
  EXPECT_EQ(Selection(), std::make_pair(13, 17)) << "the start of 日本語 is no whole word";
}

// Typed or pasted into the log, a character the code page lacks is "?" in the
// text the search reads, while the control counts one unit for it, or two.
TEST_F(TFindAlsoInCodePage932, OccurrencesAfterCharactersOutsideTheCodePage) {
  Start();
  const HWND log = Log(Form()).Handle;
  // "Ж😀 日本 א ", then a surrogate pair across the edge of a block of
  // conversion, then "one" twice, the second after a pasted "😀".
  const std::wstring first =
      L"\u0416\U0001F600 \u65e5\u672c \u05d0 " + std::wstring(4086, L'x') + L"\U0001F600 one\r\n";
  const std::wstring all = first + L"\U0001F600one";
  SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(first.c_str()));
  SendMessageW(log, EM_SETSEL, first.size(), first.size());
  SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"\U0001F600one"));
  Log(Form()).SetSel(0, 0);
  FindWith("one");
  EXPECT_EQ(UnitSelection(log), std::make_pair(all.find(L"one"), all.find(L"one") + 3));
  Click(cmFindNext);
  EXPECT_EQ(UnitSelection(log), std::make_pair(all.size() - 3, all.size()));

  // A control that counts the code page's bytes (the "A" edit control of old)
  // is taken at its word.
  const std::string text = Log(Form()).GetText();
  const int unit = static_cast<int>(all.size()) - 3, byte = static_cast<int>(text.size()) - 3;
  const TEditPositions units(static_cast<int>(all.size()), all, text);
  const TEditPositions bytes(static_cast<int>(text.size()), all, text);
  EXPECT_EQ(std::make_pair(units.ToBytes(unit), units.ToPosition(byte)),
            std::make_pair(byte, unit));
  EXPECT_EQ(std::make_pair(bytes.ToBytes(byte), bytes.ToPosition(byte)),
            std::make_pair(byte, byte));
}

// The user types into a log the program wrote, before what the search looks
// for and after it: the search finds it where the control shows it, and finds
// what was typed.
TEST_F(TFindAlsoInCodePage932, AFindAfterTheLogWasEditedByHandFindsWhatTheControlShows) {
  StartWithLog("alpha\r\nbeta\r\n");
  const HWND log = Log(Form()).Handle;
  FindWith("beta");
  // A letter of the code page before it ("é", "日" or "Ж"), then a word after.
  const wchar_t letter = GetACP() == 932 ? L'\u65E5' : GetACP() == 1252 ? L'\u00E9' : L'\u0416';
  for (const std::pair<int, std::wstring>& typing :
       {std::pair<int, std::wstring>{0, std::wstring(2, letter)}, {0x7FFFFFFF, L"gamma"}}) {
    SendMessageW(log, EM_SETSEL, typing.first, typing.first);
    for (wchar_t c : typing.second) SendMessageW(log, WM_CHAR, c, 1);
  }
  wchar_t shown[64] = {0};
  GetWindowTextW(log, shown, 64);
  const std::wstring text = shown;
  ASSERT_EQ(text, std::wstring(2, letter) + L"alpha\r\nbeta\r\ngamma");
  for (const wchar_t* word : {L"beta", L"gamma"}) {
    Log(Form()).SetSel(0, 0);
    char find[16] = {0};
    WideCharToMultiByte(CP_ACP, 0, word, -1, find, sizeof find, nullptr, nullptr);
    FindWith(find);
    EXPECT_EQ(UnitSelection(log),
              std::make_pair(text.find(word), text.find(word) + lstrlenW(word)));
  }
  EXPECT_EQ(Responder.Seen().size(), 3u) << "no box said there was no match";
}
