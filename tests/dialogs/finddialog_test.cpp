#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogs/finddialog.h"
#include "support/dialogresponder.h"
#include "win/dpi.h"
#include "win/fonts.h"

namespace {

// What the user sees in the dialog.
struct TShown {
  std::string Caption;
  std::string FindText;
  bool MatchCase = false;
  bool WholeWord = false;
  bool Up = false;
  bool Down = false;
};

HWND Child(HWND dialog, const char* className, const char* caption = nullptr) {
  struct TWanted {
    const char* ClassName;
    const char* Caption;
    HWND Found;
  } wanted{className, caption, nullptr};
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM data) -> BOOL {
        auto* wanted = reinterpret_cast<TWanted*>(data);
        char name[32] = {0};
        GetClassNameA(child, name, sizeof name);
        if (_stricmp(name, wanted->ClassName) != 0) return TRUE;
        if (wanted->Caption != nullptr && WindowText(child) != wanted->Caption) return TRUE;
        wanted->Found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&wanted));
  return wanted.Found;
}

HWND FindBox(HWND dialog) { return Child(dialog, "Edit"); }

bool Checked(HWND dialog, const char* caption) {
  return SendMessageA(Child(dialog, "Button", caption), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TShown Read(HWND dialog) {
  return {WindowText(dialog),
          WindowText(FindBox(dialog)),
          Checked(dialog, "&Match case"),
          Checked(dialog, "&Whole word only"),
          Checked(dialog, "&Up"),
          Checked(dialog, "&Down")};
}

// Alt and a letter, as the modal loop hands it to the dialog manager.
void PressAlt(HWND dialog, char letter) {
  MSG message{GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(letter), 1 << 29, 0, {}};
  IsDialogMessageA(dialog, &message);
}

TSearchOptions Options(const std::string& findText, bool matchCase, bool wholeWord, bool down) {
  TSearchOptions options;
  options.FindText = findText;
  options.MatchCase = matchCase;
  options.WholeWord = wholeWord;
  options.Down = down;
  return options;
}

void ExpectOptions(const TSearchOptions& actual, const TSearchOptions& expected) {
  EXPECT_EQ(actual.FindText, expected.FindText);
  EXPECT_EQ(actual.MatchCase, expected.MatchCase);
  EXPECT_EQ(actual.WholeWord, expected.WholeWord);
  EXPECT_EQ(actual.Down, expected.Down);
}

class StrFindDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    Owner = CreateWindowExA(0, "Static", "Tesmo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                            nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(Owner, nullptr);
  }
  void TearDown() override { DestroyWindow(Owner); }

  HWND Owner = nullptr;
  TStrFindDialog Dialog{GetModuleHandleA(nullptr)};
  TDialogResponder Responder;
};

} // namespace

TEST_F(StrFindDialogTest, ShowsTheOptionsItWasGiven) {
  std::vector<TShown> shown;
  const auto look = [&](HWND dialog) {
    shown.push_back(Read(dialog));
    ClickButton(dialog, "Cancel");
  };
  Dialog.SetOptions(Options("cat", true, true, false));
  Responder.Handle(look);
  EXPECT_FALSE(Dialog.Execute(Owner, ""));
  Dialog.SetOptions(TSearchOptions());
  Responder.Handle(look);
  EXPECT_FALSE(Dialog.Execute(Owner, ""));

  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].Caption, "Find");
  EXPECT_EQ(shown[0].FindText, "cat");
  EXPECT_TRUE(shown[0].MatchCase && shown[0].WholeWord && shown[0].Up);
  EXPECT_FALSE(shown[0].Down);
  EXPECT_EQ(shown[1].FindText, "");
  EXPECT_FALSE(shown[1].MatchCase || shown[1].WholeWord || shown[1].Up);
  EXPECT_TRUE(shown[1].Down);
}

