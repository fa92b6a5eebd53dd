#include "logpane.h"

#include "exam/examlog.h"

void TLogPane::Replace(const std::string& text) {
  Edit.SetText(text);
  EndsEmpty = logpane::LastLineEmpty(text);
  EndKnown = true;
  Changed();
}

void TLogPane::Append(const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  if (!EndKnown) {
    EndsEmpty = logpane::LastLineEmpty(Edit.GetText());
    EndKnown = true;
  }
  std::string insertion;
  for (const std::string& line : lines) {
    insertion += logpane::LineInsertion(line, EndsEmpty);
    EndsEmpty = true;
  }
  Inserting = true;
  // The caret goes to the end without asking for the text's length, which
  // the control may have to count from the start every time.
  Edit.SetSel(0x7FFFFFFF, 0x7FFFFFFF);
  Edit.ReplaceSel(insertion.c_str());
  Inserting = false;
  Changed();
}

bool TLogPane::HoldsLine() const {
  // From the control's own line figures, which it keeps: more than one line,
  // or a first line that is not empty.
  return Edit.Send(EM_GETLINECOUNT) > 1 || Edit.Send(EM_LINELENGTH, 0) > 0;
}

void TLogPane::ControlChanged() {
  if (Inserting) return; // told once the insertion is done
  EndKnown = false;      // the user typed into the pane
  Changed();
}
