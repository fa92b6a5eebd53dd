#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/codepage.h"
#include "support/tempfile.h"
#include "util/platform.h"

#ifdef _WIN32
#include <windows.h>

#include "support/heldfile.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

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

#ifdef _WIN32
// Another program holding the file, sharing only reading: the file still
// reads; a save waits out a short hold and gives up on a long one as it would
// at once, leaving the file and the folder as they were.
TEST(SaveFile, AFileAnotherProgramHoldsIsWaitedForAWhileOnly) {
  TTempFolder folder;
  const std::string path = folder.Path("Settings.ini");
  sys::SaveFile(path, "old");
  {
    const THeldFile held(path, 60000);
    ASSERT_TRUE(held.Opened());
    EXPECT_EQ(sys::ReadFile(path), "old");
    EXPECT_NE(SaveError(path, "new"), "");
  }
  EXPECT_EQ(sys::ReadFile(path), "old");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"Settings.ini"}) << "no temporary file stays";
  const THeldFile held(path, 300);
  ASSERT_TRUE(held.Opened());
  sys::SaveFile(path, "new");
  EXPECT_EQ(sys::ReadFile(path), "new");
}
#endif

TEST(FileExists, TrueOnlyForFiles) {
  TTempFolder folder;
  const std::string path = folder.Path("a.ini");
  EXPECT_FALSE(sys::FileExists(path));
  sys::SaveFile(path, "x");
  EXPECT_TRUE(sys::FileExists(path));
  EXPECT_FALSE(sys::FileExists(folder.Path("")));
  EXPECT_FALSE(sys::FileExists(folder.Path("sub")));
}

namespace {

unsigned long ThisProcess() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<unsigned long>(getpid());
#endif
}

void Plant(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

// A process that has ended: what a save killed halfway leaves behind is its
// temporary file under this process's id. The object keeps the id from
// being given to a new process while it lives.
class TEndedProcess {
public:
  TEndedProcess() {
#ifdef _WIN32
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    char command[] = "cmd.exe /c exit 0";
    if (CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &Process)) {
      CloseHandle(Process.hThread);
      WaitForSingleObject(Process.hProcess, 10000);
      Id = Process.dwProcessId;
    }
#else
    const pid_t child = fork();
    if (child == 0) _exit(0);
    if (child > 0 && waitpid(child, nullptr, 0) == child) Id = static_cast<unsigned long>(child);
#endif
  }
  ~TEndedProcess() {
#ifdef _WIN32
    if (Id != 0) CloseHandle(Process.hProcess);
#endif
  }
  unsigned long Id = 0;

private:
#ifdef _WIN32
  PROCESS_INFORMATION Process{};
#endif
};

} // namespace

TEST(SaveFile, AFileUnderTheTemporaryNameIsNeverWritten) {
  TTempFolder folder;
  const std::string path = folder.Path("Settings.ini");
  const std::string planted = sys::SaveTempName(path, ThisProcess(), 0);
  Plant(planted, "someone else's");
  sys::SaveFile(path, "new");
  EXPECT_EQ(sys::ReadFile(path), "new");
  EXPECT_EQ(sys::ReadFile(planted), "someone else's");
  EXPECT_EQ(folder.Names().size(), 2u) << "the save's own temporary file is gone";
}

#ifndef _WIN32
TEST(SaveFile, ALinkPlantedUnderTheTemporaryNameIsNeverFollowed) {
  TTempFolder folder, elsewhere;
  const std::string path = folder.Path("Settings.ini");
  const std::string victim = elsewhere.Path("precious.txt");
  const std::string absent = elsewhere.Path("created.txt");
  Plant(victim, "precious");
  // Links under the first names this process would take, to a file that
  // exists and to one that does not yet.
  fs::create_symlink(victim, sys::SaveTempName(path, ThisProcess(), 0));
  fs::create_symlink(absent, sys::SaveTempName(path, ThisProcess(), 1));
  sys::SaveFile(path, "settings");
  EXPECT_EQ(sys::ReadFile(victim), "precious");
  EXPECT_FALSE(fs::exists(absent));
  EXPECT_FALSE(fs::is_symlink(path)) << "the settings file never becomes a link";
  EXPECT_EQ(sys::ReadFile(path), "settings");
}
#endif