TEST_F(StrFindDialogTest, OpensWithTheFindBoxFocusedSoTypingReplacesItsText) {
  Dialog.SetOptions(Options("old text", false, false, true));
  Responder.Handle([](HWND dialog) {
    const HWND findBox = FindBox(dialog);
    EXPECT_EQ(GetFocus(), findBox);
    DWORD start = 1, end = 0;
    SendMessageA(findBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 8u);
    TypeText(dialog, "  two words ");
    PressKey(dialog, VK_RETURN); // the default button, Find
  });
  ASSERT_TRUE(Dialog.Execute(Owner, ""));
  // Not trimmed: the spaces are part of the find text.
  ExpectOptions(Dialog.GetCurrentOptions(), Options("  two words ", false, false, true));
}

TEST_F(StrFindDialogTest, FindReadsTheControlsAsTheUserLeftThem) {
  Dialog.SetOptions(Options("cat", false, false, true));
  Responder.Handle([](HWND dialog) {
    ClickButton(dialog, "&Match case");
    ClickButton(dialog, "&Whole word only");
    ClickButton(dialog, "&Up");
    ClickButton(dialog, "&Find");
  });
  ASSERT_TRUE(Dialog.Execute(Owner, ""));
  ExpectOptions(Dialog.GetCurrentOptions(), Options("cat", true, true, false));

  // Only spaces are a find text too.
  Responder.Handle([](HWND dialog) {
    SetWindowTextA(FindBox(dialog), "   ");
    ClickButton(dialog, "&Match case");
    ClickButton(dialog, "&Down");
    ClickButton(dialog, "&Find");
  });
  ASSERT_TRUE(Dialog.Execute(Owner, ""));
  ExpectOptions(Dialog.GetCurrentOptions(), Options("   ", false, true, true));
}

TEST_F(StrFindDialogTest, ASelectionIsProposedWholeAndCancelPutsTheOldOptionsBack) {
  const std::vector<std::pair<const char*, std::function<void(HWND)>>> closers = {
      {"Cancel", [](HWND dialog) { ClickButton(dialog, "Cancel"); }},
      {"Escape", [](HWND dialog) { PressKey(dialog, VK_ESCAPE); }},
      {"close box", [](HWND dialog) { PressCloseBox(dialog); }},
  };
  for (const auto& [name, close] : closers) {
    SCOPED_TRACE(name);
    Dialog.SetOptions(Options("cat", true, false, true));
    TShown proposed;
    Responder.Handle([&](HWND dialog) {
      proposed = Read(dialog);
      ClickButton(dialog, "&Whole word only");
      ClickButton(dialog, "&Up");
      close(dialog);
    });
    EXPECT_FALSE(Dialog.Execute(Owner, "dog\r\nfox"));
    EXPECT_EQ(proposed.FindText, "dog\r\nfox");
    EXPECT_TRUE(proposed.MatchCase);
    ExpectOptions(Dialog.GetCurrentOptions(), Options("cat", true, false, true));

    // The next show without a selection offers the old options again.
    TShown next;
    Responder.Handle([&](HWND dialog) {
      next = Read(dialog);
      ClickButton(dialog, "Cancel");
    });
    EXPECT_FALSE(Dialog.Execute(Owner, ""));
    EXPECT_EQ(next.FindText, "cat");
    EXPECT_FALSE(next.WholeWord);
    EXPECT_TRUE(next.Down);
  }
}

TEST_F(StrFindDialogTest, LongFindTextsAreNotCut) {
  // Longer than an edit box takes by default: proposed, then lengthened by a
  // paste at its end.
  const std::string selection = std::string(40000, 'a') + "\r\nb";
  Responder.Handle([](HWND dialog) {
    SendMessageA(FindBox(dialog), EM_SETSEL, 40003, 40003);
    SendMessageA(FindBox(dialog), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("cd"));
    ClickButton(dialog, "&Find");
  });
  ASSERT_TRUE(Dialog.Execute(Owner, selection));
  const std::string& findText = Dialog.GetCurrentOptions().FindText;
  EXPECT_EQ(findText.size(), selection.size() + 2);
  EXPECT_TRUE(findText == selection + "cd");
}

TEST_F(StrFindDialogTest, ADialogThatCannotBeShownIsReportedAndProposesNothing) {
  const HWND gone =
      CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  Dialog.SetOptions(Options("cat", true, false, false));
  EXPECT_THROW(Dialog.Execute(gone, "dog"), std::runtime_error);
  ExpectOptions(Dialog.GetCurrentOptions(), Options("cat", true, false, false));
}

