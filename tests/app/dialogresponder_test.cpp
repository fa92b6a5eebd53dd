#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include "support/dialogresponder.h"
#include "support/tempfile.h"
#include "win/dialogtemplate.h"

namespace {

constexpr WORD EditId = 100;

// A small dialog of our own: an edit box, OK and Cancel. OK ends it with
// IDOK and leaves the edit's text in EnteredText.
struct TTestDialog {
  bool ShowWithoutActivating = false;
  bool OkEnabled = true;
  std::string EnteredText;

  INT_PTR Run() {
    TDialogTemplate layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 160, 60);
    layout.AddControl("Edit", EditId, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 8,
                      144, 14);
    layout.AddControl("Button", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 30, 36, 50, 14);
    layout.AddControl("Button", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 84, 36, 50, 14);
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), layout.Get(), nullptr, Proc,
                                   reinterpret_cast<LPARAM>(this));
  }

  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TTestDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
      self = reinterpret_cast<TTestDialog*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SetWindowTextA(dialog, "Test dialog");
      SetDlgItemTextA(dialog, IDOK, "OK");
      SetDlgItemTextA(dialog, IDCANCEL, "Cancel");
      EnableWindow(GetDlgItem(dialog, IDOK), self->OkEnabled);
      if (self->ShowWithoutActivating) {
        // Shown before the modal loop would show it, without taking the
        // focus: no window of the dialog is ever activated.
        SetWindowLongPtrA(dialog, GWL_EXSTYLE,
                          GetWindowLongPtrA(dialog, GWL_EXSTYLE) | WS_EX_NOACTIVATE);
        ShowWindow(dialog, SW_SHOWNA);
        return FALSE;
      }
      return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
      self->EnteredText = WindowText(GetDlgItem(dialog, EditId));
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    }
    return FALSE;
  }
};

// Counts the activations of dialogs; installed before the responder, so it
// sees what reaches the responder's hook.
class TActivationCounter {
public:
  TActivationCounter() {
    Count = 0;
    Hook = SetWindowsHookExA(WH_CBT, Proc, nullptr, GetCurrentThreadId());
  }
  ~TActivationCounter() { UnhookWindowsHookEx(Hook); }
  static inline int Count = 0;

private:
  static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
    char name[16] = {0};
    if (code == HCBT_ACTIVATE && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
        std::string(name) == "#32770")
      ++Count;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  HHOOK Hook;
};

// Runs GetOpenFileNameA or GetSaveFileNameA; the chosen path comes back.
BOOL ChooseFileWith(BOOL(WINAPI* show)(LPOPENFILENAMEA), DWORD flags, std::string& path) {
  char file[MAX_PATH] = {0};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.lpstrFilter = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.Flags = flags | OFN_HIDEREADONLY;
  const BOOL chosen = show(&dialog);
  path = file;
  return chosen;
}

BOOL ChooseFileToOpen(std::string& path) {
  return ChooseFileWith(GetOpenFileNameA, OFN_FILEMUSTEXIST, path);
}

BOOL ChooseFileToSave(std::string& path) {
  return ChooseFileWith(GetSaveFileNameA, OFN_OVERWRITEPROMPT, path);
}

} // namespace

