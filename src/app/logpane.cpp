#include "logpane.h"

#include "exam/examlog.h"

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
