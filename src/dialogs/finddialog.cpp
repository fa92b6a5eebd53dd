#include "finddialog.h"

#include <exception>
#include <stdexcept>

#include "app/appconst.h"
#include "app/failure.h"
#include "win/dpi.h"

namespace {

enum : WORD {
  kLabel1 = 100,
  kEdit1,
  kCheckBox1,
  kCheckBox2,
  kRadioGroup1,
  kRadioUp,
  kRadioDown,
  kButton1 = IDOK,
  kButton2 = IDCANCEL,
};

// The design, in pixels at 120 dpi.
constexpr int kClientWidth = 480;
constexpr int kClientHeight = 104;
constexpr int kFontHeight = 15;

struct TPlace {
  WORD Id;
  int Left, Top, Width, Height;
};

// The radio items sit in two columns inside the group box, below its caption.
constexpr TPlace kPlaces[] = {
    {kLabel1, 8, 8, 97, 25},       {kEdit1, 112, 8, 249, 23},        {kCheckBox1, 8, 40, 177, 25},
    {kCheckBox2, 8, 72, 177, 25},  {kRadioGroup1, 192, 40, 169, 57}, {kRadioUp, 200, 65, 77, 25},
    {kRadioDown, 279, 65, 77, 25}, {kButton1, 376, 8, 97, 33},       {kButton2, 376, 48, 97, 33},
};

// The shell's user-interface face at the design's height.
HFONT CreateDefaultFont(int dpi) {
  LOGFONTA font{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfHeight = -ScaleDesign(kFontHeight, dpi);
  font.lfWidth = 0;
  return CreateFontIndirectA(&font);
}

// Controls in tab order; each starts a group except the second radio item,
// so the arrow keys move only between Up and Down, and Tab enters the pair at
// the chosen one. Places and texts are set when the dialog starts.
TDialogTemplate BuildTemplate() {
  TDialogTemplate form(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0);
  const DWORD group = WS_VISIBLE | WS_GROUP;
  form.AddControl("Static", kLabel1, group | SS_LEFT | SS_CENTERIMAGE, 0, 0, 0, 0);
  form.AddControl("Edit", kEdit1, group | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                  WS_EX_CLIENTEDGE);
  form.AddControl("Button", kCheckBox1, group | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0);
  form.AddControl("Button", kCheckBox2, group | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0);
  form.AddControl("Button", kRadioGroup1, group | BS_GROUPBOX, 0, 0, 0, 0);
  form.AddControl("Button", kRadioUp, group | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, 0, 0, 0);
  form.AddControl("Button", kRadioDown, WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 0, 0, 0);
  form.AddControl("Button", kButton1, group | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0);
  form.AddControl("Button", kButton2, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0);
  return form;
}

} // namespace

TStrFindDialog::TStrFindDialog(HINSTANCE instance)
    : Instance(instance), Template(BuildTemplate()) {}

TStrFindDialog::~TStrFindDialog() {
  if (Font != nullptr) DeleteObject(Font);
}

void TStrFindDialog::SetOptions(const TSearchOptions& options) {
  CurrentOptions = options;
  if (Dialog.Handle != nullptr) ShowControls();
}

bool TStrFindDialog::Execute(HWND owner, const std::string& selectedText) {
  PrepareShow(selectedText);
  Owner = owner;
  const INT_PTR result = DialogBoxIndirectParamA(Instance, Template.Get(), owner, DialogProc,
                                                 reinterpret_cast<LPARAM>(this));
  Owner = nullptr;
  if (Font != nullptr) DeleteObject(Font);
  Font = nullptr;
  if (result != IDOK && result != IDCANCEL) {
    // The window never came up, so nothing closed it: undo the proposal.
    RestoreOptions();
    throw std::runtime_error("The Find dialog cannot be shown.");
  }
  return result == IDOK;
}

void TStrFindDialog::PrepareShow(const std::string& selectedText) {
  SavedOptions = CurrentOptions;
  if (selectedText.empty()) return;
  TSearchOptions proposed = CurrentOptions;
  proposed.FindText = selectedText;
  SetOptions(proposed);
}

void TStrFindDialog::RestoreOptions() { SetOptions(SavedOptions); }

INT_PTR CALLBACK TStrFindDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  auto* form = reinterpret_cast<TStrFindDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (form == nullptr) return FALSE;
  // No exception may cross back into the system.
  try {
    if (message == WM_INITDIALOG) {
      form->FormCreate(dialog);
      form->FormShow();
      return FALSE; // the focus is set
    }
    return form->Dispatch(message, wParam, lParam);
  } catch (const std::exception& failure) {
    ShowGeneralFailure(dialog, failure.what());
  } catch (...) {
    ShowGeneralFailure(dialog, UnexpectedFailureText);
  }
  return TRUE;
}

