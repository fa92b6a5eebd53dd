// The log pane tells of each change once: a block of lines is one insertion
// and one notice, and the user's typing is told as it comes.
#include <gtest/gtest.h>

#include "app/logpane.h"

namespace {

// A window that hands its edit control's change notices to the pane.
TLogPane* pane = nullptr;
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && pane != nullptr)
    pane->ControlChanged();
  return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST(LogPaneControl, TellsOfEachChangeOnceAndEndsTheUsersLineBeforeItsOwn) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ParentProc;
  windowClass.lpszClassName = "TesmoLogPaneTest";
  RegisterClassA(&windowClass);
  const HWND parent = CreateWindowExA(0, "TesmoLogPaneTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                                      300, nullptr, nullptr, nullptr, nullptr);
  TLogPane log;
  log.Attach(CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 300, 200,
                             parent, nullptr, nullptr, nullptr));
  int notices = 0;
  log.OnChange = [&] { ++notices; };
  pane = &log;

  log.Replace("");
  EXPECT_EQ(notices, 1);
  EXPECT_FALSE(log.HoldsLine());
  log.Append({"[Miss 1]", "Question: a"});
  EXPECT_EQ(notices, 2) << "a block is one change";
  EXPECT_EQ(log.Text(), "[Miss 1]\r\nQuestion: a\r\n");
  EXPECT_TRUE(log.HoldsLine());

  // The user types a line of his own; the next line starts below it.
  log.Control().SetSel(0x7FFFFFFF, 0x7FFFFFFF);
  SendMessageA(log.Control().Handle, WM_CHAR, 'x', 1);
  EXPECT_EQ(notices, 3);
  log.Append({"[Results]"});
  EXPECT_EQ(log.Text(), "[Miss 1]\r\nQuestion: a\r\nx\r\n[Results]\r\n");
  EXPECT_EQ(notices, 4);

  // Another program sets the text whole, or replaces the selection.
  SendMessageA(log.Control().Handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("dictated"));
  EXPECT_EQ(notices, 5);
  EXPECT_EQ(log.Text(), "dictated");
  log.Control().SetSel(0x7FFFFFFF, 0x7FFFFFFF);
  SendMessageA(log.Control().Handle, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(" text"));
  EXPECT_EQ(notices, 6);
  EXPECT_EQ(log.Text(), "dictated text");
  log.Append({"[Results]"});
  EXPECT_EQ(log.Text(), "dictated text\r\n[Results]\r\n");

  pane = nullptr;
  DestroyWindow(parent);
}
