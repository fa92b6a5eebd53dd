// The window and its dialogs on a screen of 144 dpi, where every design size
// at 120 dpi grows by a fifth. The MainWindowDpi144 tests run only in a
// process that sees 144 dpi (tests/scripts/with_dpi.sh sets the prefix so for
// one CTest entry); anywhere else they skip. A window told by WM_DPICHANGED
// that its screen is now 144 dpi must look the same.
#include "mainwindow.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <commctrl.h>

#include "win/modaldialog.h"

namespace {

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// A control's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND control) {
  RECT bounds{};
  GetWindowRect(control, &bounds);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

LONG FontHeightOf(HWND control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

bool IsCentredOnTheScreen(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  return std::abs(bounds.left - (GetSystemMetrics(SM_CXSCREEN) - width) / 2) <= 1 &&
         std::abs(bounds.top - (GetSystemMetrics(SM_CYSCREEN) - height) / 2) <= 1;
}

::testing::AssertionResult IsAt(HWND control, int left, int top, int width, int height) {
  const RECT r = PlaceOf(control);
  if (r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "at " << r.left << "," << r.top << " size " << r.right - r.left << "x"
         << r.bottom - r.top << ", expected " << left << "," << top << " size " << width << "x"
         << height;
}

// The top of the panel of fields: right under the toolbar.
int FieldsTop(TMainForm& form) { return PlaceOf(ToolBar(form).Handle).bottom; }

// The look at 144 dpi, of a window started there or moved there.
void ExpectFieldsAt144(TMainForm& form) {
  const int top = FieldsTop(form);
  const int right = ClientSize(form.Handle()).cx - 10; // the 8-pixel margin
  // Design 8, 8, 89 x 25 and 8, 40: at 144 dpi 10, 10, 107 x 30 and 10, 48.
  EXPECT_TRUE(IsAt(QuestionLabel(form).Handle, 10, top + 10, 107, 30));
  EXPECT_TRUE(IsAt(AnswerLabel(form).Handle, 10, top + 48, 107, 30));
  // Design 104, 8 and 103, 40, both 23 high, stretching to the margin.
  EXPECT_TRUE(IsAt(QuestionField(form).Handle, 125, top + 10, right - 125, 28));
  EXPECT_TRUE(IsAt(AnswerField(form).Handle, 124, top + 48, right - 124, 28));
  // The log fills what the 73-pixel panel leaves, down to the status bar.
  const RECT memo = PlaceOf(Log(form).Handle);
  EXPECT_EQ(memo.top, top + 88);
  EXPECT_EQ(memo.left, 0);
  EXPECT_EQ(memo.bottom, PlaceOf(StatusBar(form).Handle).top);
  // Nine points at 144 dpi are 18 pixels, in the labels and the fields alike.
  EXPECT_EQ(FontHeightOf(QuestionLabel(form).Handle), -18);
  EXPECT_EQ(FontHeightOf(QuestionField(form).Handle), -18);
  EXPECT_EQ(FontHeightOf(Log(form).Handle), -18);
  EXPECT_EQ(FontHeightOf(StatusBar(form).Handle), -18);
}

void ExpectToolbarAt144(TMainForm& form) {
  const auto images = reinterpret_cast<HIMAGELIST>(ToolBar(form).Send(TB_GETIMAGELIST));
  int width = 0, height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height));
  EXPECT_EQ(width, 24);
  EXPECT_EQ(height, 24);
  EXPECT_EQ(ImageList_GetImageCount(images), 9);
  // 22 x 21 at 96 dpi.
  const LRESULT size = ToolBar(form).Send(TB_GETBUTTONSIZE);
  EXPECT_EQ(LOWORD(size), 33);
  EXPECT_EQ(HIWORD(size), 32);
  RECT button{};
  ToolBar(form).Send(TB_GETRECT, Button(form, cmNew).Id, reinterpret_cast<LPARAM>(&button));
  EXPECT_EQ(button.right - button.left, 33);
  EXPECT_LE(button.bottom, PlaceOf(ToolBar(form).Handle).bottom - PlaceOf(ToolBar(form).Handle).top)
      << "the toolbar holds its buttons whole";
}

void ExpectCaptionedToolbarAt144(TMainForm& form) {
  const LRESULT size = ToolBar(form).Send(TB_GETBUTTONSIZE);
  EXPECT_GE(LOWORD(size), 64) << "the design's 53 wide";
  EXPECT_GE(HIWORD(size), 46) << "the design's 38 high";
  EXPECT_GE(HIWORD(size), 24 + 18) << "the picture and a line of caption";

  // Each caption fits its button, measured in the toolbar's own font.
  const HDC dc = GetDC(ToolBar(form).Handle);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(ToolBar(form).Send(WM_GETFONT)));
  for (int id :
       {cmNew, cmOpen, cmSaveLog, cmStart, cmReview, cmList, cmShuffle, cmSwap, cmCaseSensitive}) {
    char caption[32] = {0};
    ToolBar(form).Send(TB_GETBUTTONTEXTA, id, reinterpret_cast<LPARAM>(caption));
    SIZE text{};
    GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &text);
    RECT bounds{};
    ToolBar(form).Send(TB_GETRECT, id, reinterpret_cast<LPARAM>(&bounds));
    EXPECT_GE(bounds.right - bounds.left, text.cx + 8) << caption;
  }
  SelectObject(dc, old);
  ReleaseDC(ToolBar(form).Handle, dc);

  // The taller toolbar moves the fields, which keep their places in the panel.
  const int top = FieldsTop(form);
  EXPECT_GE(top, HIWORD(size));
  EXPECT_TRUE(IsAt(QuestionField(form).Handle, 125, top + 10,
                   PlaceOf(QuestionField(form).Handle).right - 125, 28));
  EXPECT_EQ(PlaceOf(Log(form).Handle).top, top + 88);
}

