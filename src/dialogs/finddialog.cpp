#include "finddialog.h"

#include <stdexcept>

namespace {

enum : WORD {
  kFindLabel = 100,
  kFindTextField,
  kMatchCaseBox,
  kWholeWordBox,
  kDirectionGroup,
  kUpButton,
  kDownButton,
  kFindButton = IDOK,
  kCancelButton = IDCANCEL,
};

// The design, in pixels at 120 dpi. The radio items sit in two columns inside
// the group box, below its caption.
constexpr SIZE kClientSize{480, 104};
constexpr TDesignPlace kPlaces[] = {
    {kFindLabel, 8, 8, 97, 25},          {kFindTextField, 112, 8, 249, 23},
    {kMatchCaseBox, 8, 40, 177, 25},     {kWholeWordBox, 8, 72, 177, 25},
    {kDirectionGroup, 192, 40, 169, 57}, {kUpButton, 200, 65, 77, 25},
    {kDownButton, 279, 65, 77, 25},      {kFindButton, 376, 8, 97, 33},
    {kCancelButton, 376, 48, 97, 33},
};

constexpr struct {
  WORD Id;
  const char* Caption;
} kCaptions[] = {
    {kFindLabel, "Fi&nd:"},
    {kMatchCaseBox, "&Match case"},
    {kWholeWordBox, "&Whole word only"},
    {kDirectionGroup, "Direction"},
    {kUpButton, "&Up"},
    {kDownButton, "&Down"},
    {kFindButton, "&Find"},
    {kCancelButton, "Cancel"},
};

// Controls in tab order; each starts a group except the second radio item,
// so the arrow keys move only between Up and Down, and Tab enters the pair at
// the chosen one. Places and texts are set when the dialog starts.
TDialogTemplate BuildTemplate() {
  TDialogTemplate form(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0);
  const DWORD group = WS_VISIBLE | WS_GROUP;
  form.AddControl("Static", kFindLabel, group | SS_LEFT | SS_CENTERIMAGE, 0, 0, 0, 0);
  form.AddControl("Edit", kFindTextField, group | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                  WS_EX_CLIENTEDGE);
  form.AddControl("Button", kMatchCaseBox, group | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0);
  form.AddControl("Button", kWholeWordBox, group | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0);
  form.AddControl("Button", kDirectionGroup, group | BS_GROUPBOX, 0, 0, 0, 0);
  form.AddControl("Button", kUpButton, group | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, 0, 0, 0);
  form.AddControl("Button", kDownButton, WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 0, 0, 0);
  form.AddControl("Button", kFindButton, group | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0);
  form.AddControl("Button", kCancelButton, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0);
  return form;
}

} // namespace

TStrFindDialog::TStrFindDialog(HINSTANCE instance) : Instance(instance), Layout(BuildTemplate()) {}

void TStrFindDialog::SetOptions(const TSearchOptions& options) {
  CurrentOptions = options;
  if (Handle != nullptr) ShowControls();
}

bool TStrFindDialog::Execute(HWND owner, const std::string& selectedText) {
  PrepareShow(selectedText);
  try {
    return Run(owner, Layout, Instance) == IDOK;
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
  const auto item = [this](WORD id) { return GetDlgItem(Handle, id); };
  FindTextField.Handle = item(kFindTextField);
  MatchCaseBox.Handle = item(kMatchCaseBox);
  WholeWordBox.Handle = item(kWholeWordBox);
  DirectionGroup.Handle = item(kDirectionGroup);
  DirectionGroup.Items = {TCheckBox(item(kUpButton)), TCheckBox(item(kDownButton))};

  SetWindowTextA(Handle, "Find");
  for (const auto& caption : kCaptions) SetDlgItemTextA(Handle, caption.Id, caption.Caption);
  // A find text typed or pasted is not cut at an edit box's default limit.
  FindTextField.Send(EM_LIMITTEXT, 0);
  ShowControls();

  // The find box takes the focus with its whole text selected, so typing
  // replaces the proposed text.
  SendMessageA(Handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(FindTextField.Handle), TRUE);
  FindTextField.SelectAll();
}

SIZE TStrFindDialog::LayOut(int dpi) { return PlaceDesign(kPlaces, kClientSize, dpi); }

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
  if (control != nullptr)
    SendMessageA(Handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  const char* text = control != nullptr && control == FindTextField.Handle
                         ? "Set the text to find."
                         : "Set the proper value.";
  const std::string caption = TControl(Owner != nullptr ? Owner : Handle).GetText();
  MessageBoxA(Handle, text, caption.c_str(), MB_OK | MB_ICONHAND | MB_SETFOREGROUND);
}
