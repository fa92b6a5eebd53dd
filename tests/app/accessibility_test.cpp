// What a learner who cannot see the screen, or sees it in a contrast theme,
// gets from the window: the run told to a screen reader with the focus in the
// answer field, text set from outside seen by Find, and toolbar pictures in
// the theme's colours.
#include <gtest/gtest.h>

#include <set>

#include "app/toolbarimages.h"
#include "mainwindow.h"
#include "win/accessibility.h"

namespace {

const std::string kCapitals = "France,Paris\r\nJapan,Tokyo\r\n";

struct THeard {
  int Kind, Processing;
  std::wstring Text, Activity;
  bool operator==(const THeard&) const = default;
};
std::vector<THeard> heard;
HRESULT WINAPI Record(IRawElementProviderSimple* provider, int kind, int processing, BSTR text,
                      BSTR activity) {
  if (provider != nullptr) heard.push_back({kind, processing, text, activity});
  return S_OK;
}

// The live-region events of the process, with the text the control showed.
std::vector<std::pair<HWND, std::string>> liveRegionEvents;
void CALLBACK LiveRegionHook(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                             DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF)
    liveRegionEvents.emplace_back(window, TControl(window).GetText());
}

class TAccessibilityTest : public MainWindowTest {
protected:
  void TearDown() override {
    MainWindowTest::TearDown();
    FindNotification = SystemNotification;
    HighContrastOn = SystemHighContrast;
    heard.clear();
    liveRegionEvents.clear();
  }
  // A run in file order: one hit, one miss, then the review of the miss.
  void RunWithAHitAndAMissThenReview() {
    Start({Folder.Write("capitals.csv", kCapitals)});
    ClickButton(Button(Form(), cmShuffle));
    Key(QuestionField(Form()).Handle, VK_F2);
    Answer("paris");
    Answer("Kyoto");
    Key(AnswerField(Form()).Handle, VK_F4);
    EXPECT_EQ(Responder.Seen().size(), 0u);
  }
};

// The colours of a picture's opaque pixels in an image list: those it draws
// alike on two backgrounds.
std::set<COLORREF> PictureColors(HIMAGELIST images, int index) {
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  const auto drawn = [&](COLORREF background) {
    const TWindowDC screen(nullptr);
    const TMemoryDC dc(CreateCompatibleDC(screen.Get()));
    const TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    std::vector<COLORREF> pixels;
    const TSelection canvas(dc.Get(), bitmap.Get());
    const RECT all{0, 0, width, height};
    const TBrushHandle brush(CreateSolidBrush(background));
    FillRect(dc.Get(), &all, brush.Get());
    ImageList_Draw(images, index, dc.Get(), 0, 0, ILD_TRANSPARENT);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc.Get(), x, y));
    return pixels;
  };
  const std::vector<COLORREF> dark = drawn(RGB(1, 2, 3)), light = drawn(RGB(251, 252, 253));
  std::set<COLORREF> colors;
  for (size_t i = 0; i < dark.size(); ++i)
    if (dark[i] == light[i]) colors.insert(dark[i]);
  return colors;
}

HIMAGELIST ToolBarList(const TMainForm& form, UINT message) {
  return reinterpret_cast<HIMAGELIST>(SendMessageA(ToolBar(form).Handle, message, 0, 0));
}

} // namespace

TEST_F(TAccessibilityTest, AScreenReaderHearsTheRunWithTheFocusInTheAnswerField) {
  static int lookups = 0;
  FindNotification = [] { return ++lookups, TRaiseNotification(Record); };
  Start();
  EXPECT_EQ(lookups, 0) << "nothing is looked up before a screen reader needs it";
  RunWithAHitAndAMissThenReview();
  EXPECT_EQ(lookups, 1);
  EXPECT_TRUE(AnswerField(Form()).Focused());
  // Action completed, every one in turn.
  EXPECT_EQ(heard, (std::vector<THeard>{
                       {2, 0, L"France", L"Tesmo.Question"},
                       {2, 0, L"Hit", L"Tesmo.Verdict"},
                       {2, 0, L"Japan", L"Tesmo.Question"},
                       {2, 0, L"Miss. Answer 1: Tokyo", L"Tesmo.Verdict"},
                       {2, 0, L"Results. Hit: 1. Miss: 1. Ratio: 50%", L"Tesmo.Results"},
                       {2, 0, L"Japan", L"Tesmo.Question"},
                   }));
}

