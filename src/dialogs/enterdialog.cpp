#include "enterdialog.h"

TEnterDialog::TEnterDialog(HINSTANCE instance) : Instance(instance) {
  // The design, in pixels at 120 dpi; the prompt and the entry are the call's.
  // clang-format off
  Controls = {{
    {.Class = "Static", .Style = SS_LEFT,                         .Place = {8, 8, 361, 49},                                                       .Bind = &Prompt.Handle},
    {.Class = "Edit",   .Style = WS_TABSTOP | ES_AUTOHSCROLL,     .Place = {8, 64, 361, 23},                      .ExStyle = WS_EX_CLIENTEDGE,   .Bind = &EntryField.Handle},
    {.Class = "Button", .Style = WS_TABSTOP | BS_DEFPUSHBUTTON,   .Place = {88, 104, 97, 33},  .Caption = "OK",     .Id = IDOK},
    {.Class = "Button", .Style = WS_TABSTOP | BS_PUSHBUTTON,      .Place = {192, 104, 97, 33}, .Caption = "Cancel", .Id = IDCANCEL},
  }};
  // clang-format on
}

bool TEnterDialog::Execute(HWND owner, const std::string& caption, const std::string& prompt,
                           std::string& text) {
  Caption = caption;
  PromptText = prompt;
  Entry = text;
  if (Run(owner, {nullptr, {376, 144}, Controls}, Instance) != IDOK) return false;
  text = Entry;
  return true;
}

void TEnterDialog::OnInit() {
  SetWindowTextA(Handle, Caption.c_str());
  Prompt.SetText(PromptText);
  EntryField.SetText(Entry);
  // Focusing the edit through the dialog manager selects its whole text, so
  // typing replaces the proposed value.
  FocusControl(EntryField.Handle);
}

bool TEnterDialog::OnOk() {
  Entry = EntryField.GetText();
  return true;
}
