// Mouse moves over the fields, in a build where every read stays where the
// source puts it: their coordinates must never be read as a message.
#include <gtest/gtest.h>

#include <cstdio>

#include "mainwindow.h"

// A fault ends the run at once instead of waiting for a debugger.
static const auto faultFilter = SetUnhandledExceptionFilter([](EXCEPTION_POINTERS*) -> LONG {
  std::fputs("fault\n", stderr);
  ExitProcess(3);
});

TEST_F(MainWindowTest, MouseMovesOverTheFieldsLeaveTheRunGoing) {
  Start({Folder.Write("capitals.csv", "France,Paris\r\nJapan,Tokyo\r\n")});
  Click(cmStart);
  for (HWND field : {QuestionField(Form()).Handle, AnswerField(Form()).Handle, Log(Form()).Handle})
    for (LPARAM at : {MAKELPARAM(2, 0), MAKELPARAM(60, 12)})
      SendMessageA(field, WM_MOUSEMOVE, 0, at);
  Answer("Paris");
  EXPECT_EQ(GetStatus(Form()), "Answered 1/2 items");
}
