#include <gtest/gtest.h>

#include "dialogs/enterdialog.h"
#include "support/dialogresponder.h"
#include "win/dpi.h"

namespace {

class EnterDialogTest : public ::testing::Test {
protected:
  // The tab-width question, as the View menu asks it.
  bool AskTabWidth(std::string& text) {
    return Dialog.Execute(nullptr, "Tab Width", "Enter the tab width.", text);
  }

  TEnterDialog Dialog{GetModuleHandleA(nullptr)};
  TDialogResponder Responder;
};

// The focused control's selection.
std::pair<DWORD, DWORD> Selection(HWND control) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

bool IsCentred(const RECT& window) {
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  return window.left == (GetSystemMetrics(SM_CXSCREEN) - width) / 2 &&
         window.top == (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
}

} // namespace

TEST_F(EnterDialogTest, EnterReturnsTheTypedTextUntrimmed) {
  std::string focusedText;
  std::pair<DWORD, DWORD> selection;
  Responder.Handle([&](HWND dialog) {
    focusedText = WindowText(GetFocus());
    selection = Selection(GetFocus());
    TypeText(dialog, " 12 "); // replaces the selected proposal
    PressKey(dialog, VK_RETURN);
  });
  std::string text = "8";
  EXPECT_TRUE(AskTabWidth(text));
  EXPECT_EQ(text, " 12 ");
  EXPECT_EQ(focusedText, "8");
  EXPECT_EQ(selection, std::make_pair(DWORD{0}, DWORD{1}));
  ASSERT_EQ(Responder.Seen().size(), 1u);
  EXPECT_EQ(Responder.Seen()[0].Caption, "Tab Width");
  EXPECT_EQ(Responder.Seen()[0].Text, "Enter the tab width.");
  EXPECT_EQ(Responder.Seen()[0].Buttons, (std::vector<std::string>{"OK", "Cancel"}));
}

TEST_F(EnterDialogTest, OkReturnsTheEntryEvenWhenEmpty) {
  std::string text = "8";
  Responder.Press("OK");
  EXPECT_TRUE(AskTabWidth(text));
  EXPECT_EQ(text, "8");
  Responder.Handle([](HWND dialog) {
    SetWindowTextA(GetFocus(), "");
    ClickButton(dialog, "OK");
  });
  EXPECT_TRUE(AskTabWidth(text));
  EXPECT_EQ(text, "");
}

TEST_F(EnterDialogTest, CancelEscapeAndTheCloseBoxLeaveTheTextAlone) {
  const auto editThen = [](std::function<void(HWND)> close) {
    return [close](HWND dialog) {
      TypeText(dialog, "97");
      close(dialog);
    };
  };
  Responder.Handle(editThen([](HWND dialog) { ClickButton(dialog, "Cancel"); }));
  Responder.Handle(editThen([](HWND dialog) { PressKey(dialog, VK_ESCAPE); }));
  Responder.Handle(editThen([](HWND dialog) { PressCloseBox(dialog); }));
  for (int i = 0; i < 3; ++i) {
    std::string text = "8";
    EXPECT_FALSE(AskTabWidth(text)) << i;
    EXPECT_EQ(text, "8") << i;
  }
}

TEST_F(EnterDialogTest, ReopensWithTheWrongEntryFullySelected) {
  std::string text = "8";
  Responder.Handle([](HWND dialog) {
    TypeText(dialog, "$10");
    PressKey(dialog, VK_RETURN);
  });
  ASSERT_TRUE(AskTabWidth(text));
  std::pair<DWORD, DWORD> selection;
  std::string shown;
  Responder.Handle([&](HWND dialog) {
    shown = WindowText(GetFocus());
    selection = Selection(GetFocus());
    TypeText(dialog, "10");
    PressKey(dialog, VK_RETURN);
  });
  ASSERT_TRUE(AskTabWidth(text));
  EXPECT_EQ(shown, "$10");
  EXPECT_EQ(selection, std::make_pair(DWORD{0}, DWORD{3}));
  EXPECT_EQ(text, "10");
}

TEST_F(EnterDialogTest, OpensCentredEveryTimeEvenAfterBeingMoved) {
  RECT first{};
  RECT second{};
  Responder.Handle([&](HWND dialog) {
    GetWindowRect(dialog, &first);
    SetWindowPos(dialog, nullptr, 3, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PressKey(dialog, VK_ESCAPE);
  });
  Responder.Handle([&](HWND dialog) {
    GetWindowRect(dialog, &second);
    PressKey(dialog, VK_ESCAPE);
  });
  std::string text = "8";
  AskTabWidth(text);
  AskTabWidth(text);
  EXPECT_TRUE(IsCentred(first));
  EXPECT_TRUE(IsCentred(second));
}

TEST_F(EnterDialogTest, TheDesignIsScaledToTheScreen) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT client{};
  RECT edit{};
  RECT ok{};
  Responder.Handle([&](HWND dialog) {
    GetClientRect(dialog, &client);
    const auto place = [dialog](HWND control, RECT& bounds) {
      GetWindowRect(control, &bounds);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bounds), 2);
    };
    place(GetFocus(), edit);
    place(FindButton(dialog, "OK"), ok);
    PressKey(dialog, VK_ESCAPE);
  });
  std::string text;
  AskTabWidth(text);
  EXPECT_EQ(client.right, ScaleDesign(376, dpi));
  EXPECT_EQ(client.bottom, ScaleDesign(144, dpi));
  EXPECT_EQ(edit.left, ScaleDesign(8, dpi));
  EXPECT_EQ(edit.top, ScaleDesign(64, dpi));
  EXPECT_EQ(edit.right - edit.left, ScaleDesign(361, dpi));
  EXPECT_EQ(ok.left, ScaleDesign(88, dpi));
  EXPECT_EQ(ok.bottom - ok.top, ScaleDesign(33, dpi));
}

TEST_F(EnterDialogTest, KeepsAnsiBytesAsTyped) {
  std::string text = "\xE9t\xE9";
  Responder.Press("OK");
  EXPECT_TRUE(Dialog.Execute(nullptr, "Caf\xE9", "Entr\xE9\x65 \x80", text));
  EXPECT_EQ(text, "\xE9t\xE9");
  EXPECT_EQ(Responder.Seen()[0].Caption, "Caf\xE9");
  EXPECT_EQ(Responder.Seen()[0].Text, "Entr\xE9\x65 \x80");
}
