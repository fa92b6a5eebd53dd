#include "enterdialog.h"

#include "win/controls.h"
#include "win/dpi.h"

namespace {

constexpr WORD PromptId = 100;
constexpr WORD EntryId = 101;

// The design, in pixels at 120 dpi.
constexpr SIZE ClientSize{376, 144};
constexpr TDesignPlace Places[] = {
    {PromptId, 8, 8, 361, 49},
    {EntryId, 8, 64, 361, 23},
    {IDOK, 88, 104, 97, 33},
    {IDCANCEL, 192, 104, 97, 33},
};

} // namespace

// The structure is built once; the places are set in pixels when the dialog
// starts, so the template's own units play no part.
TEnterDialog::TEnterDialog(HINSTANCE instance)
    : Instance(instance), Layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0) {
  Layout.AddControl("Static", PromptId, WS_VISIBLE | SS_LEFT, 0, 0, 0, 0);
  Layout.AddControl("Edit", EntryId, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                    WS_EX_CLIENTEDGE);
  Layout.AddControl("Button", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0);
  Layout.AddControl("Button", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0);
}

bool TEnterDialog::Execute(HWND owner, const std::string& caption, const std::string& prompt,
                           std::string& text) {
  Caption = caption;
  Prompt = prompt;
  Entry = text;
  // Sized for the monitor the owner is on.
  Dpi = WindowDpi(owner);
  if (Run(owner, Layout, Instance) != IDOK) return false;
  text = Entry;
  return true;
}

INT_PTR TEnterDialog::Message(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
  case WM_INITDIALOG:
    return FormShow();
  case WM_COMMAND:
    if (LOWORD(wParam) == IDOK) OkClick();
    if (LOWORD(wParam) == IDCANCEL) EndDialog(Handle, IDCANCEL);
    return TRUE;
  default:
    return FALSE;
  }
}

BOOL TEnterDialog::FormShow() {
  SetWindowTextA(Handle, Caption.c_str());
  SetDlgItemTextA(Handle, PromptId, Prompt.c_str());
  SetDlgItemTextA(Handle, EntryId, Entry.c_str());
  SetDlgItemTextA(Handle, IDOK, "OK");
  SetDlgItemTextA(Handle, IDCANCEL, "Cancel");
  // Centred on the screen on every show.
  PlaceDesign(Places, ClientSize, Dpi);

  // Focusing the edit through the dialog manager selects its whole text, so
  // typing replaces the proposed value.
  SendMessageA(Handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(Handle, EntryId)), TRUE);
  return FALSE;
}

void TEnterDialog::OkClick() {
  Entry = TControl(GetDlgItem(Handle, EntryId)).GetText();
  EndDialog(Handle, IDOK);
}
