// The Find dialog: the find text, case and whole-word switches and the
// direction. One object lives for the whole program and keeps its options
// between shows; each show builds a fresh modal window from them.
#pragma once

#include <string>

#include <windows.h>

#include "win/controls.h"
#include "win/dialogtemplate.h"
#include "settings/options.h"

class TStrFindDialog {
public:
  explicit TStrFindDialog(HINSTANCE instance);
  TStrFindDialog(const TStrFindDialog&) = delete;
  TStrFindDialog& operator=(const TStrFindDialog&) = delete;
  virtual ~TStrFindDialog();

  // Takes a copy of the options as the ones the dialog shows.
  void SetOptions(const TSearchOptions& options);
  // Proposes the selected text, if any, then shows the dialog modally over
  // owner. True when it closed with Find; the options read are then in
  // GetCurrentOptions(). Otherwise the options are what they were before.
  bool Execute(HWND owner, const std::string& selectedText);
  // Remembers the options shown so far and proposes a non-empty selected text
  // as the find text, unchanged, line breaks included.
  void PrepareShow(const std::string& selectedText);
  // Shows again what PrepareShow remembered.
  void RestoreOptions();
  const TSearchOptions& GetCurrentOptions() const { return CurrentOptions; }

private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate(HWND dialog);
  void FormShow();
  void FormDestroy();
  // Closes with the modal result when FormCloseQuery allows it.
  void Close(int modalResult);
  bool FormCloseQuery(int modalResult);
  bool ReadControls();
  void ShowInputError(HWND control);
  void ShowControls();
  void PlaceControls();

  HINSTANCE Instance;
  TDialogTemplate Template;
  HWND Owner = nullptr;
  HFONT Font = nullptr;

  TControl Dialog;
  TControl Label1;
  TControl Edit1;
  TCheckBox CheckBox1;
  TCheckBox CheckBox2;
  TRadioGroup RadioGroup1;
  TControl Button1;
  TControl Button2;

  TSearchOptions CurrentOptions;
  TSearchOptions SavedOptions;
};
