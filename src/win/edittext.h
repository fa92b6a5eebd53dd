// The text of an edit control as the program reads it: bytes of the code
// page, kept in step with what the program writes into the control and read
// again only after the user changed it, so that a search of a long log never
// waits for the control to hand its whole text over. Selections are given as
// byte offsets into that text.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls.h"

class TEditText {
public:
  void Attach(HWND control) { Edit.Handle = control; }
  const TEdit& Control() const { return Edit; }

  // Replaces the control's text.
  void Set(const std::string& text);
  // Inserts text at the end of the control's text.
  void Append(const std::string& text);
  // The user changed the text: it is read again when next asked for.
  void Forget();

  // The text as the control's "A" text gives it.
  const std::string& Get() const;
  // The selection, and a selection to make, in byte offsets into Get().
  void GetSelection(int& start, int& end) const;
  void Select(int start, int end) const;
  std::string SelectedText() const;

private:
  // How the control counts its positions against the text.
  enum class TCount { Unknown, Bytes, Characters, Exact };
  void Learn() const;
  int ToBytes(int position) const;
  int ToPosition(int offset) const;
  // Characters from the nearest mark before offset (or position) on.
  const std::pair<int, int>& MarkBefore(int value, bool byPosition) const;

  TEdit Edit;
  mutable std::string Text;
  mutable bool Known = false;
  mutable TCount Count = TCount::Unknown;
  // (offset, position) at character starts every so many bytes, from (0, 0);
  // a conversion walks at most that far.
  mutable std::vector<std::pair<int, int>> Marks;
  mutable std::unique_ptr<TEditPositions> ExactPositions;
};