class MainWindowDpi144 : public MainWindowTest {
protected:
  void SetUp() override {
    if (ScreenDpi() != 144)
      GTEST_SKIP() << "the process runs at " << ScreenDpi() << " dpi, not 144";
    MainWindowTest::SetUp();
  }
};

// The sizes a user sees, one control a line.
std::string SizesShown(TMainForm& form) {
  std::ostringstream out;
  for (HWND control :
       {QuestionLabel(form).Handle, AnswerLabel(form).Handle, QuestionField(form).Handle,
        AnswerField(form).Handle, Log(form).Handle, ToolBar(form).Handle, StatusBar(form).Handle}) {
    const RECT r = PlaceOf(control);
    out << WindowText(control).substr(0, 12) << " at " << r.left << "," << r.top << " "
        << r.right - r.left << "x" << r.bottom - r.top << " font " << FontHeightOf(control) << "\n";
  }
  int picture = 0, unused = 0;
  ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(ToolBar(form).Send(TB_GETIMAGELIST)), &picture,
                        &unused);
  const LRESULT button = ToolBar(form).Send(TB_GETBUTTONSIZE);
  out << "pictures " << picture << ", buttons " << LOWORD(button) << "x" << HIWORD(button);
  return out.str();
}

} // namespace

TEST_F(MainWindowDpi144, FieldsAndLabelsSitAtTheirDesignPlacesScaled) {
  Start();
  ExpectFieldsAt144(Form());
}

TEST_F(MainWindowDpi144, ToolbarPicturesAreDrawnAt24PixelsInButtonsOf33By32) {
  Start();
  ExpectToolbarAt144(Form());
}

TEST_F(MainWindowDpi144, CaptionedButtonsHoldTheirWholeCaptionsAndPushTheFieldsDown) {
  Start();
  Click(cmToolbarCaptions);
  ASSERT_TRUE(MenuItem(Form(), cmToolbarCaptions).GetChecked());
  ExpectCaptionedToolbarAt144(Form());
}