TEST(SaveFile, RemovesTheTemporaryFilesAKilledSaveOfTheSameFileLeft) {
  TEndedProcess ended;
  ASSERT_NE(ended.Id, 0u);
  TTempFolder folder;
  const std::string path = folder.Path("Settings.ini");
  sys::SaveFile(path, "old");
  const std::string id = std::to_string(ended.Id);
  Plant(sys::SaveTempName(path, ended.Id, 0), "half writ");
  Plant(sys::SaveTempName(path, ended.Id, 7), "half");
  Plant(path + "." + id + ".tmp", "from an older version");
  // Not left by a save of this file: another file's, or another name.
  const std::vector<std::string> kept = {
      "Other.ini." + id + ".0.tmp",        "Settings.ini.bak",
      "Settings.ini." + id + ".0.tmp.bak", "Settings.ini.x.0.tmp",
      "Settings.ini." + id + ".tmp2",      "Settings.ini.." + id + ".0.tmp",
      "Settings.ini." + id + "..tmp"};
  for (const std::string& name : kept) Plant(folder.Path(name), "keep");
  sys::SaveFile(path, "new");
  EXPECT_EQ(sys::ReadFile(path), "new");
  std::vector<std::string> expected = kept;
  expected.push_back("Settings.ini");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(folder.Names(), expected);
}

TEST(SaveFile, RemovesThemBesideANameWhoseTrailByteIsABackslash) {
  REQUIRE_CODE_PAGE(932);
  TEndedProcess ended;
  ASSERT_NE(ended.Id, 0u);
  TTempFolder folder;
  // The kanji 0x95 0x5C: its trail byte is no separator of the path.
  const std::string path = folder.Path("") + "\x95\x5C.ini";
  const std::string stale = sys::SaveTempName(path, ended.Id, 0);
  Plant(stale, "half");
  sys::SaveFile(path, "new");
  EXPECT_EQ(sys::ReadFile(path), "new");
  EXPECT_FALSE(sys::FileExists(stale));
}

TEST(SaveFile, LeavesTheTemporaryFileOfASaveStillRunning) {
  TTempFolder folder;
  const std::string path = folder.Path("Settings.ini");
#ifdef _WIN32
  // A save holds its file open, shared with nobody, while it writes.
  TEndedProcess ended;
  ASSERT_NE(ended.Id, 0u);
  const std::string running = sys::SaveTempName(path, ended.Id, 0);
  HANDLE writer = CreateFileA(running.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  sys::SaveFile(path, "new");
  CloseHandle(writer);
#else
  // Another process that still runs: this test's parent.
  const std::string running = sys::SaveTempName(path, static_cast<unsigned long>(getppid()), 0);
  Plant(running, "");
  sys::SaveFile(path, "new");
#endif
  EXPECT_TRUE(sys::FileExists(running));
  EXPECT_EQ(sys::ReadFile(path), "new");
}

TEST(SaveTempOwner, ReadsTheProcessFromTheSavesOwnNamesOnly) {
  const std::string file = "/data/Settings.ini";
  EXPECT_EQ(sys::SaveTempName(file, 42, 3), "/data/Settings.ini.42.3.tmp");
  EXPECT_EQ(sys::SaveTempOwner(file, "Settings.ini.42.3.tmp"), 42u);
  EXPECT_EQ(sys::SaveTempOwner(file, "Settings.ini.42.tmp"), 42u);
  EXPECT_EQ(sys::SaveTempOwner(file, "Settings.ini.4294967295.0.tmp"), 4294967295u);
  for (const char* other :
       {"Settings.ini", "Settings.ini.tmp", "Settings.ini.0.0.tmp", "Settings.ini.42.3.tmpx",
        "Settings.ini.42.3.4.tmp", "Settings.ini.4294967296.0.tmp", "Settings.ini.-1.0.tmp",
        "Settings.ini.42.3", "ettings.ini.42.3.tmp", "XSettings.ini.42.3.tmp"})
    EXPECT_EQ(sys::SaveTempOwner(file, other), 0u) << other;
#ifdef _WIN32
  EXPECT_EQ(sys::SaveTempOwner(file, "SETTINGS.ini.42.3.tmp"), 42u) << "one name in any case";
#else
  EXPECT_EQ(sys::SaveTempOwner(file, "SETTINGS.ini.42.3.tmp"), 0u) << "another file";
#endif
}
