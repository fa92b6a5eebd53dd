// Answers the modal dialogs a test provokes (message boxes, the program's own
// dialogs, the common file dialogs: every window of class #32770) on the
// test's own thread. It records what each dialog shows and carries out the
// answer the test queued for it.
//
// It does not depend on activation: Xvfb without a window manager does not
// always activate a window. A thread timer, which fires inside the dialog's
// own modal loop, looks for visible dialogs that are not yet answered; a CBT
// hook that sees a dialog being created or activated only makes that timer
// look sooner. Each dialog is answered once. A dialog that finds no answer,
// or whose answer cannot be carried out (a button that is missing or
// disabled), is cancelled and the test fails with its caption and text, so a
// test never hangs until its time-out.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

struct TDialogSeen {
  std::string Caption;
  std::string Text;                 // the static texts, joined by newlines
  std::vector<std::string> Buttons; // the visible buttons' captions, in tab order
  std::string Icon; // "warning", "error", "information", "question", "other" or empty
};

class TDialogResponder {
public:
  // Throws std::runtime_error, with the system's error text, when the hook
  // or the timer cannot be set: without them a dialog would hang the test.
  TDialogResponder();
  // Fails the test for every queued answer that no dialog used.
  ~TDialogResponder();
  TDialogResponder(const TDialogResponder&) = delete;
  TDialogResponder& operator=(const TDialogResponder&) = delete;

  // The next dialog gets its button with this caption pressed, exactly as
  // shown ("OK", "Cancel", "&Text"). Answers are used in the order queued.
  void Press(const std::string& buttonCaption);
  // The next dialog is handed to the action, inside the dialog's own modal
  // loop; the action reads what it likes and ends the dialog itself.
  void Handle(std::function<void(HWND dialog)> action);
  // The next dialog is a file dialog: its file-name box gets the path and OK
  // is pressed. Cancelling a file dialog is Press("Cancel").
  void ChooseFile(const std::string& path);
  void ChooseFile(const std::wstring& path);

  const std::vector<TDialogSeen>& Seen() const { return SeenDialogs; }
  // Dialogs that found no answer or could not be answered as asked.
  int Unexpected() const { return UnexpectedCount; }
  size_t Pending() const { return Answers.size(); }

private:
  struct TAnswer {
    std::string Description;
    std::function<bool(HWND dialog)> Action; // false: it could not be carried out
  };
  struct TAnswered {
    HWND Dialog;
    DWORD Time;
  };

  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  void Scan();
  void Answer(HWND dialog);
  void CheckStillOpen();
  void LookSoon();

  HHOOK Hook = nullptr;
  UINT_PTR SlowTimer = 0;
  UINT_PTR FastTimer = 0;
  std::vector<TAnswer> Answers;
  std::vector<TDialogSeen> SeenDialogs;
  std::vector<TAnswered> Answered;
  int UnexpectedCount = 0;
};

// Helpers for Handle actions and for reading dialogs.

std::string WindowText(HWND window);
// What the dialog shows, as recorded in TDialogSeen.
TDialogSeen DescribeDialog(HWND dialog);
// The visible button with this caption, or null.
HWND FindButton(HWND dialog, std::string_view caption);
// Clicks the visible button with this caption (BM_CLICK); fails the test
// instead when there is none or it is disabled. True when it was clicked.
bool ClickButton(HWND dialog, std::string_view caption);
// A key pressed and released on the focused control, through the dialog's
// keyboard handling as the modal loop delivers it (Enter, Escape, Tab, Space).
void PressKey(HWND dialog, WORD key);
// Characters typed to the focused control the same way (mnemonics, text).
void TypeText(HWND dialog, std::string_view text);
// Whether the system menu's Close command (and so the close box) is enabled.
bool CloseCommandEnabled(HWND dialog);
// The close box or Alt+F4: the Close command of the system menu.
void PressCloseBox(HWND dialog);
// Ends a dialog as Cancel: its IDCANCEL command, and when the dialog refuses
// that, EndDialog.
void CancelDialog(HWND dialog);
