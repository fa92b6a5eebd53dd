// The main window as a user meets it: what it shows at start-up, opening
// files in every way, a whole run through the real fields, the recent files
// and Save Log.
#include <gtest/gtest.h>

#include <fstream>

#include "app/appconst.h"
#include "mainwindow.h"
#include "support/codepage.h"
#include "util/textutil.h"

namespace {

const std::string kCapitals = "France,Paris\r\nJapan,Tokyo\r\nItaly,Rome\r\n";

// Every item of a menu, "-" for a separator, a submenu's items after its own
// caption and indented.
void DescribeMenu(HMENU menu, const std::string& indent, std::vector<std::string>& lines) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[256] = {0};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    lines.push_back(indent + ((info.fType & MFT_SEPARATOR) ? "-" : text));
    if (info.hSubMenu != nullptr) DescribeMenu(info.hSubMenu, indent + "  ", lines);
  }
}

using TMainWindow = MainWindowTest;
// The tests of file names that also run in code page 932.
using TMainWindowFileNames = MainWindowTest;

// "ソース" in Shift-JIS: the trail byte of its first character is a backslash.
const std::string kSource = "\x83\x5C\x81\x5B\x83\x58";

} // namespace

TEST_F(TMainWindow, StartsEmptyWithEveryCommandInItsFirstState) {
  Start();
  TMainForm& form = Form();
  EXPECT_EQ(Caption(), "Tesmo");
  EXPECT_EQ(GetStatus(form), "Ready");

  std::vector<std::string> menu;
  DescribeMenu(GetMenu(form.Handle()), "", menu);
  const std::vector<std::string> expected = {"&File",
                                             "  &New\tCtrl+N",
                                             "  &Open...\tCtrl+O",
                                             "  &Save Log...\tCtrl+S",
                                             "  -",
                                             "  S&tart\tF2",
                                             "  &Review\tF4",
                                             "  &List\tF5",
                                             "  -",
                                             "  &History",
                                             "    (None) (&1)",
                                             "    (None) (&2)",
                                             "    (None) (&3)",
                                             "    (None) (&4)",
                                             "    (None) (&5)",
                                             "    -",
                                             "    &Clear...",
                                             "  -",
                                             "  E&xit",
                                             "&Edit",
                                             "  &Find...\tCtrl+F",
                                             "  Find &Next\tF3",
                                             "  Find &Prev\tShift+F3",
                                             "  -",
                                             "  &Select All\tCtrl+A",
                                             "&View",
                                             "  &Toolbar",
                                             "  Toolbar &Captions",
                                             "  &Font...",
                                             "  Tab &Width...",
                                             "  &Swap Panels",
                                             "  Status &Bar",
                                             "  -",
                                             "  &Last Position",
                                             "  T&opmost",
                                             "  -",
                                             "  &Default...",
                                             "&Options",
                                             "  &Shuffle",
                                             "  S&wap",
                                             "  &Case Sensitive",
                                             "  -",
                                             "  &Default...",
                                             "&Help",
                                             "  &Help...\tF1",
                                             "  -",
                                             "  &About"};
  EXPECT_EQ(menu, expected);

  for (int id : {cmSaveLog, cmStart, cmReview, cmList, cmClear, cmFindNext, cmFindPrev})
    EXPECT_FALSE(MenuItem(form, id).GetEnabled()) << MenuItem(form, id).GetCaption();
  for (int slot = 0; slot < kHistorySlots; ++slot)
    EXPECT_FALSE(MenuItem(form, cmHistoryFirst + slot).GetEnabled());
  for (int id : {cmNew, cmOpen, cmExit, cmFind, cmSelectAll, cmHelp, cmAbout})
    EXPECT_TRUE(MenuItem(form, id).GetEnabled()) << MenuItem(form, id).GetCaption();
  for (int id : {cmSaveLog, cmStart, cmReview, cmList})
    EXPECT_FALSE(Button(form, id).GetEnabled()) << id;
  EXPECT_TRUE(Button(form, cmNew).GetEnabled());
  EXPECT_TRUE(Button(form, cmOpen).GetEnabled());

  // The checks come from the default options.
  EXPECT_TRUE(MenuItem(form, cmToolbar).GetChecked());
  EXPECT_FALSE(MenuItem(form, cmToolbarCaptions).GetChecked());
  EXPECT_TRUE(MenuItem(form, cmStatusBar).GetChecked());
  EXPECT_FALSE(MenuItem(form, cmSwapPanels).GetChecked());
  EXPECT_TRUE(MenuItem(form, cmShuffle).GetChecked());
  EXPECT_TRUE(Button(form, cmShuffle).GetDown());
  EXPECT_FALSE(MenuItem(form, cmSwap).GetChecked() || Button(form, cmSwap).GetDown());
  EXPECT_FALSE(MenuItem(form, cmCaseSensitive).GetChecked() ||
               Button(form, cmCaseSensitive).GetDown());

  // Image-only buttons with tooltips while captions are off.
  const LRESULT size = ToolBar(form).Send(TB_GETBUTTONSIZE);
  const int dpi = GetDeviceCaps(GetDC(nullptr), LOGPIXELSY);
  EXPECT_EQ(LOWORD(size), MulDiv(22, dpi, 96));
  EXPECT_EQ(HIWORD(size), MulDiv(21, dpi, 96));
  EXPECT_TRUE(QuestionField(form).GetReadOnly());
  EXPECT_TRUE(AnswerField(form).GetReadOnly());
  EXPECT_GE(static_cast<unsigned long long>(Log(form).Send(EM_GETLIMITTEXT)), 0x7FFFFFFEull)
      << "the log has no limit";
  EXPECT_TRUE(QuestionField(form).Focused());
  EXPECT_EQ(Responder.Seen().size(), 0u);
}

