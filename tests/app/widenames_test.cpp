// Names the code page cannot hold, from every source Windows hands them over
// from: the file itself is opened or saved through its short form, never a
// look-alike of it.
#include <gtest/gtest.h>

#include "mainwindow.h"
#include "util/platform.h"

namespace {

// A folder named in another script, as a Russian user's profile is on a
// Western system, holding "Āb.csv" and the look-alike "Ab.csv" beside it.
class TForeignFolder {
public:
  explicit TForeignFolder(const std::string& parent) {
    wchar_t wideParent[MAX_PATH] = {0};
    MultiByteToWideChar(CP_ACP, 0, parent.c_str(), -1, wideParent, MAX_PATH);
    Path = std::wstring(wideParent) + L"\\\u0414\u043C\u0438\u0442\u0440\u0438\u0439";
    CreateDirectoryW(Path.c_str(), nullptr);
    Write(L"\u0100b.csv", "Macron,A\r\n");
    Write(L"Ab.csv", "Plain,A\r\nSecond,B\r\n");
  }
  ~TForeignFolder() {
    for (const wchar_t* name : {L"\u0100b.csv", L"Ab.csv", L"log.txt"})
      DeleteFileW(Of(name).c_str());
    RemoveDirectoryW(Path.c_str());
  }
  std::wstring Of(const std::wstring& name) const { return Path + L"\\" + name; }
  void Write(const std::wstring& name, const std::string& bytes) const {
    const HANDLE file =
        CreateFileW(Of(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }

  std::wstring Path;
};

using TMainWindowFileNames = MainWindowTest;

} // namespace

TEST_F(TMainWindowFileNames, ANameOutsideTheCodePageOpensThatFileFromEverySource) {
  if (sys::IsUtf8()) GTEST_SKIP() << "UTF-8 holds every name";
  const TForeignFolder folder(Folder.Path());
  const std::wstring macron = folder.Of(L"\u0100b.csv");
  // The file of one item was opened, under a name the program can use again.
  const auto expectMacronOpened = [&](const char* source) {
    EXPECT_EQ(GetExam(Form()).AllItems.Count(), 1) << source;
    EXPECT_EQ(Form().GetFileName().find('?'), std::string::npos) << source;
    EXPECT_TRUE(sys::FileExists(Form().GetFileName())) << source;
  };

  Start({macron});
  expectMacronOpened("the command line");

  // A relative name in a current folder the code page cannot name.
  wchar_t previous[MAX_PATH] = {0};
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(folder.Path.c_str());
  Start({std::wstring(L"\u0100b.csv")});
  SetCurrentDirectoryW(previous);
  expectMacronOpened("a relative command-line name");

  Click(cmNew);
  Responder.ChooseFile(macron);
  Click(cmOpen);
  expectMacronOpened("the Open dialog");
  EXPECT_EQ(OpenDialog(Form()).InitialDir.find('?'), std::string::npos);

  Click(cmNew);
  Drop(std::vector<std::wstring>{macron});
  expectMacronOpened("a drop");

  // A log saved into the folder lands there under its own name.
  Click(cmList);
  Responder.ChooseFile(folder.Of(L"log.txt"));
  Click(cmSaveLog);
  EXPECT_NE(GetFileAttributesW(folder.Of(L"log.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Responder.Seen().size(), 2u) << "only the two file dialogs";
}
