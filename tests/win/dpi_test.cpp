#include <gtest/gtest.h>

#include "win/dpi.h"

TEST(Layout, DesignPixelsScaleFrom120Dpi) {
  EXPECT_EQ(ScaleDesign(120, 120), 120);
  EXPECT_EQ(ScaleDesign(120, 96), 96);
  EXPECT_EQ(ScaleDesign(25, 96), 20);
  EXPECT_EQ(ScaleDesign(10, 144), 12);
  EXPECT_EQ(ScaleDesign(7, 96), 6);   // 5.6 rounds to 6
  EXPECT_EQ(ScaleDesign(-7, 96), -6); // symmetric for negative offsets
  EXPECT_EQ(ScaleDesign(0, 192), 0);
  EXPECT_EQ(ScaleDesign(640, 192), 1024);
}
