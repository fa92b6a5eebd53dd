// The log pane: the multi-line edit that shows the misses, the results and
// the item list, and that the user may type into. It keeps what it knows of
// its last line and tells of every change: once after each change the
// program makes (replacing the whole text sends the control no notice of its
// own) and after each of the user's.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "exam/examwindow.h"
#include "win/controls.h"
#include "win/edittext.h"

class TLogPane final : public TExamLogPane {
public:
  TLogPane() = default;
  TLogPane(const TLogPane&) = delete;
  TLogPane& operator=(const TLogPane&) = delete;
  ~TLogPane();

  // The control, made by the window that holds the pane.
  void Attach(HWND control);
  const TEdit& Control() const { return Edit.Control(); }
  // Its text and selection in the code page, for the search.
  const TEditText& Contents() const { return Edit; }

  // Raised after every change of the text.
  std::function<void()> OnChange;

  void Replace(const std::string& text) override;
  // The lines as one insertion at the end: each insertion costs the control
  // a repaint, whatever its length.
  void Append(const std::vector<std::string>& lines) override;
  // True when the pane holds a line, which is when its text is not empty.
  bool HoldsLine() const override;
  void TakeFocus() override { Edit.Control().SetFocus(); }
  const std::string& Text() const { return Edit.Get(); }

  // The control's change notice (EN_CHANGE).
  void ControlChanged();

private:
  static LRESULT CALLBACK ControlProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data);

  void Changed() const {
    if (OnChange) OnChange();
  }

  TEditText Edit;
  // The last line is known to be empty (the text ends with a line break) as
  // long as only the program wrote to the pane.
  bool EndKnown = true;
  bool EndsEmpty = true;
  // The program's own insertion is going on; its notice is not the user's.
  bool Inserting = false;
  struct TInserting {
    explicit TInserting(bool& flag) : Flag(flag) { Flag = true; }
    ~TInserting() { Flag = false; }
    bool& Flag;
  };
};
