#include "enterdialog.h"

#include "win/fonts.h"
#include "win/dpi.h"

namespace {

constexpr WORD Label1Id = 100;
constexpr WORD Edit1Id = 101;

// The form in pixels at 120 dpi.
struct TDesignRect {
  int Left, Top, Width, Height;
};
constexpr int ClientWidth = 376;
constexpr int ClientHeight = 144;
constexpr int FontHeight = 15;
constexpr TDesignRect Label1Bounds{8, 8, 361, 49};
constexpr TDesignRect Edit1Bounds{8, 64, 361, 23};
constexpr TDesignRect Button1Bounds{88, 104, 97, 33};
constexpr TDesignRect Button2Bounds{192, 104, 97, 33};

void Place(HWND control, const TDesignRect& bounds, int dpi) {
  MoveWindow(control, ScaleDesign(bounds.Left, dpi), ScaleDesign(bounds.Top, dpi),
             ScaleDesign(bounds.Width, dpi), ScaleDesign(bounds.Height, dpi), FALSE);
}

std::string ControlText(HWND control) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  const int copied = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

} // namespace

// The structure is built once; the places are set in pixels when the dialog
// starts, so the template's own units play no part.
TEnterDialog::TEnterDialog(HINSTANCE instance)
    : Instance(instance), Layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0) {
  Layout.AddControl("Static", Label1Id, WS_VISIBLE | SS_LEFT, 0, 0, 0, 0);
  Layout.AddControl("Edit", Edit1Id, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                    WS_EX_CLIENTEDGE);
  Layout.AddControl("Button", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0);
  Layout.AddControl("Button", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0);
}

TEnterDialog::~TEnterDialog() {
  if (Font != nullptr) DeleteObject(Font);
}

bool TEnterDialog::Execute(HWND owner, const std::string& caption, const std::string& prompt,
                           std::string& text) {
  Caption = caption;
  Prompt = prompt;
  Entry = text;
  // Sized for the monitor the owner is on; the font is made anew only when
  // that has another density than last time.
  const int dpi = WindowDpi(owner);
  if (Font == nullptr || dpi != Dpi) {
    LOGFONTA font{};
    font.lfHeight = -ScaleDesign(FontHeight, dpi);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, DefaultFontFace().c_str(), LF_FACESIZE);
    if (Font != nullptr) DeleteObject(Font);
    Font = CreateFontIndirectA(&font);
    Dpi = dpi;
  }
  if (Run(owner, Layout, Instance) != IDOK) return false;
  text = Entry;
  return true;
}

INT_PTR TEnterDialog::Message(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
  case WM_INITDIALOG:
    return FormShow();
  case WM_COMMAND:
    if (LOWORD(wParam) == IDOK) Button1Click();
    if (LOWORD(wParam) == IDCANCEL) EndDialog(Handle, IDCANCEL);
    return TRUE;
  default:
    return FALSE;
  }
}

BOOL TEnterDialog::FormShow() {
  SetWindowTextA(Handle, Caption.c_str());
  const struct {
    WORD Id;
    const TDesignRect& Bounds;
    const char* Text;
  } controls[] = {{Label1Id, Label1Bounds, Prompt.c_str()},
                  {Edit1Id, Edit1Bounds, Entry.c_str()},
                  {IDOK, Button1Bounds, "OK"},
                  {IDCANCEL, Button2Bounds, "Cancel"}};
  for (const auto& control : controls) {
    const HWND window = GetDlgItem(Handle, control.Id);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
    SetWindowTextA(window, control.Text);
    Place(window, control.Bounds, Dpi);
  }

  // Centred on the screen on every show.
  RECT frame{0, 0, ScaleDesign(ClientWidth, Dpi), ScaleDesign(ClientHeight, Dpi)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(Handle, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(Handle, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(Handle, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);

  // Focusing the edit through the dialog manager selects its whole text, so
  // typing replaces the proposed value.
  SendMessageA(Handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(Handle, Edit1Id)), TRUE);
  return FALSE;
}

void TEnterDialog::Button1Click() {
  Entry = ControlText(GetDlgItem(Handle, Edit1Id));
  EndDialog(Handle, IDOK);
}