TEST_F(TAccessibilityTest, WithoutNotificationsTheQuestionFieldIsALiveRegion) {
  FindNotification = [] { return TRaiseNotification(nullptr); };
  const HWINEVENTHOOK hook = SetWinEventHook(0x8019, 0x8019, nullptr, LiveRegionHook,
                                             GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  RunWithAHitAndAMissThenReview();
  ProcessMessages(Form());
  UnhookWinEvent(hook);
  const HWND question = QuestionField(Form()).Handle;
  EXPECT_EQ(liveRegionEvents, (std::vector<std::pair<HWND, std::string>>{
                                  {question, "France"}, {question, "Japan"}, {question, "Japan"}}));
}

// Another program (a dictation tool, UI Automation's SetValue) sets the
// log's text whole: Find and Save Log see it.
TEST_F(TAccessibilityTest, TextSetFromOutsideIsFoundAndItsCommandsFollow) {
  Start();
  EXPECT_FALSE(MenuItem(Form(), cmSaveLog).GetEnabled());
  SendMessageA(Log(Form()).Handle, WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>("dictated words\r\nand more words"));
  EXPECT_TRUE(MenuItem(Form(), cmSaveLog).GetEnabled());
  Responder.Handle([](HWND dialog) {
    SetWindowTextA(GetFocus(), "more");
    ::ClickButton(dialog, "&Find");
  });
  Click(cmFind);
  EXPECT_EQ(Log(Form()).GetSelText(), "more");
  ASSERT_EQ(Responder.Seen().size(), 1u) << "no box said there was no match";
}

TEST_F(TAccessibilityTest, InAContrastThemeThePicturesTakeItsColoursAndGiveThemBack) {
  Start();
  const int elements[] = {COLOR_BTNTEXT, COLOR_BTNFACE, COLOR_HIGHLIGHT, COLOR_GRAYTEXT};
  COLORREF before[4];
  for (int i = 0; i < 4; ++i) before[i] = GetSysColor(elements[i]);
  // A theme like Night sky: white ink on black, a yellow accent, green grey.
  const COLORREF theme[] = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 0), RGB(63, 242, 63)};
  const COLORREF ink = theme[0], face = theme[1], accent = theme[2], grey = theme[3];
  HighContrastOn = [] { return true; };
  SetSysColors(4, elements, theme);
  ProcessMessages(Form());

  HIMAGELIST pictures = ToolBarList(Form(), TB_GETIMAGELIST);
  HIMAGELIST greyed = ToolBarList(Form(), TB_GETDISABLEDIMAGELIST);
  ASSERT_NE(greyed, nullptr);
  for (int i = 0; i < tpCount; ++i) {
    const std::set<COLORREF> colors = PictureColors(pictures, i);
    for (COLORREF color : colors)
      EXPECT_TRUE(color == ink || color == face || color == accent)
          << "picture " << i << " has " << std::hex << color;
    EXPECT_TRUE(colors.count(ink) || colors.count(accent)) << "picture " << i << " shows";
    for (COLORREF color : PictureColors(greyed, i))
      EXPECT_TRUE(color == grey || color == face) << "greyed picture " << i;
  }

  HighContrastOn = [] { return false; };
  SetSysColors(4, elements, before);
  ProcessMessages(Form());
  EXPECT_EQ(ToolBarList(Form(), TB_GETDISABLEDIMAGELIST), nullptr);
  std::set<COLORREF> own;
  for (int i = 0; i < tpCount; ++i)
    own.merge(PictureColors(ToolBarList(Form(), TB_GETIMAGELIST), i));
  EXPECT_GT(own.size(), 6u) << "the pictures have their own colours again";
}
