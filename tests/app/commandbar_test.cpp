// The command bar on a bare window: it shows what the refresh hands it, and
// its buttons, laid out anew, keep what their menu items show.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/commandbar.h"

namespace {

class CommandBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    Window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(Window, nullptr);
    Bar.CreateToolBar(Window, GetModuleHandleA(nullptr), nullptr, 96);
    Bar.CreateMenu();
  }
  void TearDown() override { DestroyWindow(Window); }

  bool MenuEnabled(int id) const { return TMenuItem{GetMenu(Window), UINT(id)}.GetEnabled(); }
  TToolButton Button(int id) const { return {Bar.ToolBar().Handle, id}; }

  HWND Window = nullptr;
  TCommandBar Bar;
};

TEST_F(CommandBarTest, ShowsEachStateOnTheItemAndItsButtonAndKeepsThemThroughALayout) {
  TCommandStates states;
  states.Shuffle = true;
  Bar.Show(states);
  EXPECT_FALSE(MenuEnabled(cmStart));
  EXPECT_FALSE(Button(cmStart).GetEnabled());
  EXPECT_TRUE(Button(cmShuffle).GetDown());

  for (bool captions : {true, false}) {
    Bar.ShowCaptions(captions);
    EXPECT_FALSE(Button(cmStart).GetEnabled()) << "captions " << captions;
    EXPECT_TRUE(Button(cmShuffle).GetDown()) << "captions " << captions;
  }

  states.Start = true;
  Bar.Show(states);
  EXPECT_TRUE(MenuEnabled(cmStart));
  EXPECT_TRUE(Button(cmStart).GetEnabled());
}

TEST_F(CommandBarTest, AClickedCheckButtonIsShownAgainAsTheStatesSay) {
  const TCommandStates states;
  Bar.Show(states);
  Button(cmSwap).SetDown(true); // the toolbar flips a check button itself
  Bar.Show(states);
  EXPECT_TRUE(Button(cmSwap).GetDown()) << "nothing changed, nothing handed over";
  Bar.ButtonClicked(cmSwap);
  Bar.Show(states);
  EXPECT_FALSE(Button(cmSwap).GetDown());
}

} // namespace
