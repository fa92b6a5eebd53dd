// Answers the modal dialogs a test provokes (message boxes and other dialogs
// of class #32770) on the test's own thread: it records what the dialog shows
// and presses the button the test asked for. It hooks the dialog's activation
// inside the process, so it does not wait for a window manager to activate
// anything.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

struct TDialogSeen {
  std::string Caption;
  std::string Text;                 // the static texts, joined by newlines
  std::vector<std::string> Buttons; // button captions in tab order
};

class TDialogResponder {
public:
  TDialogResponder();
  ~TDialogResponder();
  TDialogResponder(const TDialogResponder&) = delete;
  TDialogResponder& operator=(const TDialogResponder&) = delete;

  // The next dialog gets its button with this caption pressed ("OK",
  // "Cancel", "&Text", ...). Answers are used in the order they were queued;
  // a dialog that finds no answer is cancelled and recorded as unexpected.
  void Press(const std::string& buttonCaption);

  const std::vector<TDialogSeen>& Seen() const { return SeenDialogs; }
  int Unexpected() const { return UnexpectedCount; }

private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
  void Answer(HWND dialog);

  HHOOK Hook = nullptr;
  std::vector<std::string> Answers;
  std::vector<TDialogSeen> SeenDialogs;
  int UnexpectedCount = 0;
};
