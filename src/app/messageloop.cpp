#include "messageloop.h"

#include <exception>

#include "failure.h"

namespace {

// The wide calls throughout: no text passes through the loop, and the "A"
// ones would carry every typed character through the code page, where a
// letter it lacks becomes "?" (and in UTF-8 any character beyond ASCII).
void Deliver(TMainForm& form, MSG& message) {
  if (form.PreTranslateMessage(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

// The idle handler is one of the places where failures are reported.
void Idle(TMainForm& form) {
  if (!form.IdleHandlerInstalled() || form.Handle() == nullptr) return;
  try {
    form.ApplicationIdle();
  } catch (const std::exception& failure) {
    ShowGeneralFailure(form.Handle(), failure.what());
  } catch (...) {
    ShowGeneralFailure(form.Handle(), kUnexpectedFailureText);
  }
}

} // namespace

int RunMessageLoop(TMainForm& form) {
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      Deliver(form, message);
    }
    Idle(form);
    WaitMessage();
  }
}

void ProcessMessages(TMainForm& form) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Deliver(form, message);
  }
  Idle(form);
}
