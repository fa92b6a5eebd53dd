#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempfile.h"
#include "util/textutil.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

TEST(FailureText, EndsWithAFullStopUnlessTheLastByteIsAtOrBelowIt) {
  EXPECT_EQ(FailureText("The system cannot find the file specified"),
            "The system cannot find the file specified.");
  EXPECT_EQ(FailureText("Error 5"), "Error 5.");
  EXPECT_EQ(FailureText("Access is denied."), "Access is denied.");
  EXPECT_EQ(FailureText(""), "");
  for (const char* kept : {"a,", "a)", "a!", "a-", "a ", "a\"", "a\t"})
    EXPECT_EQ(FailureText(kept), kept) << kept;
  // Bytes above '.' get one, high bytes included: they compare unsigned.
  for (const char* added : {"a/", "a:", "a?", "a]", "a\xFF", "\x82\xA0"})
    EXPECT_EQ(FailureText(added), std::string(added) + ".") << added;
  EXPECT_EQ(FailureText(std::string_view("x\0", 2)), std::string("x\0", 2));
}

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

namespace {

// The path as the system's own GetLongPathName gives it: a temporary folder
// may be named by a short name (for a long user name, say), and then even a
// file of long names in it resolves to more than its own path.
std::string SystemLongPath(const std::string& path) {
#ifdef _WIN32
  char buffer[32768];
  const DWORD length = GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  if (length > 0 && length < sizeof buffer) return std::string(buffer, length);
#endif
  return path;
}

// Removes a folder whose path may be too long for the library's own calls.
void RemoveLongFolder(const std::string& path) {
#ifdef _WIN32
  RemoveDirectoryW(fs::path(path).wstring().c_str());
#else
  fs::remove(path);
#endif
}

} // namespace

TEST(GetLongPath, ReturnsAPathThatCannotBeResolvedUnchanged) {
  const std::string missing = MissingFilePath() + "\\deeper\\file.txt";
  EXPECT_EQ(GetLongPath(missing), missing);
  EXPECT_EQ(GetLongPath(""), "");
  TTempFile file("x");
  EXPECT_EQ(GetLongPath(SystemLongPath(file.Path())), SystemLongPath(file.Path()));
}

TEST(GetLongPath, ReadsTheBufferOnlyWhenTheLongFormFitsIt) {
  // Existing paths of 259 and 260 characters, each already in its long form:
  // the first fits the 260-byte buffer with its terminator, the second must
  // not be read from it.
  TTempFolder temp;
  const std::string folder = SystemLongPath(temp.Folder().string());
  if (folder.size() + 2 > 259)
    GTEST_SKIP() << "the temporary folder's path is too long here: " << folder;
  for (size_t length : {259u, 260u}) {
    const std::string path =
        (fs::path(folder) / std::string(length - folder.size() - 1, 'f')).string();
    ASSERT_EQ(path.size(), length);
    std::error_code error;
    if (!fs::create_directory(path, error) && error)
      GTEST_SKIP() << "the system refuses a path of " << length
                   << " characters: " << error.message();
    EXPECT_EQ(GetLongPath(path), path) << length;
    RemoveLongFolder(path);
  }
}

#ifdef _WIN32
TEST(GetLongPath, ResolvesShortNamesToLongOnes) {
  TTempFile file("x", ".longextension");
  char shortPath[MAX_PATH];
  ASSERT_GT(GetShortPathNameA(file.Path().c_str(), shortPath, MAX_PATH), 0u);
  if (std::string(shortPath) == file.Path())
    GTEST_SKIP() << "this volume makes no short (8.3) names";
  char expected[MAX_PATH];
  ASSERT_GT(GetLongPathNameA(file.Path().c_str(), expected, MAX_PATH), 0u);
  EXPECT_EQ(GetLongPath(shortPath), expected);
}
#endif