TEST_F(TMainWindow, TabAndTheLabelsMnemonicsMoveBetweenTheFields) {
  Start();
  TMainForm& form = Form();
  Key(QuestionField(form).Handle, VK_TAB);
  EXPECT_TRUE(AnswerField(form).Focused());
  Key(AnswerField(form).Handle, VK_TAB);
  EXPECT_TRUE(Log(form).Focused());
  Key(Log(form).Handle, VK_TAB);
  EXPECT_TRUE(QuestionField(form).Focused());
  // As in a dialog, the field a mnemonic reaches has its text selected.
  QuestionField(form).SetText("France");
  AnswerField(form).SetText("Paris");
  MSG mnemonic{QuestionField(form).Handle, WM_SYSCHAR, 'a', 1 << 29, 0, {}};
  EXPECT_TRUE(form.PreTranslateMessage(mnemonic));
  EXPECT_TRUE(AnswerField(form).Focused());
  EXPECT_EQ(AnswerField(form).GetSelText(), "Paris");
  mnemonic = {AnswerField(form).Handle, WM_SYSCHAR, 'q', 1 << 29, 0, {}};
  EXPECT_TRUE(form.PreTranslateMessage(mnemonic));
  EXPECT_EQ(QuestionField(form).GetSelText(), "France");
}