TEST_F(StrFindDialogTest, AnEmptyFindTextIsRefusedWithTheDialogKeptOpen) {
  Dialog.SetOptions(Options("cat", false, false, true));
  Responder.Handle([](HWND dialog) {
    const HWND findBox = FindBox(dialog);
    SetWindowTextA(findBox, "");
    ClickButton(dialog, "&Match case"); // the focus leaves the find box
    ClickButton(dialog, "&Find");       // refused; the message box is answered
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_EQ(GetFocus(), findBox);
    EXPECT_TRUE(Checked(dialog, "&Match case"));
    SetWindowTextA(findBox, "dog");
    ClickButton(dialog, "&Find");
  });
  Responder.Press("OK");
  ASSERT_TRUE(Dialog.Execute(Owner, ""));
  ExpectOptions(Dialog.GetCurrentOptions(), Options("dog", true, false, true));

  ASSERT_EQ(Responder.Seen().size(), 2u);
  const TDialogSeen& error = Responder.Seen()[1];
  EXPECT_EQ(error.Caption, "Tesmo");
  EXPECT_EQ(error.Text, "Set the text to find.");
  EXPECT_EQ(error.Icon, "error");
  EXPECT_EQ(error.Buttons, std::vector<std::string>{"OK"});
}

TEST_F(StrFindDialogTest, TabAndTheMnemonicsReachEveryControlInOrder) {
  std::vector<std::string> tabOrder;
  TShown afterMnemonics;
  Responder.Handle([&](HWND dialog) {
    for (int i = 0; i < 6; ++i) {
      PressKey(dialog, VK_TAB);
      tabOrder.push_back(WindowText(GetFocus()));
    }
    PressAlt(dialog, 'm');
    PressAlt(dialog, 'w');
    PressAlt(dialog, 'u');
    afterMnemonics = Read(dialog);
    PressAlt(dialog, 'd');
    PressAlt(dialog, 'n');
    EXPECT_EQ(GetFocus(), FindBox(dialog));
    PressAlt(dialog, 'f');
  });
  ASSERT_TRUE(Dialog.Execute(Owner, "cat"));
  // Tab enters the direction group at the chosen item.
  EXPECT_EQ(tabOrder, (std::vector<std::string>{"&Match case", "&Whole word only", "&Down", "&Find",
                                                "Cancel", "cat"}));
  EXPECT_TRUE(afterMnemonics.MatchCase && afterMnemonics.WholeWord && afterMnemonics.Up);
  ExpectOptions(Dialog.GetCurrentOptions(), Options("cat", true, true, true));
}

TEST_F(StrFindDialogTest, IsLaidOutFromTheDesignScaledAndCentredOnTheScreen) {
  RECT client{}, window{}, findBox{};
  LOGFONTA font{};
  Responder.Handle([&](HWND dialog) {
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &window);
    GetWindowRect(FindBox(dialog), &findBox);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&findBox), 2);
    const auto shown = reinterpret_cast<HFONT>(SendMessageA(FindBox(dialog), WM_GETFONT, 0, 0));
    GetObjectA(shown, sizeof font, &font);
    EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDOK);
    ClickButton(dialog, "Cancel");
  });
  EXPECT_FALSE(Dialog.Execute(Owner, ""));

  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const auto scale = [dpi](int pixels) { return ScaleDesign(pixels, dpi); };
  EXPECT_EQ(client.right, scale(480));
  EXPECT_EQ(client.bottom, scale(104));
  EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  EXPECT_EQ(findBox.left, scale(112));
  EXPECT_EQ(findBox.top, scale(8));
  EXPECT_EQ(findBox.right - findBox.left, scale(249));
  EXPECT_EQ(findBox.bottom - findBox.top, scale(23));
  // The face every dialog of the program shows: the system's message font.
  EXPECT_EQ(font.lfFaceName, DefaultFontFace());
  EXPECT_EQ(font.lfHeight, -scale(15));
}
