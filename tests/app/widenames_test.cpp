// Names the code page cannot hold, from every source Windows hands them over
// from: the file itself is opened or saved through its short form, never a
// look-alike of it.
#include <gtest/gtest.h>

#include "app/appconst.h"
#include "mainwindow.h"
#include "util/platform.h"
#include "win/widenames.h"

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

namespace {

// Makes a folder or a file whatever the length of its name.
std::wstring Unlimited(const std::wstring& path) { return L"\\\\?\\" + path; }

} // namespace

// A name the code page holds but the "A" calls cannot take, being longer
// than MAX_PATH (a folder 248, room kept for a name of 8.3 in it): from 260
// characters on (248 for a folder) it is taken in its short form.
TEST_F(TMainWindowFileNames, ANameTooLongForTheACallsIsTakenInItsShortForm) {
  // A folder of exactly 200 characters, and names in it of each length.
  const std::wstring scratch = WideText(Folder.Path());
  ASSERT_LT(scratch.size(), 190u);
  const std::wstring deep = scratch + L"\\" + std::wstring(200 - scratch.size() - 1, L'd');
  ASSERT_TRUE(CreateDirectoryW(Unlimited(deep).c_str(), nullptr));
  const auto nameOf = [&deep](size_t length, TNameUse use) {
    const std::wstring extension = use == TNameUse::Folder ? L"" : L".csv";
    return deep + L"\\" + std::wstring(length - deep.size() - 1 - extension.size(), L'n') +
           extension;
  };
  const struct {
    size_t Length;
    TNameUse Use;
    bool Short;
  } cases[] = {{259, TNameUse::Read, false},
               {260, TNameUse::Read, true},
               {247, TNameUse::Folder, false},
               {248, TNameUse::Folder, true}};
  for (const auto& c : cases) {
    const std::wstring path = nameOf(c.Length, c.Use);
    if (c.Use == TNameUse::Folder) {
      CreateDirectoryW(Unlimited(path).c_str(), nullptr);
    } else {
      const HANDLE file = CreateFileW(Unlimited(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, 0, nullptr);
      DWORD written = 0;
      WriteFile(file, "France,Paris\r\n", 14, &written, nullptr);
      CloseHandle(file);
    }
    const TCodePageName name = CodePageName(path, c.Use);
    EXPECT_TRUE(name.Exact) << c.Length;
    EXPECT_EQ(name.Name ==
                  Folder.Path() + "\\" + std::string(path.begin() + scratch.size() + 1, path.end()),
              !c.Short)
        << name.Name;
    EXPECT_LE(name.Name.size(), c.Use == TNameUse::Folder ? 247u : 259u) << c.Length;
    EXPECT_NE(GetFileAttributesA(name.Name.c_str()), INVALID_FILE_ATTRIBUTES) << name.Name;
  }
  // Opened from the command line through its short form; a file written
  // there keeps its own name in the folder's short form.
  Start({nameOf(260, TNameUse::Read)});
  EXPECT_EQ(GetExam(Form()).AllItems.Count(), 1);
  EXPECT_EQ(Responder.Seen().size(), 0u) << "no open error";
  const TCodePageName written =
      CodePageName(deep + L"\\" + std::wstring(60, L'l') + L".txt", TNameUse::Write);
  ASSERT_TRUE(written.Exact);
  EXPECT_EQ(written.Name.substr(written.Name.size() - 64), std::string(60, 'l') + ".txt");
  EXPECT_LE(written.Name.size(), 259u);
  FormPtr.reset();
  for (const auto& c : cases) {
    const std::wstring path = Unlimited(nameOf(c.Length, c.Use));
    c.Use == TNameUse::Folder ? RemoveDirectoryW(path.c_str()) : DeleteFileW(path.c_str());
  }
  RemoveDirectoryW(Unlimited(deep).c_str());
}

// Help opens through the folder's name as Windows gives it, which needs no
// short form; the error names the file as the program knows it.
TEST(ProgramFolder, TheHelpFileIsNamedBesideTheExecutableInBothForms) {
  wchar_t executable[MAX_PATH * 2] = {0};
  GetModuleFileNameW(nullptr, executable, MAX_PATH * 2);
  std::wstring folder = executable;
  folder.resize(folder.find_last_of(L'\\') + 1);
  EXPECT_EQ(kWideHelpFile, folder + L"Help\\index.html");
  EXPECT_EQ(kHelpFile, kAppDir + "Help\\index.html");
  if (CodePageName(folder).Exact) {
    EXPECT_EQ(WideText(kHelpFile), kWideHelpFile);
  }
}