// Both are laid out from their designs: the input dialog's is 376 x 144, the
// entry at 8, 64, 361 x 23, OK at 88, 104, 97 x 33; the Find dialog's 480 x
// 104, the find box at 112, 8, 249 x 23, Cancel at 376, 48, 97 x 33.
TEST_F(MainWindowDpi144, TheInputAndFindDialogsAreScaledAndCentred) {
  Start();
  const struct {
    const char* button;
    std::function<void()> open;
    SIZE client;
    std::vector<LONG> focusedPlace, buttonPlace; // left, top, width, height
  } cases[] = {
      {"OK", [&] { Click(cmTabWidth); }, {451, 173}, {10, 77, 433, 28}, {106, 125, 116, 40}},
      {"Cancel",
       [&] { FindDialog(Form()).Execute(Form().Handle(), ""); },
       {576, 125},
       {134, 10, 299, 28},
       {451, 58, 116, 40}},
  };
  for (const auto& c : cases) {
    SIZE client{};
    RECT focused{}, button{};
    LONG fontHeight = 0;
    bool centred = false;
    Responder.Handle([&](HWND dialog) {
      client = ClientSize(dialog);
      focused = PlaceOf(GetFocus());
      button = PlaceOf(FindButton(dialog, c.button));
      fontHeight = FontHeightOf(GetFocus());
      centred = IsCentredOnTheScreen(dialog);
      PressKey(dialog, VK_ESCAPE);
    });
    c.open();
    const auto size = [](const RECT& r) {
      return std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    EXPECT_EQ(client.cx, c.client.cx) << c.button;
    EXPECT_EQ(client.cy, c.client.cy) << c.button;
    EXPECT_EQ(size(focused), c.focusedPlace) << c.button;
    EXPECT_EQ(size(button), c.buttonPlace) << c.button;
    EXPECT_EQ(fontHeight, -18) << c.button;
    EXPECT_TRUE(centred) << c.button;
  }
}

TEST_F(MainWindowDpi144, TheChoiceDialogShowsItsIconAt48PixelsAndItsTextWhole) {
  Start();
  RECT icon{}, text{}, ok{};
  std::string message;
  SIZE needed{};
  bool centred = false;
  Responder.Handle([&](HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      const LONG style = GetWindowLongA(child, GWL_STYLE);
      char className[16] = {0};
      GetClassNameA(child, className, sizeof className);
      if (lstrcmpiA(className, "Static") != 0) continue;
      if ((style & SS_TYPEMASK) == SS_ICON) {
        icon = PlaceOf(child);
      } else {
        text = PlaceOf(child);
        message = WindowText(child);
        const HDC dc = GetDC(child);
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)));
        RECT measure{0, 0, text.right - text.left, 0};
        DrawTextA(dc, message.c_str(), -1, &measure, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        needed = {measure.right, measure.bottom};
        SelectObject(dc, old);
        ReleaseDC(child, dc);
      }
    }
    ok = PlaceOf(FindButton(dialog, "OK"));
    centred = IsCentredOnTheScreen(dialog);
    ::ClickButton(dialog, "OK");
  });
  Click(cmAbout);
  EXPECT_EQ(icon.right - icon.left, 48);
  EXPECT_EQ(icon.bottom - icon.top, 48);
  ASSERT_FALSE(message.empty());
  EXPECT_LE(needed.cx, text.right - text.left) << "the text is not cut on the right";
  EXPECT_LE(needed.cy, text.bottom - text.top) << "nor at the bottom";
  EXPECT_GE(ok.top, std::max(icon.bottom, text.bottom)) << "the button sits below";
  EXPECT_GE(ok.bottom - ok.top, 18 + 4) << "OK's caption fits its height";
  EXPECT_TRUE(centred);
}

// What Windows sends when the window moves to a screen of another scale, or
// the user changes the scale: the window then looks as one started at 144
// dpi, in the rectangle the system proposes, and as it was once back at 96.
TEST_F(MainWindowTest, FollowsWMDpiChangedTo144AndBackWithAndWithoutCaptions) {
  if (ScreenDpi() != 96) GTEST_SKIP() << "the process runs at " << ScreenDpi() << " dpi, not 96";
  Start();
  TMainForm& form = Form();
  const auto changeDpi = [&](int dpi, const RECT& suggested) {
    SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  };
  for (const bool captions : {false, true}) {
    SCOPED_TRACE(captions ? "with captions" : "without captions");
    if (captions) Click(cmToolbarCaptions);
    const std::string at96 = SizesShown(form);
    RECT before{};
    GetWindowRect(form.Handle(), &before);
    // Within the screen, which limits a window's size.
    const RECT suggested{40, 30, 40 + 960, 30 + 640};
    changeDpi(144, suggested);
    RECT now{};
    GetWindowRect(form.Handle(), &now);
    EXPECT_TRUE(EqualRect(&now, &suggested))
        << "at " << now.left << "," << now.top << " to " << now.right << "," << now.bottom;
    ExpectFieldsAt144(form);
    captions ? ExpectCaptionedToolbarAt144(form) : ExpectToolbarAt144(form);

    changeDpi(96, before);
    EXPECT_EQ(SizesShown(form), at96);
  }
}

namespace {

constexpr UINT kGetDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE

// Stands in for a system that tells a dialog of its screen's dpi only as the
// dialog is shown, proposing a rectangle of its own.
HHOOK showHook = nullptr;
bool showDpiSent = false;
LRESULT CALLBACK SendDpiChangeAsShown(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  char className[16] = {0};
  if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED && !showDpiSent &&
      (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW) != 0 &&
      GetClassNameA(call->hwnd, className, sizeof className) > 0 &&
      lstrcmpA(className, "#32770") == 0) {
    showDpiSent = true;
    const RECT suggested{10, 10, 300, 200};
    SendMessageA(call->hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
  }
  return CallNextHookEx(showHook, code, wParam, lParam);
}

} // namespace

