// The failure boundary: a handler that throws is reported once, the window
// keeps working, and a failed paint does not come back for ever.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/failure.h"
#include "support/dialogresponder.h"

namespace {

int paints = 0;
bool throwOnPaint = false;

LRESULT CALLBACK ThrowingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded(
      window, message,
      [&]() -> LRESULT {
        if (message == WM_PAINT) {
          ++paints;
          if (throwOnPaint) throw std::runtime_error("Painting failed");
        }
        if (message == WM_COMMAND) throw std::runtime_error("The command failed!");
        if (message == WM_CLOSE) throw 42; // no text at all
        return DefWindowProcA(window, message, wParam, lParam);
      },
      [&] { return DefWindowProcA(window, message, wParam, lParam); });
}

HWND MakeWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ThrowingProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TesmoThrowingWindow";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA("TesmoThrowingWindow", "Tesmo", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

} // namespace

TEST(FailureBoundary, AFailedCommandIsReportedWithAFullStopAndTheWindowGoesOn) {
  TDialogResponder responder;
  HWND window = MakeWindow();
  Pump();
  responder.Press("OK");
  SendMessageA(window, WM_COMMAND, 100, 0);
  ASSERT_EQ(responder.Seen().size(), 1u);
  EXPECT_EQ(responder.Seen()[0].Text, "The command failed!"); // no full stop after "!"
  EXPECT_EQ(responder.Seen()[0].Caption, "Tesmo");
  EXPECT_EQ(responder.Seen()[0].Icon, "error");

  // A close whose handler failed is refused: the window stays.
  responder.Press("OK");
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(responder.Seen().back().Text, "");
  DestroyWindow(window);
}

TEST(FailureBoundary, AFailedPaintIsReportedOnceAndTheWindowIsValidated) {
  TDialogResponder responder;
  HWND window = MakeWindow();
  Pump();
  throwOnPaint = true;
  paints = 0;
  responder.Press("OK");
  InvalidateRect(window, nullptr, TRUE);
  Pump();
  throwOnPaint = false;
  // Painting failed while the report was up, too: still one report, and
  // nothing is left to paint.
  EXPECT_EQ(responder.Seen().size(), 1u);
  EXPECT_EQ(responder.Seen()[0].Text, "Painting failed.");
  EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
  const int paintsAfter = paints;
  Pump();
  EXPECT_EQ(paints, paintsAfter);
  DestroyWindow(window);
}
