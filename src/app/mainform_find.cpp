// Find, Find Next and Find Prev in the log.
#include "dialogs/finddialog.h"
#include "find/search.h"
#include "mainform.h"

namespace {

// The log pane as the search sees it: byte offsets into its text, which
// does not change while one search runs.
class TMemoSearch final : public TSearchMemo {
public:
  explicit TMemoSearch(const TEdit& memo)
      : Memo(memo), Text(memo.GetText()), Positions(memo, Text) {}
  std::string GetText() const override { return Text; }
  int GetSelStart() const override {
    int start = 0, end = 0;
    Memo.GetSel(start, end);
    return Positions.ToBytes(start);
  }
  int GetSelLength() const override {
    int start = 0, end = 0;
    Memo.GetSel(start, end);
    return Positions.ToBytes(end) - Positions.ToBytes(start);
  }
  void SetSelStart(int start) override { Select(start, start); }
  void SetSelLength(int length) override {
    const int start = GetSelStart();
    Select(start, start + length);
  }
  void ScrollCaret() override { Memo.ScrollCaret(); }

private:
  void Select(int start, int end) const {
    Memo.SetSel(Positions.ToPosition(start), Positions.ToPosition(end));
  }

  const TEdit& Memo;
  const std::string Text;
  const TEditPositions Positions;
};

} // namespace

void TMainForm::Find() {
  StrFindDialog.SetOptions(SearchOptions);
  if (!StrFindDialog.Execute(Window.Handle, LogPane.Control().GetSelText())) return;
  SetSearchOptions(StrFindDialog.GetCurrentOptions());
  SearchLog(SearchOptions);
}

// Find Next searches the way the dialog last did; Find Prev the other way.
void TMainForm::FindAgain(bool reverse) {
  TSearchOptions request = SearchOptions;
  if (reverse) request.Down = !request.Down;
  SearchLog(request);
}

void TMainForm::SearchLog(const TSearchOptions& request) {
  TMemoSearch memo(LogPane.Control());
  if (SearchMemo(memo, request))
    LogPane.Control().SetFocus();
  else
    MessageBoxA(Window.Handle, "There is no match.", TitleText.c_str(),
                MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
}
