#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "version.h"

namespace {

// tesmo.exe beside the tests folder this program runs from.
std::string ProgramPath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  folder.erase(folder.find_last_of("\\/") + 1);
  return folder + "..\\tesmo.exe";
}

} // namespace

TEST(Version, TheProgramsVersionResourceNamesTheOneVersion) {
  const std::string program = ProgramPath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
  ASSERT_GT(size, 0u) << program;
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
  const std::string numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(numbers, TESMO_VERSION_TEXT);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);

  for (const char* name : {"FileVersion", "ProductVersion"}) {
    char* text = nullptr;
    UINT length = 0;
    const std::string key = std::string("\\StringFileInfo\\040904E4\\") + name;
    ASSERT_TRUE(VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length))
        << name;
    EXPECT_STREQ(text, TESMO_VERSION_TEXT) << name;
  }
}
