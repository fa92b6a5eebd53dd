// Mouse moves over the fields carry coordinates where a dialog-code query
// carries a message: the answer field's own handling must not take one for
// the other. Built without optimization, where every read stays where the
// source puts it.
#include <gtest/gtest.h>

#include <cstdio>

#include "mainwindow.h"

namespace {

// A fault ends the run at once instead of waiting for a debugger.
LONG WINAPI EndOnFault(EXCEPTION_POINTERS* fault) {
  std::fprintf(stderr, "fault %08lx at %p\n", fault->ExceptionRecord->ExceptionCode,
               fault->ExceptionRecord->ExceptionAddress);
  ExitProcess(3);
}
const auto previousFilter = SetUnhandledExceptionFilter(EndOnFault);

using TMouseOverTheFields = MainWindowTest;

} // namespace

TEST_F(TMouseOverTheFields, LeavesTheRunGoingThroughTheAnswerField) {
  Start({Folder.Write("capitals.csv", "France,Paris\r\nJapan,Tokyo\r\n")});
  Click(cmStart);
  for (HWND field : {Form().Edit1.Handle, Form().Edit2.Handle, Form().Memo1.Handle})
    for (LPARAM at : {MAKELPARAM(2, 0), MAKELPARAM(1, 1), MAKELPARAM(60, 12)})
      SendMessageA(field, WM_MOUSEMOVE, 0, at);
  Answer("Paris");
  EXPECT_EQ(Form().GetStatus(), "Answered 1/2 items");
}