// With the window on a second screen, each dialog opens centred on that
// screen's work area; asked for its frame at a new dpi before a crossing it
// answers with the one it then takes, and it lays itself out again at 144 dpi
// whether the change comes while it is open or as it is shown.
TEST_F(MainWindowTest, DialogsOpenOnTheOwnersScreenAndFollowAChangeOfDpi) {
  if (ScreenDpi() != 96) GTEST_SKIP() << "the process runs at " << ScreenDpi() << " dpi, not 96";
  Start();
  static constexpr RECT kSecondScreen{1280, 40, 1280 + 1600, 40 + 900};
  WorkAreaOf = [](HWND) { return kSecondScreen; };
  const auto expectCentred = [](const RECT& bounds, const char* name) {
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    EXPECT_NEAR(bounds.left, 1280 + (1600 - width) / 2, 1) << name;
    EXPECT_NEAR(bounds.top, 40 + (900 - height) / 2, 1) << name;
  };
  const std::pair<const char*, std::function<void()>> openers[] = {
      {"Find", [&] { FindDialog(Form()).Execute(Form().Handle(), ""); }},
      {"Tab Width", [&] { Click(cmTabWidth); }},
      {"About", [&] { Click(cmAbout); }},
  };
  for (const auto& [name, open] : openers) {
    SIZE frame{1, 1};
    LRESULT answered = 0;
    RECT shown{}, focusBefore{}, focusAfter{}, target{}, bounds{};
    Responder.Handle([&](HWND dialog) {
      GetWindowRect(dialog, &shown);
      focusBefore = PlaceOf(GetFocus());
      answered = SendMessageA(dialog, kGetDpiScaledSize, 144, reinterpret_cast<LPARAM>(&frame));
      focusAfter = PlaceOf(GetFocus());
      target = {100, 120, 100 + frame.cx, 120 + frame.cy};
      SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&target));
      GetWindowRect(dialog, &bounds);
      PressKey(dialog, VK_ESCAPE);
    });
    open();
    expectCentred(shown, name);
    EXPECT_TRUE(answered) << name;
    EXPECT_TRUE(EqualRect(&focusBefore, &focusAfter)) << name << ": laid out as it was";
    EXPECT_TRUE(EqualRect(&bounds, &target))
        << name << " at " << bounds.left << "," << bounds.top << " to " << bounds.right << ","
        << bounds.bottom << ", answered " << frame.cx << "x" << frame.cy;
  }

  // Wine keeps the caption and borders at the session's dpi, so only the
  // inside is compared with the Find dialog at 144 dpi: the find box at 112,
  // 8, 249 wide and Cancel at 376, 48 in the design.
  for (const bool asShown : {false, true}) {
    showDpiSent = false;
    showHook = asShown ? SetWindowsHookExA(WH_CALLWNDPROCRET, SendDpiChangeAsShown, nullptr,
                                           GetCurrentThreadId())
                       : nullptr;
    RECT findBox{}, cancel{}, bounds{};
    LONG fontHeight = 0;
    Responder.Handle([&](HWND dialog) {
      const RECT suggested{100, 120, 700, 300};
      if (!asShown)
        SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144),
                     reinterpret_cast<LPARAM>(&suggested));
      findBox = PlaceOf(GetFocus());
      cancel = PlaceOf(FindButton(dialog, "Cancel"));
      fontHeight = FontHeightOf(GetFocus());
      GetWindowRect(dialog, &bounds);
      ::ClickButton(dialog, "Cancel");
    });
    FindDialog(Form()).Execute(Form().Handle(), "");
    if (asShown) UnhookWindowsHookEx(showHook);
    EXPECT_EQ(showDpiSent, asShown);
    EXPECT_EQ(findBox.left, 134) << asShown;
    EXPECT_EQ(findBox.right - findBox.left, 299) << asShown;
    EXPECT_EQ(cancel.left, 451) << asShown;
    EXPECT_EQ(cancel.top, 58) << asShown;
    EXPECT_EQ(fontHeight, -18) << asShown;
    if (asShown) {
      expectCentred(bounds, "Find, changed as shown");
    } else {
      EXPECT_EQ(bounds.left, 100) << "where the system proposed";
      EXPECT_EQ(bounds.top, 120);
    }
  }
  WorkAreaOf = MonitorWorkArea;
}
