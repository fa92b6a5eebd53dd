#include "modaldialog.h"

#include <utility>

#include "controls.h"
#include "dialogtemplate.h"
#include "dpi.h"
#include "fonts.h"
#include "syserror.h"
#include "windowobject.h"

RECT MonitorWorkArea(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  const HMONITOR monitor = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                                             : MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
  if (GetMonitorInfoA(monitor, &info)) return info.rcWork;
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

TWorkAreaOf WorkAreaOf = MonitorWorkArea;

namespace {

// Newer than some headers: sent before a move to a screen of another dpi
// (Windows 10 from 1703).
constexpr UINT kGetDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE
// Posted to itself when first shown.
constexpr UINT kShownNote = WM_APP + 1;

// The dialog manager would lay a dialog out again in its template's font when
// it crosses to a screen of another dpi (Windows 10 from 1703); the dialog
// does that itself, from its design.
void TakeOverDpiChanges(HWND dialog) {
  using TSetBehavior = BOOL(WINAPI*)(HWND, int, int);
  static const auto set = User32Function<TSetBehavior>("SetDialogDpiChangeBehavior");
  constexpr int kDisableAll = 1; // DDC_DISABLE_ALL
  if (set != nullptr) set(dialog, kDisableAll, kDisableAll);
}

// The id of each control of a design, in its order.
WORD IdOf(std::span<const TDialogControl> controls, size_t index) {
  return controls[index].Id != 0 ? controls[index].Id : static_cast<WORD>(100 + index);
}

// The structure only: the places are set in pixels as the dialog starts, so
// the template's own units play no part, and the texts stay bytes of the code
// page rather than pass through the template's wide characters.
TDialogTemplate TemplateOf(const TDialogDesign& design) {
  TDialogTemplate layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0);
  for (size_t i = 0; i < design.Controls.size(); ++i) {
    const TDialogControl& control = design.Controls[i];
    layout.AddControl(control.Class, IdOf(design.Controls, i), WS_VISIBLE | control.Style, 0, 0, 0,
                      0, control.ExStyle);
  }
  return layout;
}

} // namespace

INT_PTR TModalDialog::Run(HWND owner, const TDialogDesign& design, HINSTANCE instance) {
  const TDialogTemplate layout = TemplateOf(design);
  Design = &design;
  Failure = nullptr;
  Owner = owner;
  Dpi = WindowDpi(owner);
  SetLastError(0);
  const INT_PTR result =
      DialogBoxIndirectParamA(instance != nullptr ? instance : GetModuleHandleA(nullptr),
                              layout.Get(), owner, Proc, reinterpret_cast<LPARAM>(this));
  const DWORD error = GetLastError();
  Handle = nullptr;
  Design = nullptr;
  if (Failure) std::rethrow_exception(std::exchange(Failure, nullptr));
  if (result == -1) {
    SetLastError(error);
    CannotShow();
  }
  return result;
}

void TModalDialog::CannotShow() const { RaiseLastError("The dialog cannot be shown."); }

INT_PTR CALLBACK TModalDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<TModalDialog>(dialog, message, lParam);
  if (self == nullptr || self->Failure) return FALSE;
  if (message == WM_INITDIALOG) self->Handle = dialog;
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    self->Failure = std::current_exception();
    EndDialog(dialog, 0);
    return TRUE;
  }
}

INT_PTR TModalDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    Open();
    return FALSE; // OnInit set the focus
  case WM_COMMAND: {
    const WORD id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) {
      if (id == IDOK ? OnOk() : OnCancel()) EndDialog(Handle, id);
    } else {
      OnCommand(id, HIWORD(wParam));
    }
    return TRUE;
  }
  case WM_CLOSE: // the close box, the system menu's Close and Alt+F4
    if (OnClose()) EndDialog(Handle, IDCANCEL);
    return TRUE;
  case WM_DPICHANGED:
    DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return TRUE;
  case kGetDpiScaledSize:
    // The answer goes back through the dialog's message result.
    SetWindowLongPtrA(Handle, DWLP_MSGRESULT,
                      ScaledSize(static_cast<int>(wParam), *reinterpret_cast<SIZE*>(lParam)));
    return TRUE;
  case WM_SHOWWINDOW:
    // Noted once the show is over, after what the system sends during it.
    if (wParam && !Shown) PostMessageA(Handle, kShownNote, 0, 0);
    return FALSE;
  case kShownNote:
    Shown = true;
    return TRUE;
  default:
    return FALSE;
  }
}

