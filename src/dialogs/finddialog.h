// The Find dialog: the find text, case and whole-word switches and the
// direction. One object lives for the whole program and keeps its options
// between shows; each show builds a fresh modal window from them.
#pragma once

#include <array>
#include <string>

#include <windows.h>

#include "settings/options.h"
#include "win/controls.h"
#include "win/modaldialog.h"

class TStrFindDialog : public TModalDialog {
public:
  explicit TStrFindDialog(HINSTANCE instance);

  // Takes a copy of the options as the ones the dialog shows.
  void SetOptions(const TSearchOptions& options);
  // Proposes the selected text, if any, then shows the dialog modally over
  // owner. True when it closed with Find; the options read are then in
  // GetCurrentOptions(). Otherwise, and when it fails, the options are what
  // they were before.
  bool Execute(HWND owner, const std::string& selectedText);
  // Remembers the options shown so far and proposes a non-empty selected text
  // as the find text, unchanged, line breaks included.
  void PrepareShow(const std::string& selectedText);
  // Shows again what PrepareShow remembered.
  void RestoreOptions();
  const TSearchOptions& GetCurrentOptions() const { return CurrentOptions; }

protected:
  void OnInit() override;
  bool OnOk() override;
  bool OnCancel() override;
  [[noreturn]] void CannotShow() const override;

private:
  bool ReadControls();
  void ShowInputError(HWND control);
  void ShowControls();

  HINSTANCE Instance;

  // The controls read and set, live while the dialog is.
  TEdit FindTextField;
  TCheckBox MatchCaseBox;
  TCheckBox WholeWordBox;
  TRadioGroup DirectionGroup; // Up, then Down
  // The dialog's design, which binds them.
  std::array<TDialogControl, 9> Controls;

  TSearchOptions CurrentOptions;
  TSearchOptions SavedOptions;
};
