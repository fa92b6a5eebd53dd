#include <gtest/gtest.h>

#include "dialogs/choicedialog.h"
#include "support/dialogresponder.h"
#include "win/modaldialog.h"

namespace {

const std::string FileTypeButtons = "&CSV\r\n&Text\r\nCancel";

// The question for a file whose type its extension does not tell.
int AskFileType(int cancelIndex = 2, int defaultIndex = 0) {
  return ShowChoiceDialog(nullptr, "Tesmo", "Open quiz.dat as?", dkWarning, FileTypeButtons,
                          cancelIndex, defaultIndex, 3);
}

// Answered with one key on the focused button.
int AskAndPressKey(WORD key, int buttons, const std::string& captions, int cancelIndex = 0,
                   int defaultIndex = 0) {
  TDialogResponder responder;
  responder.Handle([key](HWND dialog) { PressKey(dialog, key); });
  return ShowChoiceDialog(nullptr, "Tesmo", "Question", dkCustom, captions, cancelIndex,
                          defaultIndex, buttons);
}

std::vector<std::string> ButtonsShownFor(const std::string& captions, int buttons) {
  TDialogResponder responder;
  responder.Handle([](HWND dialog) { PressKey(dialog, VK_RETURN); });
  ShowChoiceDialog(nullptr, "Tesmo", "Question", dkCustom, captions, 0, 0, buttons);
  return responder.Seen().empty() ? std::vector<std::string>{} : responder.Seen()[0].Buttons;
}

// A control's place in its dialog's client area.
RECT Bounds(HWND control) {
  RECT bounds{};
  GetWindowRect(control, &bounds);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

struct TSeenLayout {
  RECT Window{};
  RECT Client{};
  bool HasIcon = false;
  RECT Icon{};
  RECT Message{};
  std::vector<RECT> Buttons;
};

BOOL CALLBACK CollectControl(HWND control, LPARAM data) {
  auto* layout = reinterpret_cast<TSeenLayout*>(data);
  char kind[16] = {0};
  GetClassNameA(control, kind, sizeof kind);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (_stricmp(kind, "Button") == 0) {
    layout->Buttons.push_back(Bounds(control));
  } else if ((style & SS_TYPEMASK) == SS_ICON) {
    layout->HasIcon = IsWindowVisible(control);
    layout->Icon = Bounds(control);
  } else {
    layout->Message = Bounds(control);
  }
  return TRUE;
}

TSeenLayout LayoutOf(const std::string& message, TDialogKind kind, const std::string& captions,
                     int buttons) {
  TSeenLayout layout;
  TDialogResponder responder;
  responder.Handle([&](HWND dialog) {
    GetWindowRect(dialog, &layout.Window);
    GetClientRect(dialog, &layout.Client);
    EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&layout));
    PressKey(dialog, VK_RETURN);
  });
  ShowChoiceDialog(nullptr, "Tesmo", message, kind, captions, 0, 0, buttons);
  return layout;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

} // namespace

TEST(ChoiceDialog, AsksTheFileTypeWithTheCaptionsGiven) {
  TDialogResponder responder;
  std::string focused;
  bool closeEnabled = false;
  responder.Handle([&](HWND dialog) {
    focused = WindowText(GetFocus());
    closeEnabled = CloseCommandEnabled(dialog);
    PressKey(dialog, VK_RETURN);
  });
  EXPECT_EQ(AskFileType(), 0);
  EXPECT_EQ(focused, "&CSV");
  EXPECT_TRUE(closeEnabled);
  ASSERT_EQ(responder.Seen().size(), 1u);
  EXPECT_EQ(responder.Seen()[0].Caption, "Tesmo");
  EXPECT_EQ(responder.Seen()[0].Text, "Open quiz.dat as?");
  EXPECT_EQ(responder.Seen()[0].Buttons, (std::vector<std::string>{"&CSV", "&Text", "Cancel"}));
  EXPECT_EQ(responder.Seen()[0].Icon, "warning");

  responder.Press("&Text");
  EXPECT_EQ(AskFileType(), 1);
  responder.Press("Cancel");
  EXPECT_EQ(AskFileType(), 2);
  responder.Handle([](HWND dialog) { PressKey(dialog, VK_ESCAPE); });
  EXPECT_EQ(AskFileType(), 2);
  responder.Handle([](HWND dialog) { PressCloseBox(dialog); });
  EXPECT_EQ(AskFileType(), 2);
}