// The dialog is made at its owner's place, which may lie on another screen
// than the one the owner mostly covers; centred there, it may change dpi on
// the way, and is then laid out and centred once more at the dpi it has.
void TModalDialog::Open() {
  TakeOverDpiChanges(Handle);
  Bind();
  OnInit();
  Shown = false;
  Opening = true;
  for (int round = 0; round < 2; ++round) {
    Centre();
    const int now = WindowDpi(Handle);
    if (now == Dpi) break;
    Dpi = now;
  }
  Opening = false;
}

// Laid out at the dialog's dpi, centred on the owner's screen's work area.
void TModalDialog::Centre() {
  const SIZE frame = FrameSize(LayOut(Dpi), Dpi);
  const RECT area = WorkAreaOf(Owner);
  const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
  const bool halfEach = Centring == TCentring::HalfEach;
  const int left = halfEach ? areaWidth / 2 - frame.cx / 2 : (areaWidth - frame.cx) / 2;
  const int top = halfEach ? areaHeight / 2 - frame.cy / 2 : (areaHeight - frame.cy) / 2;
  SetWindowPos(Handle, nullptr, area.left + left, area.top + top, frame.cx, frame.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moved to a screen of another dpi, or the scale changed: the design is laid
// out again for it where the system proposes, sized for its contents. While
// the dialog opens, Open places it; a change that comes as the dialog is
// first shown (the system may tell only then) finds it still to be centred
// on its owner's screen, at the dpi the change gives.
void TModalDialog::DpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0 || Opening) return;
  Dpi = dpi;
  if (!Shown) {
    Centre();
  } else {
    const SIZE frame = FrameSize(LayOut(dpi), dpi);
    SetWindowPos(Handle, nullptr, suggested.left, suggested.top, frame.cx, frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(Handle, nullptr, TRUE);
}

// Asked before a crossing to a screen of another dpi: the frame the dialog
// will take there, so that the rectangle the system then proposes is the one
// it takes. The system's own guess scales the frame in proportion, which
// caption and borders do not follow; by that guess a dialog dragged over the
// edge could land back on the old screen and flip between the two, or jump
// away from the cursor. The layout is the dialog's one measure: it is laid
// out at the new dpi and back, and nothing is drawn in between.
bool TModalDialog::ScaledSize(int dpi, SIZE& size) {
  if (dpi <= 0) return false;
  size = FrameSize(LayOut(dpi), dpi);
  LayOut(Dpi);
  return true;
}

// The frame around a client area at the dialog's dpi: the caption and the
// borders of a screen of 150 % are not those of the screen the session
// started on.
SIZE TModalDialog::FrameSize(SIZE client, int dpi) const {
  using TAdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = User32Function<TAdjustForDpi>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, client.cx, client.cy};
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(Handle, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(Handle, GWL_EXSTYLE));
  if (adjustForDpi == nullptr ||
      !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

// The design's controls to their wrappers, with their captions.
void TModalDialog::Bind() {
  if (Design->Caption != nullptr) SetWindowTextA(Handle, Design->Caption);
  for (size_t i = 0; i < Design->Controls.size(); ++i) {
    const TDialogControl& control = Design->Controls[i];
    const HWND live = Item(IdOf(Design->Controls, i));
    if (control.Bind != nullptr) *control.Bind = live;
    if (control.Caption != nullptr) SetWindowTextA(live, control.Caption);
  }
}

std::string TModalDialog::ItemText(WORD id) const { return TControl(Item(id)).GetText(); }

SIZE TModalDialog::LayOut(int dpi) {
  // The font the controls had goes only once none of them holds it.
  TFontHandle previous;
  if (!Font || dpi != FontDpi) {
    previous = std::move(Font);
    Font.Reset(CreateWindowFont(dpi));
    FontDpi = dpi;
  }
  const auto scale = [dpi](int pixels) { return ScaleDesign(pixels, dpi); };
  for (size_t i = 0; i < Design->Controls.size(); ++i) {
    const TDesignPlace& place = Design->Controls[i].Place;
    const HWND control = Item(IdOf(Design->Controls, i));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Get()), FALSE);
    const int left = scale(place.Left), top = scale(place.Top);
    Place(control, {left, top, left + scale(place.Width), top + scale(place.Height)});
  }
  return {scale(Design->Client.cx), scale(Design->Client.cy)};
}
