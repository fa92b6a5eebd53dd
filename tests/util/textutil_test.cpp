#include <gtest/gtest.h>

#include "support/tempfile.h"
#include "util/textutil.h"

#ifdef _WIN32
#include <windows.h>
#endif

TEST(GroupThousands, InsertsACommaBetweenGroupsOfThreeDigits) {
  const std::pair<const char*, const char*> cases[] = {{"", ""},
                                                       {"0", "0"},
                                                       {"123", "123"},
                                                       {"999", "999"},
                                                       {"1000", "1,000"},
                                                       {"1234", "1,234"},
                                                       {"123456", "123,456"},
                                                       {"1234567", "1,234,567"},
                                                       {"-", "-"},
                                                       {"-123", "-123"},
                                                       {"-999", "-999"},
                                                       {"-1234", "-1,234"},
                                                       {"-123456", "-123,456"},
                                                       {"2147483647", "2,147,483,647"},
                                                       {"-2147483648", "-2,147,483,648"}};
  for (const auto& [input, expected] : cases) EXPECT_EQ(GroupThousands(input), expected) << input;
  EXPECT_EQ(GroupThousands(1500), "1,500");
}

TEST(FormatTimeStamp, GivesFourteenZeroPaddedDigits) {
  EXPECT_EQ(FormatTimeStamp({2004, 3, 15, 9, 30, 42}), "20040315093042");
  EXPECT_EQ(FormatTimeStamp({2026, 12, 31, 0, 0, 0}), "20261231000000");
  EXPECT_EQ(FormatTimeStamp({2004, 3, 5, 14, 7, 9}), "20040305140709");
  const sys::DateTime now = sys::LocalNow();
  EXPECT_EQ(FormatTimeStamp(now).size(), 14u);
  EXPECT_GE(now.Year, 2000);
}

TEST(Trim, RemovesControlBytesAndBlanksAtBothEnds) {
  EXPECT_EQ(Trim(std::string("\0 \t a b \r\n\x1F", 10)), "a b");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0"); // bytes above 0x20 stay
}

TEST(GetLongPath, ReturnsAPathThatCannotBeResolvedUnchanged) {
  const std::string missing = MissingFilePath() + "\\deeper\\file.txt";
  EXPECT_EQ(GetLongPath(missing), missing);
  EXPECT_EQ(GetLongPath(""), "");
  TTempFile file("x");
  EXPECT_EQ(GetLongPath(file.Path()), file.Path());
}

#ifdef _WIN32
TEST(GetLongPath, ResolvesShortNamesToLongOnes) {
  TTempFile file("x", ".longextension");
  char shortPath[MAX_PATH];
  ASSERT_GT(GetShortPathNameA(file.Path().c_str(), shortPath, MAX_PATH), 0u);
  ASSERT_NE(std::string(shortPath), file.Path());
  char expected[MAX_PATH];
  ASSERT_GT(GetLongPathNameA(file.Path().c_str(), expected, MAX_PATH), 0u);
  EXPECT_EQ(GetLongPath(shortPath), expected);
}

TEST(GetLongPath, TreatsAnOverlongResultAsAFailure) {
  // A path longer than the buffer cannot be returned whole: it comes back as given.
  const std::string longPath = "C:\\" + std::string(300, 'a');
  EXPECT_EQ(GetLongPath(longPath), longPath);
}
#endif