TEST(ChoiceDialog, KeysMoveTheFocusAndPressButtons) {
  EXPECT_EQ(AskAndPressKey(VK_SPACE, 3, FileTypeButtons, 2), 0);
  // The mnemonics of the captions.
  TDialogResponder responder;
  responder.Handle([](HWND dialog) { TypeText(dialog, "t"); });
  EXPECT_EQ(AskFileType(), 1);
  responder.Handle([](HWND dialog) { TypeText(dialog, "C"); });
  EXPECT_EQ(AskFileType(), 0);
  // Tab and the arrows walk along the row; Enter presses the focused button.
  responder.Handle([](HWND dialog) {
    PressKey(dialog, VK_TAB);
    EXPECT_EQ(WindowText(GetFocus()), "&Text");
    PressKey(dialog, VK_RIGHT);
    EXPECT_EQ(WindowText(GetFocus()), "Cancel");
    PressKey(dialog, VK_LEFT);
    PressKey(dialog, VK_RETURN);
  });
  EXPECT_EQ(AskFileType(), 1);
}

TEST(ChoiceDialog, TheDefaultIndexChoosesTheFocusedButton) {
  TDialogResponder responder;
  std::string focused;
  responder.Handle([&](HWND dialog) {
    focused = WindowText(GetFocus());
    PressKey(dialog, VK_RETURN);
  });
  EXPECT_EQ(AskFileType(2, 1), 1);
  EXPECT_EQ(focused, "&Text");
  // Outside the row, the first button has the focus, and Enter presses it.
  responder.Handle([&](HWND dialog) {
    focused = WindowText(GetFocus());
    PressKey(dialog, VK_RETURN);
  });
  EXPECT_EQ(AskFileType(2, 7), 0);
  EXPECT_EQ(focused, "&CSV");
}

TEST(ChoiceDialog, OneButtonAnswersEnterEscapeAndTheCloseBox) {
  const HICON appIcon = LoadIconA(nullptr, IDI_APPLICATION);
  TDialogResponder responder;
  responder.Handle([](HWND dialog) { PressKey(dialog, VK_RETURN); });
  responder.Handle([](HWND dialog) { PressKey(dialog, VK_ESCAPE); });
  responder.Handle([](HWND dialog) { PressCloseBox(dialog); });
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(
        ShowChoiceDialog(nullptr, "About", "Tesmo 1.1.0", dkInformation, "OK", 0, 0, 1, appIcon),
        0);
  ASSERT_EQ(responder.Seen().size(), 3u);
  EXPECT_EQ(responder.Seen()[0].Buttons, std::vector<std::string>{"OK"});
  EXPECT_EQ(responder.Seen()[0].Icon, "other"); // the given icon, not the information sign
}

TEST(ChoiceDialog, WithoutACancelButtonOnlyTheButtonsClose) {
  TDialogResponder responder;
  bool closeEnabled = true;
  bool openAfterEscape = false;
  bool openAfterCloseBox = false;
  responder.Handle([&](HWND dialog) {
    closeEnabled = CloseCommandEnabled(dialog);
    PressKey(dialog, VK_ESCAPE);
    openAfterEscape = IsWindowVisible(dialog);
    PressCloseBox(dialog);
    openAfterCloseBox = IsWindowVisible(dialog);
    ClickButton(dialog, "Cancel");
  });
  EXPECT_EQ(AskFileType(-1), 2);
  EXPECT_FALSE(closeEnabled);
  EXPECT_TRUE(openAfterEscape);
  EXPECT_TRUE(openAfterCloseBox);
}

TEST(ChoiceDialog, ACancelIndexBeyondTheButtonsClosesWithMinusOne) {
  TDialogResponder responder;
  bool closeEnabled = false;
  bool openAfterEscape = false;
  responder.Handle([&](HWND dialog) {
    closeEnabled = CloseCommandEnabled(dialog);
    PressKey(dialog, VK_ESCAPE);
    openAfterEscape = IsWindowVisible(dialog);
    PressCloseBox(dialog);
  });
  EXPECT_EQ(AskFileType(3), -1);
  EXPECT_TRUE(closeEnabled);
  EXPECT_TRUE(openAfterEscape);
  // The cancel button keeps its place; the others their own codes.
  responder.Press("&CSV");
  EXPECT_EQ(AskFileType(3), 0);
}