TEST(DialogResponder, AnswersAMessageBoxWithTheButtonAsked) {
  TDialogResponder responder;
  responder.Press("OK");
  responder.Press("Cancel");
  EXPECT_EQ(
      MessageBoxA(nullptr, "Quit the current examination?", "Tesmo", MB_OKCANCEL | MB_ICONWARNING),
      IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "Second question", "Tesmo", MB_OKCANCEL | MB_ICONWARNING),
            IDCANCEL);
  ASSERT_EQ(responder.Seen().size(), 2u);
  EXPECT_EQ(responder.Seen()[0].Caption, "Tesmo");
  EXPECT_EQ(responder.Seen()[0].Text, "Quit the current examination?");
  EXPECT_EQ(responder.Seen()[0].Buttons, (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_EQ(responder.Seen()[0].Icon, "warning");
  EXPECT_EQ(responder.Seen()[1].Text, "Second question");
  EXPECT_EQ(responder.Unexpected(), 0);
}

TEST(DialogResponder, RecordsTheStandardIcons) {
  TDialogResponder responder;
  for (int i = 0; i < 4; ++i) responder.Press("OK");
  MessageBoxA(nullptr, "a", "Tesmo", MB_ICONHAND);
  MessageBoxA(nullptr, "b", "Tesmo", MB_ICONINFORMATION);
  MessageBoxA(nullptr, "c", "Tesmo", MB_OK);
  MessageBoxA(nullptr, "d", "Tesmo", MB_ICONQUESTION);
  ASSERT_EQ(responder.Seen().size(), 4u);
  EXPECT_EQ(responder.Seen()[0].Icon, "error");
  EXPECT_EQ(responder.Seen()[1].Icon, "information");
  EXPECT_EQ(responder.Seen()[2].Icon, "");
  EXPECT_EQ(responder.Seen()[3].Icon, "question");
}

TEST(DialogResponder, CancelsADialogNobodyExpectedAndFailsNamingIt) {
  int result = 0;
  int unexpected = 0;
  EXPECT_NONFATAL_FAILURE(
      {
        TDialogResponder responder;
        result = MessageBoxA(nullptr, "Surprise", "Unasked", MB_OKCANCEL);
        unexpected = responder.Unexpected();
      },
      "\"Unasked\" saying \"Surprise\"");
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(unexpected, 1);
}

TEST(DialogResponder, EndsADialogThatRefusesCancel) {
  // A message box with only Yes and No ignores IDCANCEL; it must still end.
  EXPECT_NONFATAL_FAILURE(
      {
        TDialogResponder responder;
        MessageBoxA(nullptr, "Keep going?", "Tesmo", MB_YESNO);
      },
      "Keep going?");
}

TEST(DialogResponder, AnswersADialogThatNeverActivates) {
  TActivationCounter counter;
  TDialogResponder responder;
  int activationsBeforeAnswer = -1;
  responder.Handle([&](HWND dialog) {
    activationsBeforeAnswer = TActivationCounter::Count;
    ClickButton(dialog, "OK"); // the click focuses the button, which activates the dialog
  });
  TTestDialog dialog;
  dialog.ShowWithoutActivating = true;
  EXPECT_EQ(dialog.Run(), IDOK);
  EXPECT_EQ(activationsBeforeAnswer, 0);
  ASSERT_EQ(responder.Seen().size(), 1u);
  EXPECT_EQ(responder.Seen()[0].Caption, "Test dialog");
  EXPECT_EQ(responder.Seen()[0].Buttons, (std::vector<std::string>{"OK", "Cancel"}));
}

TEST(DialogResponder, FailsAKeyThatNoControlWouldReceive) {
  TTestDialog dialog;
  dialog.ShowWithoutActivating = true; // and so without the focus
  EXPECT_NONFATAL_FAILURE(
      {
        TDialogResponder responder;
        responder.Handle([](HWND dialog) {
          PressKey(dialog, VK_RETURN);
          ClickButton(dialog, "Cancel");
        });
        dialog.Run();
      },
      "No control of the dialog \"Test dialog\" saying \"\" has the focus");
}

TEST(DialogResponder, NeverPressesADisabledOrMissingButton) {
  TTestDialog dialog;
  dialog.OkEnabled = false;
  INT_PTR result = 0;
  EXPECT_NONFATAL_FAILURE(
      {
        TDialogResponder responder;
        responder.Press("OK");
        result = dialog.Run();
      },
      "The button \"OK\" is disabled in the dialog \"Test dialog\"");
  EXPECT_EQ(result, IDCANCEL);

  EXPECT_NONFATAL_FAILURE(
      {
        TDialogResponder responder;
        responder.Press("Retry");
        result = MessageBoxA(nullptr, "Go on?", "Tesmo", MB_OKCANCEL);
      },
      "No button \"Retry\" in the dialog \"Tesmo\" saying \"Go on?\"; its buttons: OK, Cancel");
  EXPECT_EQ(result, IDCANCEL);
}

TEST(DialogResponder, FailsForAnAnswerNoDialogUsed) {
  EXPECT_NONFATAL_FAILURE(
      {
        TDialogResponder responder;
        responder.Press("OK");
      },
      "No dialog came for the queued answer Press(\"OK\")");
}

TEST(DialogResponder, HandsTheDialogToAnActionInsideItsModalLoop) {
  TDialogResponder responder;
  std::string focused;
  responder.Handle([&](HWND dialog) {
    focused = WindowText(GetFocus());
    EXPECT_TRUE(CloseCommandEnabled(dialog));
    TypeText(dialog, "n"); // the mnemonic of "&No"
  });
  EXPECT_EQ(MessageBoxA(nullptr, "Replace it?", "Tesmo", MB_YESNOCANCEL), IDNO);
  EXPECT_EQ(focused, "&Yes");

  responder.Handle([](HWND dialog) { PressKey(dialog, VK_ESCAPE); });
  EXPECT_EQ(MessageBoxA(nullptr, "Go on?", "Tesmo", MB_OKCANCEL), IDCANCEL);
  responder.Handle([](HWND dialog) { PressCloseBox(dialog); });
  EXPECT_EQ(MessageBoxA(nullptr, "Go on?", "Tesmo", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(responder.Seen().size(), 3u);
}

TEST(DialogResponder, TypesIntoAnEditAndPressesEnter) {
  TDialogResponder responder;
  responder.Handle([](HWND dialog) {
    SetFocus(GetDlgItem(dialog, EditId));
    TypeText(dialog, "12 ");
    PressKey(dialog, VK_RETURN);
  });
  TTestDialog dialog;
  EXPECT_EQ(dialog.Run(), IDOK);
  EXPECT_EQ(dialog.EnteredText, "12 ");
}

TEST(DialogResponder, CancelsTheDialogWhenTheActionThrows) {
  INT_PTR result = 0;
  EXPECT_NONFATAL_FAILURE(
      {
        TDialogResponder responder;
        responder.Handle([](HWND) { throw std::runtime_error("no such control"); });
        result = TTestDialog().Run();
      },
      "no such control");
  EXPECT_EQ(result, IDCANCEL);
}

TEST(DialogResponder, CancelsADialogItsAnswerLeftOpen) {
  INT_PTR result = 0;
  EXPECT_NONFATAL_FAILURE(
      {
        TDialogResponder responder;
        responder.Handle([](HWND) {});
        result = TTestDialog().Run();
      },
      "The answer left the dialog \"Test dialog\"");
  EXPECT_EQ(result, IDCANCEL);
}

TEST(DialogResponder, ChoosesAFileToOpen) {
  TTempFile file("questions");
  TDialogResponder responder;
  responder.ChooseFile(file.Path());
  std::string chosen;
  EXPECT_TRUE(ChooseFileToOpen(chosen));
  EXPECT_EQ(chosen, file.Path());

  responder.Press("Cancel");
  EXPECT_FALSE(ChooseFileToOpen(chosen));
  EXPECT_EQ(responder.Seen().size(), 2u);
}

TEST(DialogResponder, ChoosesAFileToSaveAndAnswersTheOverwritePrompt) {
  const std::string fresh = MissingFilePath();
  TTempFile existing("old log");
  TDialogResponder responder;
  responder.ChooseFile(fresh);
  std::string chosen;
  EXPECT_TRUE(ChooseFileToSave(chosen));
  EXPECT_EQ(chosen, fresh);
  EXPECT_EQ(responder.Seen().size(), 1u);

  responder.ChooseFile(existing.Path());
  responder.Press("&Yes");
  EXPECT_TRUE(ChooseFileToSave(chosen));
  EXPECT_EQ(chosen, existing.Path());
  ASSERT_EQ(responder.Seen().size(), 3u);
  EXPECT_EQ(responder.Seen()[2].Buttons, (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_NE(responder.Seen()[2].Text.find("already exists"), std::string::npos)
      << responder.Seen()[2].Caption << ": " << responder.Seen()[2].Text;

  // Refusing to replace the file leaves the file dialog open: the test hears of it at once.
  responder.ChooseFile(existing.Path());
  responder.Press("&No");
  EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(ChooseFileToSave(chosen)),
                          "The file dialog \"Save As\" did not take");
}
