// The real main window in a test: made in a scratch folder of question files,
// shown, and driven the way a user's clicks and keys drive it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/mainform.h"
#include "app/mainformprobe.h"
#include "app/messageloop.h"
#include "support/dialogresponder.h"

// A folder of files made by the test, removed with everything in it.
class TScratchFolder {
public:
  TScratchFolder();
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  const std::string& Path() const { return Folder; }
  // Writes a file of the folder and gives its full path.
  std::string Write(const std::string& name, const std::string& content) const;
  std::string PathOf(const std::string& name) const { return Folder + "\\" + name; }

private:
  std::string Folder;
};

std::string ReadWholeFile(const std::string& path);

class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Makes and shows the window, then lets it reach its first idle moment.
  void Start(std::vector<std::string> arguments = {});
  // With the command line's names as Windows gives them.
  void Start(std::vector<std::wstring> arguments);
  TMainForm& Form() { return *FormPtr; }
  void Idle() { ProcessMessages(*FormPtr); }

  void Click(int command) { FormPtr->ClickMenuItem(command); }
  // A toolbar button pressed: a check button flips first, as the toolbar does.
  void ClickButton(const TToolButton& button);
  // A key pressed on a control through the program's own message handling.
  void Key(HWND target, WORD key);
  // Types an answer into the answer field and presses Enter.
  void Answer(const std::string& text);
  // Save Log, cancelled at its dialog: the file name it proposed.
  std::string ProposedLogName();
  // Files dropped on the window from the shell: names in the code page, or
  // wide names as Explorer gives them.
  void Drop(const std::vector<std::string>& files);
  void Drop(const std::vector<std::wstring>& files);

  std::string Caption() const { return TControl(FormPtr->Handle()).GetText(); }

  TScratchFolder Folder;
  TDialogResponder Responder;
  std::unique_ptr<TMainForm> FormPtr;
};
