#include "failure.h"

#include "appconst.h"
#include "util/textutil.h"
#include "win/controls.h"
#include "win/messagebox.h"

namespace {

bool reportShowing = false;

} // namespace

void ShowGeneralFailure(HWND owner, const std::string& text) {
  if (reportShowing) return;
  reportShowing = true;
  std::string caption = kAppTitle;
  if (owner != nullptr && IsWindow(owner)) caption = TControl(owner).GetText();
  ShowMessage(owner, FailureText(text), caption, mkError);
  reportShowing = false;
}
