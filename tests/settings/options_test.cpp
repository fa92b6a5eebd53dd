#include <gtest/gtest.h>

#include "settings/options.h"

TEST(ViewOptions, DefaultsCopiesAndComparison) {
  const TViewOptions defaults;
  EXPECT_TRUE(defaults.Toolbar);
  EXPECT_FALSE(defaults.ToolbarCaptions);
  EXPECT_EQ(defaults.FontName, "Default");
  EXPECT_EQ(defaults.FontSize, 9);
  EXPECT_EQ(defaults.TabWidth, 8);
  EXPECT_EQ(defaults.FontStyleToBits(), 0);
  EXPECT_TRUE(defaults.StatusBar);
  EXPECT_FALSE(defaults.SwapPanels || defaults.LastPosition || defaults.Topmost);

  TViewOptions copy = defaults;
  EXPECT_TRUE(copy == defaults);
  copy = copy;
  EXPECT_TRUE(copy == defaults);

  // The same face, but not the same record: names compare byte for byte.
  copy.FontName = "default";
  EXPECT_TRUE(copy != defaults);

  // Every field takes part in the comparison.
  auto differsAfter = [&](auto change) {
    TViewOptions changed;
    change(changed);
    return changed != defaults;
  };
  EXPECT_TRUE(differsAfter([](TViewOptions& o) { o.Toolbar = false; }));
  EXPECT_TRUE(differsAfter([](TViewOptions& o) { o.ToolbarCaptions = true; }));
  EXPECT_TRUE(differsAfter([](TViewOptions& o) { o.FontSize = 10; }));
  EXPECT_TRUE(differsAfter([](TViewOptions& o) { o.TabWidth = 4; }));
  EXPECT_TRUE(differsAfter([](TViewOptions& o) { o.BitsToFontStyle(1); }));
  EXPECT_TRUE(differsAfter([](TViewOptions& o) { o.SwapPanels = true; }));
  EXPECT_TRUE(differsAfter([](TViewOptions& o) { o.StatusBar = false; }));
  EXPECT_TRUE(differsAfter([](TViewOptions& o) { o.LastPosition = true; }));
  EXPECT_TRUE(differsAfter([](TViewOptions& o) { o.Topmost = true; }));
}

TEST(ViewOptions, FontStyleBits) {
  TViewOptions options;
  options.FontStyle.set(fsBold).set(fsUnderline);
  EXPECT_EQ(options.FontStyleToBits(), 5);
  options.FontStyle.set();
  EXPECT_EQ(options.FontStyleToBits(), 15);
  options.BitsToFontStyle(16);
  EXPECT_TRUE(options.FontStyle.none());
  options.BitsToFontStyle(255);
  EXPECT_TRUE(options.FontStyle.all());
  options.BitsToFontStyle(2);
  EXPECT_TRUE(options.FontStyle.test(fsItalic));
  EXPECT_EQ(options.FontStyle.count(), 1u);
  options.BitsToFontStyle(-1);
  EXPECT_EQ(options.FontStyleToBits(), 15);
}

TEST(ExamOptions, DefaultsAndComparison) {
  const TExamOptions defaults;
  EXPECT_TRUE(defaults.Shuffle);
  EXPECT_FALSE(defaults.Swap);
  EXPECT_FALSE(defaults.CaseSensitive);
  for (int field = 0; field < 3; ++field) {
    TExamOptions changed;
    (field == 0 ? changed.Shuffle : field == 1 ? changed.Swap : changed.CaseSensitive) ^= true;
    EXPECT_TRUE(changed != defaults) << field;
  }
  EXPECT_TRUE(TExamOptions(defaults) == defaults);
}

TEST(SearchOptions, DefaultsSearchDownIgnoringCase) {
  const TSearchOptions defaults;
  EXPECT_TRUE(defaults.FindText.empty());
  EXPECT_FALSE(defaults.MatchCase);
  EXPECT_FALSE(defaults.WholeWord);
  EXPECT_TRUE(defaults.Down);
  TSearchOptions changed;
  changed.FindText = "x";
  EXPECT_TRUE(changed != defaults);
  changed = defaults;
  changed.Down = false;
  EXPECT_TRUE(changed != defaults);
  changed = defaults;
  changed.MatchCase = true;
  EXPECT_TRUE(changed != defaults);
  changed = defaults;
  changed.WholeWord = true;
  EXPECT_TRUE(changed != defaults);
}
