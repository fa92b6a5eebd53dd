#include <gtest/gtest.h>

#include "support/dialogresponder.h"

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
  EXPECT_EQ(responder.Seen()[1].Text, "Second question");
  EXPECT_EQ(responder.Unexpected(), 0);
}

TEST(DialogResponder, CancelsADialogNobodyExpected) {
  TDialogResponder responder;
  EXPECT_EQ(MessageBoxA(nullptr, "Surprise", "Tesmo", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(responder.Unexpected(), 1);
}