INT_PTR TStrFindDialog::Dispatch(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
  case WM_COMMAND:
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL:
      Close(LOWORD(wParam));
      return TRUE;
    }
    return FALSE;
  case WM_CLOSE: // the close box and the system menu's Close
    Close(IDCANCEL);
    return TRUE;
  case WM_DESTROY:
    FormDestroy();
    return TRUE;
  default:
    return FALSE;
  }
}

void TStrFindDialog::FormCreate(HWND dialog) {
  Dialog.Handle = dialog;
  const auto item = [dialog](WORD id) { return GetDlgItem(dialog, id); };
  Label1.Handle = item(kLabel1);
  Edit1.Handle = item(kEdit1);
  CheckBox1.Handle = item(kCheckBox1);
  CheckBox2.Handle = item(kCheckBox2);
  RadioGroup1.Handle = item(kRadioGroup1);
  RadioGroup1.Items = {TCheckBox(item(kRadioUp)), TCheckBox(item(kRadioDown))};
  Button1.Handle = item(kButton1);
  Button2.Handle = item(kButton2);

  Dialog.SetText("Find");
  Label1.SetText("Fi&nd:");
  CheckBox1.SetText("&Match case");
  CheckBox2.SetText("&Whole word only");
  RadioGroup1.SetText("Direction");
  RadioGroup1.Items[0].SetText("&Up");
  RadioGroup1.Items[1].SetText("&Down");
  Button1.SetText("&Find");
  Button2.SetText("Cancel");
  // A find text typed or pasted is not cut at an edit box's default limit.
  Edit1.Send(EM_LIMITTEXT, 0);

  PlaceControls();
  ShowControls();
}

void TStrFindDialog::PlaceControls() {
  // Sized for the monitor the owner is on.
  const int dpi = WindowDpi(Owner);
  const auto scale = [dpi](int pixels) { return ScaleDesign(pixels, dpi); };
  if (Font == nullptr) Font = CreateDefaultFont(dpi);
  for (const TPlace& place : kPlaces) {
    const HWND control = GetDlgItem(Dialog.Handle, place.Id);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
    MoveWindow(control, scale(place.Left), scale(place.Top), scale(place.Width),
               scale(place.Height), FALSE);
  }
  RECT frame{0, 0, scale(kClientWidth), scale(kClientHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(Dialog.Handle, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(Dialog.Handle, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(Dialog.Handle, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TStrFindDialog::ShowControls() {
  Edit1.SetText(CurrentOptions.FindText);
  CheckBox1.SetChecked(CurrentOptions.MatchCase);
  CheckBox2.SetChecked(CurrentOptions.WholeWord);
  RadioGroup1.SetItemIndex(CurrentOptions.Down ? 1 : 0);
}

// The find box takes the focus with its whole text selected, so typing
// replaces the proposed text.
void TStrFindDialog::FormShow() {
  Dialog.Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Edit1.Handle), TRUE);
  Edit1.Send(EM_SETSEL, 0, -1);
}

// The window is gone; the options stay for the next show.
void TStrFindDialog::FormDestroy() {
  Dialog.Handle = Label1.Handle = Edit1.Handle = CheckBox1.Handle = CheckBox2.Handle =
      RadioGroup1.Handle = Button1.Handle = Button2.Handle = nullptr;
  RadioGroup1.Items.clear();
}

void TStrFindDialog::Close(int modalResult) {
  if (FormCloseQuery(modalResult)) EndDialog(Dialog.Handle, modalResult);
}

// Cancel, Escape and the close box put back what the dialog showed before;
// Find closes only on valid input.
bool TStrFindDialog::FormCloseQuery(int modalResult) {
  if (modalResult != IDOK) {
    RestoreOptions();
    return true;
  }
  return ReadControls();
}

bool TStrFindDialog::ReadControls() {
  try {
    TSearchOptions options;
    options.FindText = Edit1.GetText(); // not trimmed: spaces are a find text too
    if (options.FindText.empty()) {
      ShowInputError(Edit1.Handle);
      return false;
    }
    options.MatchCase = CheckBox1.GetChecked();
    options.WholeWord = CheckBox2.GetChecked();
    options.Down = RadioGroup1.GetItemIndex() == 1;
    SetOptions(options);
    return true;
  } catch (...) {
    ShowInputError(nullptr);
    return false;
  }
}

// Moves the focus to the control at fault, if any, and says what is wrong.
// The caption is the application's title, which the owner always carries.
void TStrFindDialog::ShowInputError(HWND control) {
  if (control != nullptr) Dialog.Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  const char* text = control != nullptr && control == Edit1.Handle ? "Set the text to find."
                                                                   : "Set the proper value.";
  const std::string caption = Owner != nullptr ? TControl(Owner).GetText() : AppTitle;
  MessageBoxA(Dialog.Handle, text, caption.c_str(), MB_OK | MB_ICONHAND | MB_SETFOREGROUND);
}
