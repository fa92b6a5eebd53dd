#include <gtest/gtest.h>

#include "app/mainform.h"

namespace {

class MainFormTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(TMainForm::RegisterClass(GetModuleHandleA(nullptr))); }
};

} // namespace

TEST_F(MainFormTest, StartsCaptionedTesmoWithReadyInTheStatusBar) {
  TMainForm form(GetModuleHandleA(nullptr));
  ASSERT_NE(form.Handle(), nullptr);
  char caption[64] = {0};
  GetWindowTextA(form.Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Tesmo");
  EXPECT_EQ(form.GetStatus(), "Ready");
  form.SetStatus("Answered 3/12 items");
  EXPECT_EQ(form.GetStatus(), "Answered 3/12 items");
}

TEST_F(MainFormTest, ClosingTheWindowDestroysIt) {
  TMainForm form(GetModuleHandleA(nullptr));
  const HWND window = form.Handle();
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(form.Handle(), nullptr);
}
