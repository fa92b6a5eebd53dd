// Find, Find Next and Find Prev in the log.
#include "commands.h"
#include "find/finddialog.h"
#include "find/search.h"
#include "mainform.h"

namespace {

// The log pane as the search sees it.
class TMemoSearch final : public TSearchMemo {
public:
  explicit TMemoSearch(const TEdit& memo) : Memo(memo) {}
  std::string GetText() const override { return Memo.GetText(); }
  int GetSelStart() const override {
    int start = 0, end = 0;
    Memo.GetSel(start, end);
    return start;
  }
  int GetSelLength() const override {
    int start = 0, end = 0;
    Memo.GetSel(start, end);
    return end - start;
  }
  void SetSelStart(int start) override { Memo.SetSel(start, start); }
  void SetSelLength(int length) override {
    int start = 0, end = 0;
    Memo.GetSel(start, end);
    Memo.SetSel(start, start + length);
  }
  void ScrollCaret() override { Memo.ScrollCaret(); }

private:
  const TEdit& Memo;
};

} // namespace

void TMainForm::FindM1Click(int id) {
  TSearchOptions request;
  switch (id) {
  case cmFind:
    StrFindDialog->SetOptions(SearchOptions);
    if (!StrFindDialog->Execute(Window.Handle, Memo1.GetSelText())) return;
    SetSearchOptions(StrFindDialog->GetCurrentOptions());
    request = SearchOptions;
    break;
  case cmFindNext:
    request = SearchOptions;
    break;
  case cmFindPrev:
    request = SearchOptions;
    request.Down = !request.Down;
    break;
  default:
    return;
  }
  TMemoSearch memo(Memo1);
  if (SearchMemo(memo, request))
    Memo1.SetFocus();
  else
    MessageBoxA(Window.Handle, "There is no match.", TitleText.c_str(),
                MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
}
