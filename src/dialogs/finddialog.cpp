#include "finddialog.h"

#include <stdexcept>

#include "win/messagebox.h"

TStrFindDialog::TStrFindDialog(HINSTANCE instance) : Instance(instance) {
  // Controls in tab order; each starts a group except the second radio
  // item, so the arrow keys move only between Up and Down, and Tab enters the
  // pair at the chosen one. The design is in pixels at 120 dpi; the radio
  // items sit in two columns inside the group box, below its caption.
  constexpr DWORD group = WS_GROUP;
  DirectionGroup.Items.resize(2);
  // clang-format off
  Controls = {{
    {.Class = "Static", .Style = group | SS_LEFT | SS_CENTERIMAGE,       .Place = {8, 8, 97, 25},    .Caption = "Fi&nd:"},
    {.Class = "Edit",   .Style = group | WS_TABSTOP | ES_AUTOHSCROLL,    .Place = {112, 8, 249, 23},                            .ExStyle = WS_EX_CLIENTEDGE, .Bind = &FindTextField.Handle},
    {.Class = "Button", .Style = group | WS_TABSTOP | BS_AUTOCHECKBOX,   .Place = {8, 40, 177, 25},  .Caption = "&Match case",                                   .Bind = &MatchCaseBox.Handle},
    {.Class = "Button", .Style = group | WS_TABSTOP | BS_AUTOCHECKBOX,   .Place = {8, 72, 177, 25},  .Caption = "&Whole word only",                              .Bind = &WholeWordBox.Handle},
    {.Class = "Button", .Style = group | BS_GROUPBOX,                    .Place = {192, 40, 169, 57}, .Caption = "Direction",                                    .Bind = &DirectionGroup.Handle},
    {.Class = "Button", .Style = group | WS_TABSTOP | BS_AUTORADIOBUTTON, .Place = {200, 65, 77, 25}, .Caption = "&Up",                                          .Bind = &DirectionGroup.Items[0].Handle},
    {.Class = "Button", .Style = BS_AUTORADIOBUTTON,                     .Place = {279, 65, 77, 25}, .Caption = "&Down",                                         .Bind = &DirectionGroup.Items[1].Handle},
    {.Class = "Button", .Style = group | WS_TABSTOP | BS_DEFPUSHBUTTON,  .Place = {376, 8, 97, 33},  .Caption = "&Find",  .Id = IDOK},
    {.Class = "Button", .Style = WS_TABSTOP | BS_PUSHBUTTON,             .Place = {376, 48, 97, 33}, .Caption = "Cancel", .Id = IDCANCEL},
  }};
  // clang-format on
}

void TStrFindDialog::SetOptions(const TSearchOptions& options) {
  CurrentOptions = options;
  if (Handle != nullptr) ShowControls();
}

bool TStrFindDialog::Execute(HWND owner, const std::string& selectedText) {
  PrepareShow(selectedText);
  try {
    return Run(owner, {"Find", {480, 104}, Controls}, Instance) == IDOK;
  } catch (...) {
    // Nothing was chosen: undo the proposal.
    RestoreOptions();
    throw;
  }
}

void TStrFindDialog::CannotShow() const {
  throw std::runtime_error("The Find dialog cannot be shown.");
}

void TStrFindDialog::PrepareShow(const std::string& selectedText) {
  SavedOptions = CurrentOptions;
  if (selectedText.empty()) return;
  TSearchOptions proposed = CurrentOptions;
  proposed.FindText = selectedText;
  SetOptions(proposed);
}

void TStrFindDialog::RestoreOptions() { SetOptions(SavedOptions); }

void TStrFindDialog::OnInit() {
  // A find text typed or pasted is not cut at an edit box's default limit.
  FindTextField.Send(EM_LIMITTEXT, 0);
  ShowControls();
  // The find box takes the focus with its whole text selected, so typing
  // replaces the proposed text.
  FocusControl(FindTextField.Handle);
  FindTextField.SelectAll();
}

void TStrFindDialog::ShowControls() {
  FindTextField.SetText(CurrentOptions.FindText);
  MatchCaseBox.SetChecked(CurrentOptions.MatchCase);
  WholeWordBox.SetChecked(CurrentOptions.WholeWord);
  DirectionGroup.SetItemIndex(CurrentOptions.Down ? 1 : 0);
}

// Find closes only on valid input.
bool TStrFindDialog::OnOk() { return ReadControls(); }

// Cancel, Escape and the close box put back what the dialog showed before.
bool TStrFindDialog::OnCancel() {
  RestoreOptions();
  return true;
}

bool TStrFindDialog::ReadControls() {
  try {
    TSearchOptions options;
    options.FindText = FindTextField.GetText(); // not trimmed: spaces are a find text too
    if (options.FindText.empty()) {
      ShowInputError(FindTextField.Handle);
      return false;
    }
    options.MatchCase = MatchCaseBox.GetChecked();
    options.WholeWord = WholeWordBox.GetChecked();
    options.Down = DirectionGroup.GetItemIndex() == 1;
    SetOptions(options);
    return true;
  } catch (...) {
    ShowInputError(nullptr);
    return false;
  }
}

// Moves the focus to the control at fault, if any, and says what is wrong.
// The caption is the owner's title, the application's; without an owner the
// dialog's own.
void TStrFindDialog::ShowInputError(HWND control) {
  if (control != nullptr) FocusControl(control);
  const char* text = control != nullptr && control == FindTextField.Handle
                         ? "Set the text to find."
                         : "Set the proper value.";
  ShowMessage(Handle, text, TControl(Owner != nullptr ? Owner : Handle).GetText(), mkError);
}