TEST(ChoiceDialog, EveryButtonOfNineReturnsItsPosition) {
  const std::string captions = "1\n2\n3\n4\n5\n6\n7\n8\n9";
  TDialogResponder responder;
  for (int i = 0; i < 9; ++i) {
    responder.Press(std::to_string(i + 1));
    EXPECT_EQ(ShowChoiceDialog(nullptr, "Tesmo", "Nine", dkCustom, captions, 4, 0, 9), i);
  }
  EXPECT_EQ(responder.Seen().back().Buttons.size(), 9u);
}

TEST(ChoiceDialog, CaptionsComeFromTheLinesGiven) {
  EXPECT_EQ(ButtonsShownFor("A\nB", 3), (std::vector<std::string>{"A", "B", ""}));
  EXPECT_EQ(ButtonsShownFor("A\r\nB\rC\nD", 3), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(ButtonsShownFor("A\r\n", 2), (std::vector<std::string>{"A", ""}));
  EXPECT_EQ(ButtonsShownFor("A\n\nB", 3), (std::vector<std::string>{"A", "", "B"}));
  EXPECT_EQ(ButtonsShownFor("", 2), (std::vector<std::string>{"", ""}));
}

TEST(ChoiceDialog, ShowsAnsiBytesAsGiven) {
  TDialogResponder responder;
  responder.Press("\xC0 bient\xF4t");
  EXPECT_EQ(ShowChoiceDialog(nullptr, "Caf\xE9", "\xC9t\xE9 \x80 10", dkCustom, "\xC0 bient\xF4t",
                             0, 0, 1),
            0);
  ASSERT_EQ(responder.Seen().size(), 1u);
  EXPECT_EQ(responder.Seen()[0].Caption, "Caf\xE9");
  EXPECT_EQ(responder.Seen()[0].Text, "\xC9t\xE9 \x80 10");
}

TEST(ChoiceDialog, RefusesAButtonCountOutsideOneToNineBeforeShowingAnything) {
  TDialogResponder responder; // fails the test if a dialog appears
  for (int count : {0, 10, -1}) {
    try {
      ShowChoiceDialog(nullptr, "Tesmo", "Question", dkWarning, "OK", 0, 0, count);
      ADD_FAILURE() << "no error for " << count;
    } catch (const std::invalid_argument& error) {
      EXPECT_EQ(std::string(error.what()), "The button count is invalid: " + std::to_string(count));
    }
  }
  EXPECT_TRUE(responder.Seen().empty());
}

TEST(ChoiceDialog, ShowsTheKindsIconOrTheOneGiven) {
  const std::pair<TDialogKind, const char*> kinds[] = {{dkWarning, "warning"},
                                                       {dkError, "error"},
                                                       {dkInformation, "information"},
                                                       {dkConfirmation, "question"},
                                                       {dkCustom, ""}};
  TDialogResponder responder;
  for (const auto& [kind, icon] : kinds) {
    responder.Press("OK");
    ShowChoiceDialog(nullptr, "Tesmo", "Message", kind, "OK", 0, 0, 1);
    EXPECT_EQ(responder.Seen().back().Icon, icon) << "kind " << kind;
  }
  const HICON question = LoadIconA(nullptr, IDI_QUESTION);
  responder.Press("OK");
  ShowChoiceDialog(nullptr, "Tesmo", "Message", dkError, "OK", 0, 0, 1, question);
  EXPECT_EQ(responder.Seen().back().Icon, "question");
  responder.Press("OK");
  ShowChoiceDialog(nullptr, "Tesmo", "Message", dkCustom, "OK", 0, 0, 1, question);
  EXPECT_EQ(responder.Seen().back().Icon, "");
}

TEST(ChoiceDialog, LaysOutIconMessageAndACentredRowOfEqualButtons) {
  const TSeenLayout layout = LayoutOf("Open quiz.dat as?", dkWarning, FileTypeButtons, 3);
  ASSERT_TRUE(layout.HasIcon);
  ASSERT_EQ(layout.Buttons.size(), 3u);
  // The icon at the top left margin, the message beside it, top-aligned.
  EXPECT_EQ(Width(layout.Icon), 32);
  EXPECT_EQ(Height(layout.Icon), 32);
  EXPECT_GT(layout.Icon.left, 0);
  EXPECT_GT(layout.Message.left, layout.Icon.right);
  EXPECT_EQ(layout.Message.top, layout.Icon.top);
  // One row of equally wide buttons below the block, centred, with even gaps.
  const int gap = layout.Buttons[1].left - layout.Buttons[0].right;
  EXPECT_GT(gap, 0);
  for (const RECT& button : layout.Buttons) {
    EXPECT_EQ(Width(button), Width(layout.Buttons[0]));
    EXPECT_EQ(button.top, layout.Buttons[0].top);
  }
  EXPECT_EQ(layout.Buttons[2].left - layout.Buttons[1].right, gap);
  EXPECT_GT(layout.Buttons[0].top, layout.Icon.bottom);
  EXPECT_LE(std::abs(layout.Buttons[0].left - (layout.Client.right - layout.Buttons[2].right)), 1);
  // The row is wider than the short message: the margins are the icon's.
  EXPECT_EQ(layout.Buttons[0].left, layout.Icon.left);
  EXPECT_EQ(layout.Client.bottom - layout.Buttons[0].bottom, layout.Icon.top);
  // Centred on the screen.
  const int width = Width(layout.Window);
  const int height = Height(layout.Window);
  EXPECT_EQ(layout.Window.left, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2);
  EXPECT_EQ(layout.Window.top, GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2);
}

TEST(ChoiceDialog, WrapsALongMessageAtHalfTheScreen) {
  std::string message;
  for (int i = 0; i < 60; ++i) message += "The quick brown fox jumps. ";
  const TSeenLayout wide = LayoutOf(message, dkCustom, "OK", 1);
  const TSeenLayout narrow = LayoutOf("Short.", dkCustom, "OK", 1);
  EXPECT_FALSE(wide.HasIcon);
  EXPECT_LE(Width(wide.Message), GetSystemMetrics(SM_CXSCREEN) / 2);
  EXPECT_GT(Width(wide.Message), GetSystemMetrics(SM_CXSCREEN) / 3);
  EXPECT_GE(Height(wide.Message), 5 * Height(narrow.Message));
  // Without an icon the message starts at the margin and sets the width.
  EXPECT_GT(wide.Message.left, 0);
  EXPECT_EQ(wide.Client.right - wide.Message.right, wide.Message.left);
}

// On a desk of two screens the owner's screen sets the width, not the
// primary one: a 1080p screen beside a 4K primary, and the reverse.
TEST(ChoiceDialog, WrapsAtHalfTheWorkAreaOfTheScreenItOpensOn) {
  std::string message;
  for (int i = 0; i < 200; ++i) message += "The quick brown fox jumps. ";
  for (const RECT screen : {RECT{1280, 0, 1280 + 800, 560}, RECT{-3000, 0, -3000 + 2400, 1300}}) {
    static RECT current;
    current = screen;
    WorkAreaOf = [](HWND) { return current; };
    const TSeenLayout layout = LayoutOf(message, dkCustom, "OK", 1);
    WorkAreaOf = MonitorWorkArea;
    const int half = Width(screen) / 2;
    EXPECT_LE(Width(layout.Message), half) << Width(screen);
    EXPECT_GT(Width(layout.Message), half * 3 / 4) << Width(screen);
    EXPECT_GE(layout.Window.left, screen.left) << "within the screen";
    EXPECT_LE(layout.Window.right, screen.right);
  }
}

TEST(ChoiceDialog, CutsOffALongCaptionRatherThanWideningTheButtons) {
  const TSeenLayout shortCaptions = LayoutOf("Message", dkCustom, "A\nB", 2);
  const TSeenLayout longCaption =
      LayoutOf("Message", dkCustom, "A caption far too long for any button at all\nB", 2);
  ASSERT_EQ(longCaption.Buttons.size(), 2u);
  EXPECT_EQ(Width(longCaption.Buttons[0]), Width(shortCaptions.Buttons[0]));
  EXPECT_EQ(Width(longCaption.Window), Width(shortCaptions.Window));
}
