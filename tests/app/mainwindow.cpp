#include "mainwindow.h"

#include <fstream>
#include <sstream>

#include <shlobj.h>

#include "app/appconst.h"
#include "win/widenames.h"

namespace {

int folderCount = 0;

} // namespace

TScratchFolder::TScratchFolder() {
  char temp[MAX_PATH] = {0};
  GetTempPathA(MAX_PATH, temp);
  Folder = std::string(temp) + "tesmo-window-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++folderCount);
  CreateDirectoryA(Folder.c_str(), nullptr);
}

TScratchFolder::~TScratchFolder() {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((Folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string path = Folder + "\\" + found.cFileName;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(Folder.c_str());
}

std::string TScratchFolder::Write(const std::string& name, const std::string& content) const {
  const std::string path = PathOf(name);
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

void MainWindowTest::SetUp() {
  ASSERT_TRUE(TMainForm::RegisterClass(GetModuleHandleA(nullptr)));
  DeleteFileA(kSettingsFile.c_str());
}

void MainWindowTest::TearDown() {
  FormPtr.reset();
  DeleteFileA(kSettingsFile.c_str());
}

void MainWindowTest::Start(std::vector<std::string> arguments) {
  std::vector<std::wstring> wide;
  for (const std::string& argument : arguments) wide.push_back(WideText(argument));
  Start(std::move(wide));
}

void MainWindowTest::Start(std::vector<std::wstring> arguments) {
  FormPtr.reset();
  FormPtr = std::make_unique<TMainForm>(GetModuleHandleA(nullptr), std::move(arguments));
  FormPtr->Create();
  ShowWindow(FormPtr->Handle(), SW_SHOWNORMAL);
  Idle();
}

void MainWindowTest::ClickButton(const TToolButton& button) {
  TBBUTTONINFOA info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STYLE;
  SendMessageA(button.ToolBar, TB_GETBUTTONINFOA, button.Id, reinterpret_cast<LPARAM>(&info));
  if (!button.GetEnabled()) return;
  if (info.fsStyle & BTNS_CHECK) button.SetDown(!button.GetDown());
  SendMessageA(FormPtr->Handle(), WM_COMMAND, MAKEWPARAM(button.Id, BN_CLICKED),
               reinterpret_cast<LPARAM>(button.ToolBar));
}

void MainWindowTest::Key(HWND target, WORD key) {
  MSG message{target, WM_KEYDOWN, key, 1, GetTickCount(), {}};
  if (!FormPtr->PreTranslateMessage(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  Idle();
}

void MainWindowTest::Answer(const std::string& text) {
  AnswerField(*FormPtr).SetText(text);
  Key(AnswerField(*FormPtr).Handle, VK_RETURN);
}

namespace {

template <typename TChar> HGLOBAL DropHandle(const std::vector<std::basic_string<TChar>>& files) {
  size_t size = sizeof(DROPFILES) + sizeof(TChar);
  for (const auto& file : files) size += (file.size() + 1) * sizeof(TChar);
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = sizeof(TChar) > 1;
  auto* names = reinterpret_cast<TChar*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
  for (const auto& file : files) {
    memcpy(names, file.c_str(), (file.size() + 1) * sizeof(TChar));
    names += file.size() + 1;
  }
  GlobalUnlock(memory);
  return memory;
}

} // namespace

void MainWindowTest::Drop(const std::vector<std::string>& files) {
  SendMessageA(FormPtr->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropHandle(files)), 0);
  Idle();
}

void MainWindowTest::Drop(const std::vector<std::wstring>& files) {
  SendMessageA(FormPtr->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropHandle(files)), 0);
  Idle();
}

std::string MainWindowTest::ProposedLogName() {
  std::string proposed;
  Responder.Handle([&](HWND dialog) {
    // The file name box: a combo box in the newer dialog, an edit in the older.
    proposed = WindowText(GetDlgItem(dialog, 0x47c));
    if (proposed.empty()) proposed = WindowText(GetDlgItem(dialog, 0x480));
    CancelDialog(dialog);
  });
  Click(cmSaveLog);
  return proposed;
}
