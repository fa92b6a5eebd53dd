// Find, Find Next and Find Prev in the log.
#include "dialogs/finddialog.h"
#include "find/search.h"
#include "mainform.h"
#include "win/messagebox.h"

namespace {

// The log as the search sees it: byte offsets into its text, which the pane
// keeps, so that no search waits for the control to hand over a long log.
// The selection is read once, and the one made is handed to the control in
// one call, before it is scrolled to or when the search is over: each costs
// the control time in proportion to the text.
class TLogSearchTarget final : public TSearchTarget {
public:
  explicit TLogSearchTarget(const TEditText& log) : Log(log) { Log.GetSelection(Start, End); }
  TLogSearchTarget(const TLogSearchTarget&) = delete;
  TLogSearchTarget& operator=(const TLogSearchTarget&) = delete;
  // A selection made and not yet handed over is made still; a failure here
  // cannot be reported any more, and leaves the selection as it was.
  ~TLogSearchTarget() override {
    try {
      Select();
    } catch (...) {}
  }

  const std::string& GetText() const override { return Log.Get(); }
  int GetSelStart() const override { return Start; }
  int GetSelLength() const override { return End - Start; }
  void SetSelStart(int start) override {
    Start = End = start;
    Pending = true;
  }
  void SetSelLength(int length) override {
    End = Start + length;
    Pending = true;
  }
  void ScrollCaret() override {
    Select();
    Log.Control().ScrollCaret();
  }

private:
  void Select() {
    if (Pending) Log.Select(Start, End);
    Pending = false;
  }

  const TEditText& Log;
  int Start = 0, End = 0;
  bool Pending = false;
};

// A match is selected and shown with the focus; else the user is told.
void SearchLog(HWND owner, const std::string& title, const TLogPane& log,
               const TSearchOptions& request) {
  TLogSearchTarget memo(log.Contents());
  if (SearchMemo(memo, request))
    log.Control().SetFocus();
  else
    ShowMessage(owner, "There is no match.", title, mkInformation);
}

} // namespace

void TMainForm::Find() {
  StrFindDialog.SetOptions(SearchOptions);
  if (!StrFindDialog.Execute(Window.Handle, LogPane.Contents().SelectedText())) return;
  SetOptions(StrFindDialog.GetCurrentOptions());
  SearchLog(Window.Handle, TitleText(), LogPane, SearchOptions);
}

void TMainForm::FindAgain(bool reverse) {
  TSearchOptions request = SearchOptions;
  if (reverse) request.Down = !request.Down;
  SearchLog(Window.Handle, TitleText(), LogPane, request);
}
