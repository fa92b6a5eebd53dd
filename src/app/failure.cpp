#include "failure.h"

#include "appconst.h"
#include "util/textutil.h"
#include "win/controls.h"

namespace {

bool reportShowing = false;

} // namespace

void ShowGeneralFailure(HWND owner, const std::string& text) {
  if (reportShowing) return;
  reportShowing = true;
  std::string caption = kAppTitle;
  if (owner != nullptr && IsWindow(owner)) caption = TControl(owner).GetText();
  MessageBoxA(owner, FailureText(text).c_str(), caption.c_str(),
              MB_OK | MB_ICONHAND | MB_SETFOREGROUND);
  reportShowing = false;
}
