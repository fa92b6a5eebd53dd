// Asks the user for one line of text: a prompt above an edit box, OK and
// Cancel. It checks nothing; the caller judges the entry and, when it is
// unusable, shows the dialog again with it.
#pragma once

#include <string>

#include <windows.h>

#include "win/dialogtemplate.h"
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
  SIZE LayOut(int dpi) override;

private:
  HINSTANCE Instance;
  TDialogTemplate Layout;
  // The texts of the call in progress.
  std::string Caption;
  std::string Prompt;
  std::string Entry;
};
