// The View and Options commands on the real main window, driven through its
// menu and toolbar and read back from what the window shows.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include "app/appconst.h"
#include "app/commands.h"
#include "app/mainform.h"
#include "app/mainformprobe.h"
#include "support/dialogresponder.h"
#include "support/tempfile.h"
#include "win/fonts.h"

namespace {

// A control's rectangle in the main window's client coordinates.
RECT ClientRect(const TMainForm& form, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

LOGFONTA FontOf(HWND control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

HFONT FontHandle(HWND control) {
  return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
}

// The face the control's text is drawn in.
std::string ShownFace(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, FontHandle(control));
  char face[LF_FACESIZE] = {0};
  GetTextFaceA(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return face;
}

SIZE ButtonSize(const TMainForm& form) {
  const LRESULT size = SendMessageA(ToolBar(form).Handle, TB_GETBUTTONSIZE, 0, 0);
  return {LOWORD(size), HIWORD(size)};
}

std::string ButtonText(const TToolButton& button) {
  char text[64] = {0};
  const LRESULT length =
      SendMessageA(button.ToolBar, TB_GETBUTTONTEXTA, button.Id, reinterpret_cast<LPARAM>(text));
  return length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
}

// The text the toolbar's tooltip shows for a button, asked as the tooltip
// asks for it.
std::string TooltipText(const TMainForm& form, const TToolButton& button) {
  NMTTDISPINFOA info{};
  info.hdr.hwndFrom =
      reinterpret_cast<HWND>(SendMessageA(ToolBar(form).Handle, TB_GETTOOLTIPS, 0, 0));
  info.hdr.idFrom = static_cast<UINT_PTR>(button.Id);
  info.hdr.code = TTN_GETDISPINFOA;
  SendMessageA(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  return info.lpszText != nullptr ? info.lpszText : info.szText;
}

// A click on a toolbar button as the toolbar makes it: a check button
// changes its down state first, then the window hears of the click.
void ClickToolButton(const TMainForm& form, const TToolButton& button) {
  TBBUTTONINFOA info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STYLE;
  SendMessageA(button.ToolBar, TB_GETBUTTONINFOA, button.Id, reinterpret_cast<LPARAM>(&info));
  if (info.fsStyle & BTNS_CHECK) button.SetDown(!button.GetDown());
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(button.Id, BN_CLICKED),
               reinterpret_cast<LPARAM>(button.ToolBar));
}

bool Topmost(const TMainForm& form) {
  return (GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The distance from the start of the log's text to the character after one
// tab, in pixels.
int TabDistance(TMainForm& form) {
  form.Pane().Replace("a\tb");
  const LRESULT a = SendMessageA(Log(form).Handle, EM_POSFROMCHAR, 0, 0);
  const LRESULT b = SendMessageA(Log(form).Handle, EM_POSFROMCHAR, 2, 0);
  return static_cast<short>(LOWORD(b)) - static_cast<short>(LOWORD(a));
}

int AverageCharWidth(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, FontHandle(control));
  // The average of the Latin letters, as the dialog units are measured.
  SIZE size{};
  GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return (size.cx / 26 + 1) / 2;
}

class ViewOptionsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(TMainForm::RegisterClass(GetModuleHandleA(nullptr)));
    // A settings file left by another test would change the start.
    DeleteFileA(kSettingsFile.c_str());
    Form = std::make_unique<TMainForm>(GetModuleHandleA(nullptr));
    Form->Create();
    ShowWindow(Form->Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Form->Handle());
  }
  void TearDown() override {
    Form.reset();
    DeleteFileA(kSettingsFile.c_str());
  }

  void Click(int id) { Form->ClickMenuItem(id); }

  TDialogResponder Responder;
  std::unique_ptr<TMainForm> Form;
};

TEST_F(ViewOptionsTest, ToolbarCommandHidesAndShowsTheToolbarWithItsCheckMark) {
  TMainForm& form = *Form;
  EXPECT_TRUE(IsWindowVisible(ToolBar(form).Handle));
  EXPECT_TRUE(MenuItem(form, cmToolbar).GetChecked());
  const int fieldsTop = ClientRect(form, QuestionField(form).Handle).top;

  Click(cmToolbar);
  EXPECT_FALSE(IsWindowVisible(ToolBar(form).Handle));
  EXPECT_FALSE(MenuItem(form, cmToolbar).GetChecked());
  EXPECT_LT(ClientRect(form, QuestionField(form).Handle).top, fieldsTop) << "the fields move up";

  Click(cmToolbar);
  EXPECT_TRUE(IsWindowVisible(ToolBar(form).Handle));
  EXPECT_TRUE(MenuItem(form, cmToolbar).GetChecked());
  EXPECT_EQ(ClientRect(form, QuestionField(form).Handle).top, fieldsTop);
}

TEST_F(ViewOptionsTest, ToolbarCaptionsSwitchBetweenSmallButtonsWithTooltipsAndCaptionedButtons) {
  TMainForm& form = *Form;
  // Without captions: small buttons of pictures, the hints as tooltips.
  EXPECT_FALSE(MenuItem(form, cmToolbarCaptions).GetChecked());
  EXPECT_EQ(ButtonSize(form).cx, MulDiv(22, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 96));
  EXPECT_EQ(ButtonSize(form).cy, MulDiv(21, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 96));
  // The button keeps the command's name, for a screen reader, and shows none.
  EXPECT_EQ(ButtonText(Button(form, cmSaveLog)), "Save Log");
  EXPECT_EQ(SendMessageA(ToolBar(form).Handle, TB_GETTEXTROWS, 0, 0), 0);
  EXPECT_EQ(TooltipText(form, Button(form, cmSaveLog)), "Save Log");
  EXPECT_EQ(TooltipText(form, Button(form, cmCaseSensitive)), "Case Sensitive");
  Click(cmSwap);
  ASSERT_TRUE(Button(form, cmSwap).GetDown());

  Click(cmToolbarCaptions);
  EXPECT_TRUE(MenuItem(form, cmToolbarCaptions).GetChecked());
  const SIZE captioned = ButtonSize(form);
  RECT button;
  SendMessageA(ToolBar(form).Handle, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
  // Room for the 16-pixel picture with the caption under it.
  EXPECT_GE(captioned.cy, 16 + 2 * -FontOf(ToolBar(form).Handle).lfHeight / 2);
  EXPECT_GT(captioned.cx, 22);
  EXPECT_GT(captioned.cy, 21);
  EXPECT_EQ(ButtonText(Button(form, cmSaveLog)), "Log");
  EXPECT_EQ(ButtonText(Button(form, cmCaseSensitive)), "Case");
  EXPECT_EQ(TooltipText(form, Button(form, cmSaveLog)), "");
  EXPECT_TRUE(Button(form, cmSwap).GetDown()) << "a check button keeps its state";

  Click(cmToolbarCaptions);
  EXPECT_EQ(ButtonSize(form).cx, MulDiv(22, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 96));
  EXPECT_EQ(ButtonText(Button(form, cmSaveLog)), "Save Log");
  EXPECT_EQ(TooltipText(form, Button(form, cmShuffle)), "Shuffle");

  // Back on: the buttons hold picture and caption as the first time.
  Click(cmToolbarCaptions);
  EXPECT_EQ(ButtonSize(form).cx, captioned.cx);
  EXPECT_EQ(ButtonSize(form).cy, captioned.cy);
  EXPECT_EQ(ButtonText(Button(form, cmStart)), "Start");
  EXPECT_TRUE(Button(form, cmSwap).GetDown());
  EXPECT_TRUE(Button(form, cmShuffle).GetDown());
  EXPECT_FALSE(Button(form, cmCaseSensitive).GetDown());
}

TEST_F(ViewOptionsTest, SwapPanelsPutsTheQuestionPanelBelowTheLogAndBack) {
  TMainForm& form = *Form;
  EXPECT_LT(ClientRect(form, AnswerField(form).Handle).bottom,
            ClientRect(form, Log(form).Handle).top);
  EXPECT_FALSE(MenuItem(form, cmSwapPanels).GetChecked());

  Click(cmSwapPanels);
  EXPECT_TRUE(MenuItem(form, cmSwapPanels).GetChecked());
  const RECT log = ClientRect(form, Log(form).Handle);
  EXPECT_GT(ClientRect(form, QuestionField(form).Handle).top, log.bottom);
  EXPECT_GT(ClientRect(form, QuestionLabel(form).Handle).top, log.bottom);
  // The log now starts right under the toolbar.
  EXPECT_EQ(log.top, ClientRect(form, ToolBar(form).Handle).bottom);

  Click(cmSwapPanels);
  EXPECT_FALSE(MenuItem(form, cmSwapPanels).GetChecked());
  EXPECT_LT(ClientRect(form, AnswerField(form).Handle).bottom,
            ClientRect(form, Log(form).Handle).top);
}

TEST_F(ViewOptionsTest, StatusBarCommandHidesTheBarAndTheLogTakesItsRoom) {
  TMainForm& form = *Form;
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_TRUE(IsWindowVisible(StatusBar(form).Handle));
  EXPECT_EQ(ClientRect(form, Log(form).Handle).bottom,
            ClientRect(form, StatusBar(form).Handle).top);

  Click(cmStatusBar);
  EXPECT_FALSE(IsWindowVisible(StatusBar(form).Handle));
  EXPECT_FALSE(MenuItem(form, cmStatusBar).GetChecked());
  EXPECT_EQ(ClientRect(form, Log(form).Handle).bottom, client.bottom);

  Click(cmStatusBar);
  EXPECT_TRUE(IsWindowVisible(StatusBar(form).Handle));
  EXPECT_TRUE(MenuItem(form, cmStatusBar).GetChecked());
  EXPECT_EQ(ClientRect(form, Log(form).Handle).bottom,
            ClientRect(form, StatusBar(form).Handle).top);
}

TEST_F(ViewOptionsTest, TopmostPutsTheWindowIntoTheTopmostBandAndOut) {
  TMainForm& form = *Form;
  EXPECT_FALSE(Topmost(form));
  Click(cmTopmost);
  EXPECT_TRUE(Topmost(form));
  EXPECT_TRUE(MenuItem(form, cmTopmost).GetChecked());
  // Every application of the options sets the band again, changed or not.
  SetWindowPos(form.Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Click(cmLastPosition);
  EXPECT_TRUE(Topmost(form));
  EXPECT_TRUE(MenuItem(form, cmLastPosition).GetChecked());

  Click(cmTopmost);
  EXPECT_FALSE(Topmost(form));
  EXPECT_FALSE(MenuItem(form, cmTopmost).GetChecked());
}

TEST_F(ViewOptionsTest, FontTabWidthAndDefaultCarryNoCheckMark) {
  TMainForm& form = *Form;
  for (int id : {cmFont, cmTabWidth, cmDefaultView, cmDefaultExam})
    EXPECT_FALSE(MenuItem(form, id).GetChecked()) << MenuItem(form, id).GetCaption();
}

TEST_F(ViewOptionsTest, TabStopsOfTheLogFollowTheTabWidth) {
  TMainForm& form = *Form;
  const int average = AverageCharWidth(Log(form).Handle);
  const int eight = TabDistance(form);
  EXPECT_NEAR(eight, 8 * average, average);

  TViewOptions options = GetViewOptions(form);
  options.TabWidth = 16;
  form.SetOptions(options);
  EXPECT_NEAR(TabDistance(form), 16 * average, average);
  EXPECT_GT(TabDistance(form), eight);
}

// The user picks an entry of a drop-down list in a dialog.
void PickListItem(HWND dialog, int id, const char* text) {
  const HWND box = GetDlgItem(dialog, id);
  ASSERT_NE(
      SendMessageA(box, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)),
      CB_ERR)
      << text;
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

// The font dialog shows the held face and size and gets the answer.
struct TFontDialogSeen {
  std::string Face;
  std::string Size;
  bool EffectsShown = true;
};

TEST_F(ViewOptionsTest, FontDialogStartsOnTheRealDefaultFaceAndOkAppliesItsOwnName) {
  TMainForm& form = *Form;
  const HFONT before = FontHandle(QuestionField(form).Handle);
  const std::string face = ShownFace(Log(form).Handle);
  ASSERT_NE(face, "");
  ASSERT_NE(face, "Default");

  TFontDialogSeen seen;
  Responder.Handle([&seen](HWND dialog) {
    seen.Face = WindowText(GetDlgItem(dialog, cmb1));
    seen.Size = WindowText(GetDlgItem(dialog, cmb3));
    const HWND underline = GetDlgItem(dialog, chx2);
    seen.EffectsShown = underline != nullptr && IsWindowVisible(underline);
    ClickButton(dialog, "OK");
  });
  Click(cmFont);
  EXPECT_EQ(seen.Face, face);
  EXPECT_EQ(seen.Size, "9");
  EXPECT_FALSE(seen.EffectsShown);
  // The record now names the face itself: it differs and was applied, with
  // the same look.
  EXPECT_EQ(GetViewOptions(form).FontName, face);
  EXPECT_EQ(GetViewOptions(form).FontSize, 9);
  EXPECT_NE(FontHandle(QuestionField(form).Handle), before);
  EXPECT_EQ(FontOf(QuestionField(form).Handle).lfFaceName, face);
  EXPECT_EQ(FontOf(QuestionField(form).Handle).lfHeight, FontOf(Log(form).Handle).lfHeight);

  // OK again without a change: the record is equal and nothing is applied.
  const HFONT applied = FontHandle(QuestionField(form).Handle);
  Responder.Press("OK");
  Click(cmFont);
  EXPECT_EQ(FontHandle(QuestionField(form).Handle), applied);
  EXPECT_EQ(GetViewOptions(form).FontName, face);
}

TEST_F(ViewOptionsTest, FontDialogChangesTheFontOfTheThreeFieldsAndCancelChangesNothing) {
  TMainForm& form = *Form;
  Responder.Handle([](HWND dialog) {
    PickListItem(dialog, cmb3, "14");
    ClickButton(dialog, "OK");
  });
  Click(cmFont);
  EXPECT_EQ(GetViewOptions(form).FontSize, 14);
  const LOGFONTA memo = FontOf(Log(form).Handle);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(memo.lfHeight, -MulDiv(14, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);
  for (HWND field : {QuestionField(form).Handle, AnswerField(form).Handle}) {
    EXPECT_EQ(FontOf(field).lfHeight, memo.lfHeight);
    EXPECT_STREQ(FontOf(field).lfFaceName, memo.lfFaceName);
  }
  // The labels and the status bar keep the window's font.
  EXPECT_NE(FontOf(QuestionLabel(form).Handle).lfHeight, memo.lfHeight);
  EXPECT_NE(FontOf(StatusBar(form).Handle).lfHeight, memo.lfHeight);

  // The dialog starts from the held size; Cancel leaves everything.
  std::string size;
  const HFONT held = FontHandle(Log(form).Handle);
  Responder.Handle([&size](HWND dialog) {
    size = WindowText(GetDlgItem(dialog, cmb3));
    PickListItem(dialog, cmb3, "20");
    ClickButton(dialog, "Cancel");
  });
  Click(cmFont);
  EXPECT_EQ(size, "14");
  EXPECT_EQ(GetViewOptions(form).FontSize, 14);
  EXPECT_EQ(FontHandle(Log(form).Handle), held);
}

TEST_F(ViewOptionsTest, ViewDefaultResetsOnlyTheViewOptionsAfterOk) {
  TMainForm& form = *Form;
  Click(cmTopmost);
  Click(cmStatusBar);
  Click(cmSwapPanels);
  Click(cmToolbarCaptions);
  TViewOptions changed = GetViewOptions(form);
  changed.FontName = "Courier New";
  changed.FontSize = 12;
  changed.TabWidth = 4;
  form.SetOptions(changed);
  Click(cmCaseSensitive);
  RECT bounds;
  GetWindowRect(form.Handle(), &bounds);

  Responder.Press("Cancel");
  Click(cmDefaultView);
  ASSERT_EQ(Responder.Seen().size(), 1u);
  EXPECT_EQ(Responder.Seen()[0].Caption, "Tesmo");
  EXPECT_EQ(Responder.Seen()[0].Text, "Set default settings?");
  EXPECT_EQ(Responder.Seen()[0].Icon, "warning");
  EXPECT_TRUE(GetViewOptions(form) == changed);
  EXPECT_TRUE(Topmost(form));

  Responder.Press("OK");
  Click(cmDefaultView);
  EXPECT_TRUE(GetViewOptions(form) == TViewOptions());
  EXPECT_FALSE(Topmost(form));
  EXPECT_TRUE(IsWindowVisible(StatusBar(form).Handle));
  EXPECT_LT(ClientRect(form, AnswerField(form).Handle).bottom,
            ClientRect(form, Log(form).Handle).top);
  EXPECT_EQ(SendMessageA(ToolBar(form).Handle, TB_GETTEXTROWS, 0, 0), 0) << "no captions";
  EXPECT_STREQ(FontOf(Log(form).Handle).lfFaceName, DefaultFontFace().c_str());
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(FontOf(Log(form).Handle).lfHeight, -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(FontOf(Log(form).Handle).lfWeight, FW_NORMAL);
  EXPECT_NEAR(TabDistance(form), 8 * AverageCharWidth(Log(form).Handle),
              AverageCharWidth(Log(form).Handle));
  for (int id : {cmTopmost, cmSwapPanels, cmToolbarCaptions})
    EXPECT_FALSE(MenuItem(form, id).GetChecked()) << MenuItem(form, id).GetCaption();
  EXPECT_TRUE(MenuItem(form, cmStatusBar).GetChecked());
  RECT after;
  GetWindowRect(form.Handle(), &after);
  EXPECT_TRUE(EqualRect(&after, &bounds)) << "the window keeps its place and size";
  // The examination options are not the view's.
  EXPECT_TRUE(MenuItem(form, cmCaseSensitive).GetChecked());
  EXPECT_TRUE(Button(form, cmCaseSensitive).GetDown());
}

TEST_F(ViewOptionsTest, OptionsCommandsAndToolbarCheckButtonsAlwaysAgree) {
  TMainForm& form = *Form;
  const auto agree = [&form](const char* step) {
    EXPECT_EQ(MenuItem(form, cmShuffle).GetChecked(), Button(form, cmShuffle).GetDown()) << step;
    EXPECT_EQ(MenuItem(form, cmSwap).GetChecked(), Button(form, cmSwap).GetDown()) << step;
    EXPECT_EQ(MenuItem(form, cmCaseSensitive).GetChecked(), Button(form, cmCaseSensitive).GetDown())
        << step;
    const TExamOptions options = form.GetExamOptions();
    EXPECT_EQ(options.Shuffle, MenuItem(form, cmShuffle).GetChecked()) << step;
    EXPECT_EQ(options.Swap, MenuItem(form, cmSwap).GetChecked()) << step;
    EXPECT_EQ(options.CaseSensitive, MenuItem(form, cmCaseSensitive).GetChecked()) << step;
  };
  agree("start");
  EXPECT_TRUE(MenuItem(form, cmShuffle).GetChecked());
  EXPECT_FALSE(MenuItem(form, cmSwap).GetChecked());
  EXPECT_FALSE(MenuItem(form, cmCaseSensitive).GetChecked());

  ClickToolButton(form, Button(form, cmCaseSensitive));
  EXPECT_TRUE(MenuItem(form, cmCaseSensitive).GetChecked());
  EXPECT_TRUE(Button(form, cmCaseSensitive).GetDown());
  agree("Case button down");
  ClickToolButton(form, Button(form, cmCaseSensitive));
  EXPECT_FALSE(MenuItem(form, cmCaseSensitive).GetChecked());
  EXPECT_FALSE(Button(form, cmCaseSensitive).GetDown());
  agree("Case button up");

  Click(cmShuffle);
  agree("Shuffle from the menu");
  EXPECT_FALSE(Button(form, cmShuffle).GetDown());
  ClickToolButton(form, Button(form, cmSwap));
  agree("Swap button");
  Click(cmSwap);
  agree("Swap from the menu");
  ClickToolButton(form, Button(form, cmShuffle));
  agree("Shuffle button");
  EXPECT_TRUE(form.GetExamOptions().Shuffle);
  EXPECT_FALSE(form.GetExamOptions().Swap);
}

TEST_F(ViewOptionsTest, OptionsDefaultResetsOnlyTheExamOptionsAfterOk) {
  TMainForm& form = *Form;
  Click(cmShuffle);
  Click(cmSwap);
  Click(cmCaseSensitive);
  Click(cmStatusBar);

  Responder.Press("Cancel");
  Click(cmDefaultExam);
  EXPECT_FALSE(MenuItem(form, cmShuffle).GetChecked());
  EXPECT_TRUE(Button(form, cmSwap).GetDown());

  Responder.Press("OK");
  Click(cmDefaultExam);
  ASSERT_EQ(Responder.Seen().size(), 2u);
  EXPECT_EQ(Responder.Seen()[1].Text, "Set default settings?");
  EXPECT_TRUE(MenuItem(form, cmShuffle).GetChecked());
  EXPECT_TRUE(Button(form, cmShuffle).GetDown());
  EXPECT_FALSE(MenuItem(form, cmSwap).GetChecked());
  EXPECT_FALSE(Button(form, cmSwap).GetDown());
  EXPECT_FALSE(MenuItem(form, cmCaseSensitive).GetChecked());
  EXPECT_FALSE(Button(form, cmCaseSensitive).GetDown());
  // The view options are not the examination's.
  EXPECT_FALSE(MenuItem(form, cmStatusBar).GetChecked());
  EXPECT_FALSE(IsWindowVisible(StatusBar(form).Handle));
}

} // namespace

TEST_F(ViewOptionsTest, AnOptionChangedDuringARunCountsFromTheNextQuestion) {
  TMainForm& form = *Form;
  const TTempFile questions("q1,a1\r\nq2,a2\r\n", ".csv");
  Click(cmShuffle); // asked in the file's order
  OpenDocument(form, questions.Path());
  Click(cmStart);
  ASSERT_EQ(QuestionField(form).GetText(), "q1");

  Click(cmSwap);
  Click(cmCaseSensitive);
  EXPECT_EQ(QuestionField(form).GetText(), "q1") << "the question shown stays";
  // Judged as it was asked: case ignored, the answer expected.
  AnswerField(form).SetText("A1");
  SendMessageA(AnswerField(form).Handle, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(GetExam(form).HitItems.Count(), 1);
  // The next question comes swapped, and its case counts.
  EXPECT_EQ(QuestionField(form).GetText(), "a2");
  AnswerField(form).SetText("Q2");
  SendMessageA(AnswerField(form).Handle, WM_KEYDOWN, VK_RETURN, 1);
  // The run is over with that one miss to review.
  EXPECT_EQ(GetExam(form).ReviewItems.Count(), 1);
  EXPECT_TRUE(MenuItem(form, cmReview).GetEnabled());
}

namespace {

// What the tab-width question showed when it came up.
struct TAsked {
  std::string Caption, Prompt, Entry;
  DWORD SelectionStart = 1, SelectionEnd = 0;
  RECT Bounds{};
};

TAsked Describe(HWND dialog) {
  TAsked asked;
  const TDialogSeen seen = DescribeDialog(dialog);
  asked.Caption = seen.Caption;
  asked.Prompt = seen.Text;
  const HWND focus = GetFocus();
  asked.Entry = WindowText(focus);
  SendMessageA(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&asked.SelectionStart),
               reinterpret_cast<LPARAM>(&asked.SelectionEnd));
  GetWindowRect(dialog, &asked.Bounds);
  return asked;
}

bool WhollySelected(const TAsked& asked) {
  return asked.SelectionStart == 0 && asked.SelectionEnd == asked.Entry.size();
}

} // namespace

class TabWidthTest : public ViewOptionsTest {
protected:
  // The user types the entry over the proposal and presses Enter.
  void Answer(const std::string& entry, TAsked* asked = nullptr) {
    Responder.Handle([entry, asked](HWND dialog) {
      if (asked != nullptr) *asked = Describe(dialog);
      if (entry.empty())
        PressKey(dialog, VK_DELETE);
      else
        TypeText(dialog, entry);
      PressKey(dialog, VK_RETURN);
    });
  }
  // A rejected entry: its message, then the question again, which the user
  // cancels. Gives what the question showed the second time.
  TAsked Reject(const std::string& entry) {
    Answer(entry);
    Responder.Press("OK");
    TAsked again;
    Responder.Handle([&again](HWND dialog) {
      again = Describe(dialog);
      ClickButton(dialog, "Cancel");
    });
    const size_t before = Responder.Seen().size();
    Click(cmTabWidth);
    EXPECT_EQ(Responder.Seen().size(), before + 3);
    if (Responder.Seen().size() == before + 3) {
      const TDialogSeen& message = Responder.Seen()[before + 1];
      EXPECT_EQ(message.Caption, "Tesmo");
      EXPECT_EQ(message.Icon, "error");
      LastMessage = message.Text;
    }
    return again;
  }

  std::string LastMessage;
};

TEST_F(TabWidthTest, AcceptsWholeNumbersFromZeroToNinetySixInTheIntegerRules) {
  TMainForm& form = *Form;
  TAsked asked;
  Answer("96", &asked);
  Click(cmTabWidth);
  EXPECT_EQ(asked.Caption, "Tab Width");
  EXPECT_EQ(asked.Prompt, "Enter the tab width.");
  EXPECT_EQ(asked.Entry, "8");
  EXPECT_TRUE(WhollySelected(asked));
  EXPECT_EQ(GetViewOptions(form).TabWidth, 96);

  const struct {
    const char* Entry;
    int Width;
  } accepted[] = {{"0", 0}, {"$10", 16}, {" 12", 12}, {"-0", 0}, {"0x20", 32}};
  for (const auto& entry : accepted) {
    const std::string shown = std::to_string(GetViewOptions(form).TabWidth);
    Answer(entry.Entry, &asked);
    Click(cmTabWidth);
    EXPECT_EQ(asked.Entry, shown) << "the question proposes the held width";
    EXPECT_EQ(GetViewOptions(form).TabWidth, entry.Width) << entry.Entry;
  }
  EXPECT_EQ(Responder.Unexpected(), 0);
  // The log's tab stops follow: 32 characters apart now.
  const int average = AverageCharWidth(Log(form).Handle);
  EXPECT_NEAR(TabDistance(form), 32 * average, 2 * average);
}

TEST_F(TabWidthTest, RejectsOtherEntriesWithTheRangeAndTheEntryThenAsksAgainWithIt) {
  TMainForm& form = *Form;
  for (const std::string entry : {"97", "-1", "12 ", "abc", "99999999999"}) {
    const TAsked again = Reject(entry);
    EXPECT_EQ(LastMessage, "Set the number between 0 and 96: " + entry);
    EXPECT_EQ(again.Entry, entry) << "the dialog shows the rejected entry again";
    EXPECT_TRUE(WhollySelected(again)) << entry;
    EXPECT_EQ(GetViewOptions(form).TabWidth, 8) << "cancelled after the message: " << entry;
  }
  const TAsked empty = Reject("");
  EXPECT_EQ(LastMessage, "Set the number between 0 and 96: ");
  EXPECT_EQ(empty.Entry, "");

  // Corrected on the second showing, the entry counts.
  Answer("97");
  Responder.Press("OK");
  Answer("24");
  Click(cmTabWidth);
  EXPECT_EQ(GetViewOptions(form).TabWidth, 24);
}

TEST_F(TabWidthTest, CancelEscapeAndTheCloseBoxChangeNothingAndTheSameWidthIsNotApplied) {
  TMainForm& form = *Form;
  const HFONT applied = FontHandle(Log(form).Handle);
  TAsked first, second;
  Responder.Handle([&first](HWND dialog) {
    first = Describe(dialog);
    TypeText(dialog, "40");
    // Moved by the user; the next showing is centred again.
    SetWindowPos(dialog, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ClickButton(dialog, "Cancel");
  });
  Click(cmTabWidth);
  Responder.Handle([&second](HWND dialog) {
    second = Describe(dialog);
    TypeText(dialog, "40");
    PressKey(dialog, VK_ESCAPE);
  });
  Click(cmTabWidth);
  Responder.Handle([](HWND dialog) {
    TypeText(dialog, "40");
    PressCloseBox(dialog);
  });
  Click(cmTabWidth);
  EXPECT_EQ(GetViewOptions(form).TabWidth, 8);
  EXPECT_EQ(second.Entry, "8") << "a cancelled entry is not kept";
  const int width = first.Bounds.right - first.Bounds.left;
  const int height = first.Bounds.bottom - first.Bounds.top;
  for (const TAsked& asked : {first, second}) {
    EXPECT_EQ(asked.Bounds.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(asked.Bounds.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  }

  // OK on the held width leaves the record equal: nothing is applied.
  Answer("8");
  Click(cmTabWidth);
  EXPECT_EQ(FontHandle(Log(form).Handle), applied);
  EXPECT_EQ(Responder.Unexpected(), 0);
}
