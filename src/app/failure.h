// The general failure report: the one place where failures that no command
// caught are shown. Every window procedure, the idle handler and the program
// entry end their work here, so no exception ever crosses into the system.
#pragma once

#include <exception>
#include <string>

#include <windows.h>

// An error box with the failure's text and the full stop rule, captioned with
// the owner's title. The program goes on. A report never stacks on a report
// already showing: a failure raised meanwhile (a repaint behind the box) is
// dropped.
void ShowGeneralFailure(HWND owner, const std::string& text);

// The text of a failure that carries none of its own: it is reported as it
// is, with no text, wherever it is caught.
inline constexpr const char* kUnexpectedFailureText = "";

// Runs a handler; a failure it raises is reported and the message then gets
// the fallback handling, so that a failed paint is still validated rather than
// coming back at once. A close request that failed is refused: the window
// stays open.
template <typename THandler, typename TFallback>
LRESULT Guarded(HWND window, UINT message, THandler&& handler, TFallback&& fallback) {
  try {
    return handler();
  } catch (const std::exception& failure) {
    ShowGeneralFailure(window, failure.what());
  } catch (...) {
    ShowGeneralFailure(window, kUnexpectedFailureText);
  }
  if (message == WM_CLOSE) return 0;
  return fallback();
}
