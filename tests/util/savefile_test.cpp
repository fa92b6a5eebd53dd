#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/tempfile.h"
#include "util/platform.h"

namespace fs = std::filesystem;

namespace {

// An empty folder of its own, removed with everything in it.
class TTempFolder {
public:
  TTempFolder() : Folder(fs::path(MissingFilePath()).replace_extension("")) {
    fs::create_directory(Folder);
  }
  ~TTempFolder() {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(Folder, error))
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, error);
    fs::remove_all(Folder, error);
  }
  std::string Path(const std::string& name) const { return (Folder / name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Folder))
      names.push_back(entry.path().filename().string());
    return names;
  }

private:
  fs::path Folder;
};

void MakeReadOnly(const std::string& path) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

// The error's text, which must name the file.
std::string SaveError(const std::string& path, std::string_view content) {
  try {
    sys::SaveFile(path, content);
  } catch (const sys::EFileError& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    return error.what();
  }
  return "";
}

} // namespace

TEST(SaveFile, CreatesAndReplacesTheWholeFile) {
  TTempFolder folder;
  const std::string path = folder.Path("Settings.ini");
  const std::string bytes("[S]\r\nk=\xFF\0v\r\n\r\n", 14);
  sys::SaveFile(path, bytes);
  EXPECT_EQ(sys::ReadFile(path), bytes);
  sys::SaveFile(path, "short");
  EXPECT_EQ(sys::ReadFile(path), "short");
  sys::SaveFile(path, "");
  EXPECT_EQ(sys::ReadFile(path), "");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"Settings.ini"}) << "no temporary file stays";
}

TEST(SaveFile, ReadOnlyFileIsRefusedAndLeftAsItWas) {
  TTempFolder folder;
  const std::string path = folder.Path("Settings.ini");
  sys::SaveFile(path, "old");
  MakeReadOnly(path);
  EXPECT_NE(SaveError(path, "new"), "");
  EXPECT_EQ(sys::ReadFile(path), "old");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"Settings.ini"});
}

TEST(SaveFile, MissingFolderFailsAndCreatesNothing) {
  TTempFolder folder;
  const std::string path = folder.Path("no such folder") + "/Settings.ini";
  EXPECT_NE(SaveError(path, "x"), "");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST(SaveFile, AFolderInTheFilesPlaceIsRefused) {
  TTempFolder folder;
  const std::string path = folder.Path("Settings.ini");
  fs::create_directory(path);
  EXPECT_NE(SaveError(path, "x"), "");
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"Settings.ini"});
}

TEST(FileExists, TrueOnlyForFiles) {
  TTempFolder folder;
  const std::string path = folder.Path("a.ini");
  EXPECT_FALSE(sys::FileExists(path));
  sys::SaveFile(path, "x");
  EXPECT_TRUE(sys::FileExists(path));
  EXPECT_FALSE(sys::FileExists(folder.Path("")));
  EXPECT_FALSE(sys::FileExists(folder.Path("sub")));
}
