#include "enterdialog.h"

#include "win/controls.h"

namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kEntryId = 101;

// The design, in pixels at 120 dpi.
constexpr SIZE kClientSize{376, 144};
constexpr TDesignPlace kPlaces[] = {
    {kPromptId, 8, 8, 361, 49},
    {kEntryId, 8, 64, 361, 23},
    {IDOK, 88, 104, 97, 33},
    {IDCANCEL, 192, 104, 97, 33},
};

} // namespace

// The structure is built once; the places are set in pixels when the dialog
// starts, so the template's own units play no part.
TEnterDialog::TEnterDialog(HINSTANCE instance)
    : Instance(instance), Layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0) {
  Layout.AddControl("Static", kPromptId, WS_VISIBLE | SS_LEFT, 0, 0, 0, 0);
  Layout.AddControl("Edit", kEntryId, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                    WS_EX_CLIENTEDGE);
  Layout.AddControl("Button", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0);
  Layout.AddControl("Button", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0);
}

bool TEnterDialog::Execute(HWND owner, const std::string& caption, const std::string& prompt,
                           std::string& text) {
  Caption = caption;
  Prompt = prompt;
  Entry = text;
  if (Run(owner, Layout, Instance) != IDOK) return false;
  text = Entry;
  return true;
}

void TEnterDialog::OnInit() {
  SetWindowTextA(Handle, Caption.c_str());
  SetDlgItemTextA(Handle, kPromptId, Prompt.c_str());
  SetDlgItemTextA(Handle, kEntryId, Entry.c_str());
  SetDlgItemTextA(Handle, IDOK, "OK");
  SetDlgItemTextA(Handle, IDCANCEL, "Cancel");
  // Focusing the edit through the dialog manager selects its whole text, so
  // typing replaces the proposed value.
  SendMessageA(Handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(Handle, kEntryId)), TRUE);
}

SIZE TEnterDialog::LayOut(int dpi) { return PlaceDesign(kPlaces, kClientSize, dpi); }

bool TEnterDialog::OnOk() {
  Entry = TControl(GetDlgItem(Handle, kEntryId)).GetText();
  return true;
}
