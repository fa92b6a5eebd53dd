// Asks the user for one line of text: a prompt above an edit box, OK and
// Cancel. It checks nothing; the caller judges the entry and, when it is
// unusable, shows the dialog again with it.
#pragma once

#include <array>
#include <string>

#include <windows.h>

#include "win/controls.h"
#include "win/modaldialog.h"

class TEnterDialog : public TModalDialog {
public:
  explicit TEnterDialog(HINSTANCE instance);

  // True with the entry, untrimmed, in text when the user chose OK; false
  // with text as it was otherwise (Cancel, Escape, the close box).
  bool Execute(HWND owner, const std::string& caption, const std::string& prompt,
               std::string& text);

protected:
  void OnInit() override;
  bool OnOk() override;

private:
  HINSTANCE Instance;
  TControl Prompt;
  TEdit EntryField;
  std::array<TDialogControl, 4> Controls;
  // The texts of the call in progress.
  std::string Caption;
  std::string PromptText;
  std::string Entry;
};
