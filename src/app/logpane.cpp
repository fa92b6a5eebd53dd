#include "logpane.h"

#include <commctrl.h>

#include "exam/examlog.h"
#include "failure.h"

TLogPane::~TLogPane() {
  if (IsWindow(Edit.Control().Handle)) RemoveWindowSubclass(Edit.Control().Handle, ControlProc, 0);
}

void TLogPane::Attach(HWND control) {
  Edit.Attach(control);
  SetWindowSubclass(control, ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

// A multi-line edit sends no change notice when its whole text is set, which
// another program (a dictation or automation tool) may do: the pane notices
// it here, so that nothing goes on with the text it knew before.
LRESULT CALLBACK TLogPane::ControlProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
  const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
  if (message == WM_SETTEXT && result) {
    auto* pane = reinterpret_cast<TLogPane*>(data);
    Guarded(
        GetAncestor(edit, GA_ROOT), message, [pane] { return pane->ControlChanged(), LRESULT{0}; },
        [] { return LRESULT{0}; });
  }
  return result;
}

void TLogPane::Replace(const std::string& text) {
  {
    const TInserting inserting(Inserting);
    Edit.Set(text);
  }
  EndsEmpty = logpane::LastLineEmpty(text);
  EndKnown = true;
  Changed();
}

void TLogPane::Append(const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  if (!EndKnown) {
    EndsEmpty = logpane::LastLineEmpty(Edit.Get());
    EndKnown = true;
  }
  std::string insertion;
  for (const std::string& line : lines) {
    insertion += logpane::LineInsertion(line, EndsEmpty);
    EndsEmpty = true;
  }
  {
    const TInserting inserting(Inserting);
    Edit.Append(insertion);
  }
  Changed();
}

bool TLogPane::HoldsLine() const {
  // From the control's own line figures, which it keeps: more than one line,
  // or a first line that is not empty.
  const TEdit& control = Edit.Control();
  return control.Send(EM_GETLINECOUNT) > 1 || control.Send(EM_LINELENGTH, 0) > 0;
}

void TLogPane::ControlChanged() {
  if (Inserting) return; // told once the insertion is done
  // The user typed into the pane: its text is read again when needed.
  EndKnown = false;
  Edit.Forget();
  Changed();
}