TEST_F(TMainWindow, MinimizingLeavesTheLogAsItWasForTheRestore) {
  Start();
  RECT before, after;
  GetWindowRect(Log(Form()).Handle, &before);
  ShowWindow(Form().Handle(), SW_MINIMIZE);
  GetWindowRect(Log(Form()).Handle, &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(TMainWindow, OneFileOnTheCommandLineOpensOnceTheWindowIsIdle) {
  const std::string path = Folder.Write("capitals.csv", kCapitals);
  // A relative argument names the file in the working folder.
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(Folder.Path().c_str());
  Start({"capitals.csv"});
  SetCurrentDirectoryA(previous);
  TMainForm& form = Form();
  EXPECT_EQ(GetStatus(form), "1 items are dropped");
  EXPECT_EQ(Caption(), "capitals.csv - Tesmo");
  EXPECT_EQ(form.GetFileName(), GetLongPath(path));
  EXPECT_EQ(GetExam(form).AllItems.Count(), 3);
  EXPECT_TRUE(MenuItem(form, cmStart).GetEnabled() && Button(form, cmStart).GetEnabled());
  EXPECT_TRUE(MenuItem(form, cmList).GetEnabled() && Button(form, cmList).GetEnabled());
  EXPECT_FALSE(MenuItem(form, cmReview).GetEnabled());
  EXPECT_EQ(MenuItem(form, cmHistoryFirst + 0).GetCaption(), "capitals.csv (&1)");
  EXPECT_TRUE(MenuItem(form, cmHistoryFirst + 0).GetEnabled() &&
              MenuItem(form, cmClear).GetEnabled());
  EXPECT_FALSE(MenuItem(form, cmHistoryFirst + 1).GetEnabled());
  // Later idle moments open nothing again.
  Idle();
  EXPECT_EQ(Responder.Seen().size(), 0u);
}

TEST_F(TMainWindow, SeveralFilesOnTheCommandLineOrDroppedOpenNothing) {
  const std::string a = Folder.Write("a.csv", kCapitals), b = Folder.Write("b.csv", kCapitals);
  Responder.Press("OK");
  Start({a, b});
  EXPECT_EQ(GetStatus(Form()), "2 items are dropped");
  ASSERT_EQ(Responder.Seen().size(), 1u);
  EXPECT_EQ(Responder.Seen()[0].Text, "Set one file to open.");
  EXPECT_EQ(Responder.Seen()[0].Caption, "Tesmo");
  EXPECT_EQ(Responder.Seen()[0].Icon, "error");
  EXPECT_TRUE(Form().GetFileName().empty());

  Responder.Press("OK");
  Drop({a, b, Folder.PathOf("c.csv")});
  EXPECT_EQ(GetStatus(Form()), "3 items are dropped");
  std::vector<std::string> many(1024, a);
  Responder.Press("OK");
  Drop(many);
  EXPECT_EQ(GetStatus(Form()), "1,024 items are dropped");
  EXPECT_EQ(Responder.Seen().size(), 3u);
  EXPECT_TRUE(Form().GetFileName().empty());
}

TEST_F(TMainWindow, AWholeRunThroughTheAnswerFieldThenReview) {
  Start({Folder.Write("capitals.csv", kCapitals)});
  TMainForm& form = Form();
  ClickButton(Button(form, cmShuffle)); // file order
  EXPECT_FALSE(MenuItem(form, cmShuffle).GetChecked());
  EXPECT_FALSE(Button(form, cmShuffle).GetDown());

  // Enter while no run is in progress is left to the read-only field.
  Answer("Paris");
  EXPECT_EQ(AnswerField(form).GetText(), "Paris");

  Key(QuestionField(form).Handle, VK_F2);
  EXPECT_EQ(QuestionField(form).GetText(), "France");
  EXPECT_FALSE(AnswerField(form).GetReadOnly());
  EXPECT_TRUE(AnswerField(form).Focused());
  EXPECT_EQ(GetStatus(form), "Answered 0/3 items");
  Answer("paris");
  EXPECT_EQ(QuestionField(form).GetText(), "Japan");
  EXPECT_EQ(AnswerField(form).GetText(), "");
  EXPECT_FALSE(MenuItem(form, cmSaveLog).GetEnabled());
  Answer("Kyoto");
  EXPECT_TRUE(MenuItem(form, cmSaveLog).GetEnabled() && Button(form, cmSaveLog).GetEnabled());
  Answer("Rome");
  EXPECT_TRUE(AnswerField(form).GetReadOnly());
  EXPECT_EQ(Log(form).GetText(),
            "[Miss 1]\r\nQuestion: Japan\r\nAnswer 1: Tokyo\r\nEntry: Kyoto\r\n"
            "\r\n[Results]\r\nHit: 2\r\nMiss: 1\r\nRatio: 66%\r\n");
  EXPECT_TRUE(MenuItem(form, cmReview).GetEnabled() && Button(form, cmReview).GetEnabled());

  // The review asks the miss again; answered right, nothing is left to review.
  Key(AnswerField(form).Handle, VK_F4);
  EXPECT_EQ(QuestionField(form).GetText(), "Japan");
  Answer("Tokyo");
  EXPECT_FALSE(MenuItem(form, cmReview).GetEnabled() || Button(form, cmReview).GetEnabled());
  EXPECT_EQ(Log(form).GetText(), "[Results]\r\nHit: 1\r\nMiss: 0\r\nRatio: 100%\r\n");
  EXPECT_EQ(Responder.Seen().size(), 0u);
}

TEST_F(TMainWindow, CommandsThatEndARunAskFirstAndCancelKeepsIt) {
  const std::string path = Folder.Write("capitals.csv", kCapitals);
  Start({path});
  TMainForm& form = Form();
  Click(cmStart);
  const std::string question = QuestionField(form).GetText();
  const std::string status = GetStatus(form);

  Responder.Press("Cancel");
  Click(cmNew);
  Responder.Press("Cancel");
  Click(cmOpen);
  Responder.Press("Cancel");
  Drop({path});
  Responder.Press("Cancel");
  Click(cmHistoryFirst);
  ASSERT_EQ(Responder.Seen().size(), 4u);
  for (const TDialogSeen& seen : Responder.Seen()) {
    EXPECT_EQ(seen.Text, "Quit the current examination?");
    EXPECT_EQ(seen.Caption, "capitals.csv - Tesmo");
    EXPECT_EQ(seen.Icon, "warning");
  }
  EXPECT_EQ(QuestionField(form).GetText(), question);
  EXPECT_EQ(GetStatus(form), status);
  EXPECT_FALSE(AnswerField(form).GetReadOnly());

  // Agreeing to quit, then cancelling the file dialog, still leaves the run.
  Responder.Press("OK");
  Responder.Press("Cancel");
  Click(cmOpen);
  EXPECT_FALSE(AnswerField(form).GetReadOnly());

  Responder.Press("OK");
  Click(cmNew);
  EXPECT_EQ(GetStatus(form), "No data");
  EXPECT_EQ(Caption(), "Tesmo");
  EXPECT_EQ(QuestionField(form).GetText(), "");
  EXPECT_TRUE(AnswerField(form).GetReadOnly());
  EXPECT_FALSE(MenuItem(form, cmStart).GetEnabled() || MenuItem(form, cmList).GetEnabled());
  EXPECT_EQ(MenuItem(form, cmHistoryFirst + 0).GetCaption(), "capitals.csv (&1)")
      << "the history stays";
}

TEST_F(TMainWindow, AnUnknownExtensionAsksForTheFormat) {
  const std::string text = Folder.Write("vocab.dat", "das Haus\r\n\thouse\r\n\thome\r\n");
  Start();
  Responder.ChooseFile(text);
  Responder.Press("&Text");
  Click(cmOpen);
  ASSERT_EQ(Responder.Seen().size(), 2u);
  EXPECT_EQ(Responder.Seen()[1].Text, "Select the file type: " + text);
  EXPECT_EQ(Responder.Seen()[1].Buttons, (std::vector<std::string>{"&CSV", "&Text", "Cancel"}));
  ASSERT_EQ(GetExam(Form()).AllItems.Count(), 1);
  EXPECT_EQ(GetExam(Form()).AllItems.Get(0).GetAnswerCount(), 2);

  // No extension, during a run the user agreed to quit: Cancel keeps the run.
  const std::string bare = Folder.Write("vocab", "a,b\r\n");
  Click(cmStart);
  Responder.Press("OK");
  Responder.ChooseFile(bare);
  Responder.Press("Cancel");
  Click(cmOpen);
  EXPECT_EQ(Responder.Seen().back().Text, "Select the file type: " + bare);
  EXPECT_EQ(Form().GetFileName(), text);
  EXPECT_FALSE(AnswerField(Form()).GetReadOnly()) << "the run goes on";
}

TEST_F(TMainWindow, AFileWithoutItemsOrMissingChangesNothing) {
  const std::string good = Folder.Write("capitals.csv", kCapitals);
  const std::string empty = Folder.Write("empty.csv", ",nothing\r\n\r\n");
  const std::string missing = Folder.PathOf("missing.csv");
  Start({good});
  Responder.Press("OK");
  Drop({empty});
  ASSERT_EQ(Responder.Seen().size(), 1u);
  EXPECT_EQ(Responder.Seen()[0].Text, "The program cannot open the document: " + empty);
  EXPECT_EQ(Responder.Seen()[0].Icon, "error");

  // A file that cannot be read at all reaches the general failure report.
  Responder.Press("OK");
  Drop({missing});
  ASSERT_EQ(Responder.Seen().size(), 2u);
  EXPECT_NE(Responder.Seen()[1].Text.find("missing.csv"), std::string::npos);
  EXPECT_EQ(Responder.Seen()[1].Text.back(), '.');
  EXPECT_EQ(Responder.Seen()[1].Caption, "capitals.csv - Tesmo");
  EXPECT_EQ(Form().GetFileName(), good);
  EXPECT_EQ(GetExam(Form()).AllItems.Count(), 3);
  EXPECT_EQ(MenuItem(Form(), cmHistoryFirst + 1).GetCaption(), "(None) (&2)");
}

TEST_F(TMainWindow, TheRecentFilesFollowEveryOpen) {
  std::vector<std::string> paths;
  for (const char* name : {"one.csv", "two.csv", "three.csv", "four.csv", "five.csv", "six.csv"})
    paths.push_back(Folder.Write(name, kCapitals));
  Start();
  for (int i = 0; i < 5; ++i) Drop({paths[i]});
  // Opening the open file again reloads it and keeps it first.
  Drop({paths[4]});
  const auto captions = [this] {
    std::vector<std::string> list;
    for (int slot = 0; slot < kHistorySlots; ++slot)
      list.push_back(MenuItem(Form(), cmHistoryFirst + slot).GetCaption());
    return list;
  };
  EXPECT_EQ(captions(),
            (std::vector<std::string>{"five.csv (&1)", "four.csv (&2)", "three.csv (&3)",
                                      "two.csv (&4)", "one.csv (&5)"}));
  Drop({paths[5]}); // the sixth drops the oldest
  EXPECT_EQ(captions()[4], "two.csv (&5)");
  Click(cmHistoryFirst + 3); // slot 3 moves to the top, slot 4 stays
  EXPECT_EQ(captions(), (std::vector<std::string>{"three.csv (&1)", "six.csv (&2)", "five.csv (&3)",
                                                  "four.csv (&4)", "two.csv (&5)"}));
  EXPECT_EQ(Caption(), "three.csv - Tesmo");
  // Another letter case of the same file takes its place.
  OpenDocument(Form(), Folder.Path() + "\\FIVE.CSV");
  EXPECT_EQ(captions()[0], "FIVE.CSV (&1)");
  EXPECT_EQ(captions()[3], "four.csv (&4)");
  EXPECT_EQ(captions()[4], "two.csv (&5)");

  Responder.Press("Cancel");
  Click(cmClear);
  EXPECT_TRUE(MenuItem(Form(), cmClear).GetEnabled());
  Responder.Press("OK");
  Click(cmClear);
  EXPECT_EQ(Responder.Seen().back().Text, "Clear the history?");
  EXPECT_EQ(captions(), (std::vector<std::string>{"(None) (&1)", "(None) (&2)", "(None) (&3)",
                                                  "(None) (&4)", "(None) (&5)"}));
  EXPECT_FALSE(MenuItem(Form(), cmClear).GetEnabled() ||
               MenuItem(Form(), cmHistoryFirst + 0).GetEnabled());
  EXPECT_EQ(Caption(), "FIVE.CSV - Tesmo") << "the open file stays open";
}

TEST_F(TMainWindow, SaveLogProposesANameAndWritesThePaneWhole) {
  Start();
  // Typing into the log enables Save Log; with no file the name has nothing
  // between " - " and ".txt".
  Log(Form()).Send(WM_CHAR, 't');
  EXPECT_TRUE(MenuItem(Form(), cmSaveLog).GetEnabled() && Button(Form(), cmSaveLog).GetEnabled());
  std::string proposed = ProposedLogName();
  EXPECT_EQ(proposed.size(), std::string("Log20040305140709 - .txt").size()) << proposed;
  EXPECT_EQ(proposed.substr(0, 5), "Log20");
  EXPECT_EQ(proposed.substr(proposed.size() - 7), " - .txt");

  const std::string file = Folder.Write("capitals.csv", kCapitals);
  Drop({file});
  Click(cmList);
  const std::string log = Log(Form()).GetText();
  proposed = ProposedLogName();
  EXPECT_EQ(proposed.substr(proposed.size() - 19), " - capitals.csv.txt");

  const std::string target = Folder.PathOf("log.txt");
  Responder.ChooseFile(target);
  Click(cmSaveLog);
  EXPECT_EQ(ReadWholeFile(target), log);
  EXPECT_EQ(OpenDialog(Form()).InitialDir, Folder.Path()) << "both dialogs share the folder";
  EXPECT_EQ(Form().GetFileName(), file);

  // A file that cannot be replaced is left whole and the user is told.
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
  Form().Pane().Replace("other text");
  Responder.ChooseFile(target);
  Responder.Press("&Yes"); // the overwrite prompt
  Responder.Press("OK");
  Click(cmSaveLog);
  EXPECT_EQ(Responder.Seen().back().Text, "The program cannot save the document: " + target);
  EXPECT_EQ(ReadWholeFile(target), log);
}

TEST_F(TMainWindow, HelpWithoutItsFileTellsWhichFileIsMissing) {
  Start();
  Responder.Press("Cancel");
  Click(cmHelp);
  Responder.Press("OK");
  Responder.Press("OK");
  Key(QuestionField(Form()).Handle, VK_F1);
  ASSERT_EQ(Responder.Seen().size(), 3u);
  EXPECT_EQ(Responder.Seen()[1].Text, "Open the help document in HTML format?");
  EXPECT_EQ(Responder.Seen()[2].Text, "The program cannot open the document: " + kHelpFile);
}

TEST_F(TMainWindow, AboutNamesTheProgramAndItsVersion) {
  Start();
  Responder.Press("OK");
  Click(cmAbout);
  ASSERT_EQ(Responder.Seen().size(), 1u);
  EXPECT_EQ(Responder.Seen()[0].Caption, "About");
  EXPECT_EQ(Responder.Seen()[0].Text.substr(0, 36), "Tesmo for Windows Version 1.1.0.\r\n\r\n");
}

TEST_F(TMainWindow, SelectAllSelectsTheFocusedFieldEvenWhenReadOnly) {
  Start({Folder.Write("capitals.csv", kCapitals)});
  TMainForm& form = Form();
  Click(cmStart);
  AnswerField(form).SetText("typed");
  Log(form).SetText("log");
  for (const TEdit* edit : {&QuestionField(form), &AnswerField(form), &Log(form)}) {
    edit->SetFocus();
    edit->SetSel(0, 0);
    Click(cmSelectAll);
    int start = -1, end = -1;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, edit->GetTextLength());
    EXPECT_GT(end, 0);
  }
}

TEST_F(TMainWindow, ShortcutsDoNothingWhileTheirItemIsDisabled) {
  Start();
  for (WORD key : {VK_F2, VK_F4, VK_F5, VK_F3}) Key(QuestionField(Form()).Handle, key);
  EXPECT_EQ(Responder.Seen().size(), 0u) << "no \"There is no item.\" or search";
  EXPECT_EQ(GetStatus(Form()), "Ready");
}

TEST_F(TMainWindow, ClosingDuringARunAsksAndCancelKeepsTheWindow) {
  Start({Folder.Write("capitals.csv", kCapitals)});
  Click(cmStart);
  const HWND window = Form().Handle();
  Responder.Press("Cancel");
  Click(cmExit);
  Idle();
  EXPECT_TRUE(IsWindow(window));
  Responder.Press("OK");
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(TMainWindowFileNames, ADoubleByteNameWithABackslashTrailByte) {
  REQUIRE_CODE_PAGE(932);
  const std::string name = kSource + ".csv";
  const std::string path = Folder.Write(name, kCapitals);
  Start({path});
  EXPECT_EQ(Form().GetFileName(), path);
  EXPECT_EQ(Caption(), name + " - Tesmo");
  EXPECT_EQ(MenuItem(Form(), cmHistoryFirst + 0).GetCaption(), name + " (&1)");
  Click(cmList);
  std::string proposed = ProposedLogName();
  EXPECT_EQ(proposed.substr(proposed.size() - name.size() - 7), " - " + name + ".txt");
  // The folder before the name is cut at a real backslash.
  const std::string target = Folder.PathOf(kSource + ".txt");
  Responder.ChooseFile(target);
  Click(cmSaveLog);
  EXPECT_EQ(OpenDialog(Form()).InitialDir, Folder.Path());
}

TEST_F(TMainWindowFileNames, ADroppedNameLongerThan260BytesIsReadWhole) {
  REQUIRE_CODE_PAGE(932);
  // Fewer than 260 characters, more than 260 bytes.
  std::string name;
  for (int i = 0; i < 110; ++i) name += "\x95\x5C"; // 表
  name += ".csv";
  const std::string path = Folder.Write(name, kCapitals);
  ASSERT_GT(path.size(), 260u);
  Start();
  Drop({path});
  EXPECT_EQ(Form().GetFileName(), path);
  EXPECT_EQ(Caption(), name + " - Tesmo");
}

// Explorer drops wide names: one the code page holds opens; one it cannot
// hold is an open error that changes nothing, though 1252 has a look-alike.
TEST_F(TMainWindowFileNames, WideNamesDroppedFromTheShell) {
  const bool japanese = GetACP() == 932;
  const std::string path =
      Folder.Write(japanese ? "\x93\xfa\x96\x7b.csv" : "caf\xe9.csv", kCapitals);
  const std::wstring folder(Folder.Path().begin(), Folder.Path().end()); // ASCII
  Start();
  Drop(std::vector<std::wstring>{folder + (japanese ? L"\\\u65e5\u672c.csv" : L"\\caf\u00e9.csv")});
  EXPECT_EQ(Form().GetFileName(), path);
  Folder.Write("Ab.csv", kCapitals);
  const std::string status = GetStatus(Form());
  Responder.Press("OK");
  Drop(std::vector<std::wstring>{folder + L"\\\u0100b.csv"});
  EXPECT_EQ(Responder.Seen().at(0).Text,
            "The program cannot open the document: " + Folder.PathOf("?b.csv"));
  EXPECT_EQ(Form().GetFileName(), path);
  EXPECT_EQ(GetStatus(Form()), status);
}
