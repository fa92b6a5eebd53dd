#include "mainform.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include <commctrl.h>

#include "appconst.h"
#include "commands.h"
#include "exam/examlog.h"
#include "failure.h"
#include "resource.h"
#include "util/textutil.h"
#include "win/dpi.h"
#include "win/fonts.h"
#include "win/syserror.h"
#include "win/windowobject.h"

namespace {

constexpr const char* kClassName = "TesmoMainForm";
// The controls' ids, in tab order.
constexpr int kStatusBarId = 10;
constexpr int kQuestionLabelId = 12;
constexpr int kQuestionFieldId = 13;
constexpr int kAnswerLabelId = 14;
constexpr int kAnswerFieldId = 15;
constexpr int kLogId = 16;

} // namespace

bool TMainForm::RegisterClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TESMO));
  windowClass.hIconSm = windowClass.hIcon;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

TMainForm::TMainForm(HINSTANCE instance, std::vector<std::wstring> arguments)
    : Instance(instance), Arguments(std::move(arguments)),
      OpenDialog(TFileDialog::fdOpen, "Open",
                 "Text files (*.txt)|*.txt|CSV files (*.csv)|*.csv|All files (*.*)|*.*"),
      SaveLogDialog(TFileDialog::fdSave, "Save Log", "Text files (*.txt)|*.txt|All files (*.*)|*.*",
                    "txt"),
      Run(Exam, *this), EnterDialog(instance), StrFindDialog(instance) {
  History.SetCount(kHistorySlots);
  LogPane.OnChange = [this] { RefreshCommands(); };
}

TMainForm::~TMainForm() {
  if (Window.Handle != nullptr) DestroyWindow(Window.Handle);
}

void TMainForm::Create() {
  if (!CreateWindowExA(0, kClassName, "MainForm", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                       Instance, this))
    RaiseLastError("The main window cannot be created.");
  try {
    CreateControls();
    TitleText = kAppTitle;
    IdleInstalled = true;
    Window.SetText(kAppTitle);
    DragAcceptFiles(Window.Handle, TRUE);
    UpdateTitle();
    UpdateHistoryMenu();
    ApplyViewOptions();
    RefreshCommands();
    LoadSettings();
    SetStatus("Ready");
    Created = true;
  } catch (...) {
    DestroyWindow(Window.Handle);
    throw;
  }
}

int TMainForm::Scale(int designPixels) const { return ScaleDesign(designPixels, Dpi); }

void TMainForm::CreateControls() {
  // The density of the monitor the window was made on; WM_DPICHANGED tells
  // of any other.
  Dpi = WindowDpi(Window.Handle);
  WindowFont.Reset(CreateDefaultFont(9, Dpi));
  SetWindowIcons();

  const auto made = [this](HWND handle) {
    if (handle == nullptr) RaiseLastError("A control of the main window cannot be created.");
    SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont.Get()), FALSE);
    return handle;
  };
  const auto child = [&](const char* className, DWORD style, int id, DWORD exStyle = 0) {
    return made(CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                Window.Handle, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                Instance, nullptr));
  };
  const auto wideChild = [&](const wchar_t* className, DWORD style, int id, DWORD exStyle) {
    return made(CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                Window.Handle, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                Instance, nullptr));
  };
  StatusBar.Handle = child(STATUSCLASSNAMEA, SBARS_SIZEGRIP, kStatusBarId);
  StatusBar.MakeOnePart();
  CreateToolBar();
  // Created in tab order; a label comes right before the field its mnemonic
  // focuses.
  QuestionLabel.Handle = child("STATIC", SS_LEFT | SS_CENTERIMAGE, kQuestionLabelId);
  QuestionLabel.SetText("&Question:");
  QuestionField.Handle =
      child("EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, kQuestionFieldId, WS_EX_CLIENTEDGE);
  AnswerLabel.Handle = child("STATIC", SS_LEFT | SS_CENTERIMAGE, kAnswerLabelId);
  AnswerLabel.SetText("&Answer:");
  AnswerField.Handle =
      child("EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, kAnswerFieldId, WS_EX_CLIENTEDGE);
  SetWindowSubclass(AnswerField.Handle, FieldProc, kAnswerFieldId,
                    reinterpret_cast<DWORD_PTR>(this));
  // A window of the wide calls, as the edit control is inside: the pane's
  // own handling of its messages then passes what the user types on whole,
  // where through the code page a double-byte character would arrive as two
  // bytes of no character each.
  LogPane.Attach(wideChild(L"EDIT",
                           WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                               ES_NOHIDESEL,
                           kLogId, WS_EX_CLIENTEDGE));
  // No limit: a long run's log must never be cut.
  LogPane.Control().Send(EM_SETLIMITTEXT, 0);
  CreateMainMenu();
  NameControls();
}

// The names a screen reader gives the fields: the labels' captions, whose
// colon and mnemonic would be read too, and the log, which has no label.
void TMainForm::NameControls() {
  Accessibility.Attach(Window.Handle, QuestionField.Handle);
  Accessibility.SetName(QuestionField.Handle, L"Question");
  Accessibility.SetName(AnswerField.Handle, L"Answer");
  Accessibility.SetName(LogPane.Control().Handle, L"Log");
}

// Where the system has no notifications, the question field is read out as
// a live region when it shows a new question; the other texts are then in
// the log alone.
void TMainForm::Announce(TAnnouncement kind, const std::string& text) {
  constexpr const wchar_t* kActivities[] = {L"Tesmo.Question", L"Tesmo.Verdict", L"Tesmo.Results"};
  if (!Accessibility.Announce(WideText(text), kActivities[kind]) && kind == anQuestion)
    Accessibility.LiveRegionChanged();
}

// The client area left between the toolbar and the status bar.
RECT TMainForm::AreaBetweenBars() const {
  RECT client;
  GetClientRect(Window.Handle, &client);
  // The bars' own visibility, which holds before the window is first shown.
  const auto shown = [](const TControl& bar) {
    return (GetWindowLongA(bar.Handle, GWL_STYLE) & WS_VISIBLE) != 0;
  };
  if (shown(StatusBar)) {
    StatusBar.Send(WM_SIZE);
    RECT bar;
    GetWindowRect(StatusBar.Handle, &bar);
    client.bottom -= bar.bottom - bar.top;
  }
  if (shown(ToolBar)) {
    ToolBar.Send(TB_AUTOSIZE);
    RECT bar;
    GetWindowRect(ToolBar.Handle, &bar);
    client.top += bar.bottom - bar.top;
  }
  return client;
}

void TMainForm::LayoutControls() {
  // A minimized window has no room: laid out there, the log would wrap its
  // whole text to nothing, and again on restoring.
  if (IsIconic(Window.Handle)) return;
  const RECT client = AreaBetweenBars();
  // What is left holds the fields above or below the log, which fills the
  // rest.
  RECT fields = client, logArea = client;
  const int fieldsHeight = std::min<int>(Scale(73), std::max<int>(0, client.bottom - client.top));
  if (ViewOptions.SwapPanels) {
    fields.top = client.bottom - fieldsHeight;
    logArea.bottom = fields.top;
  } else {
    fields.bottom = client.top + fieldsHeight;
    logArea.top = fields.bottom;
  }
  const auto at = [&](int left, int top, int width, int height) {
    return RECT{fields.left + Scale(left), fields.top + Scale(top),
                fields.left + Scale(left) + Scale(width), fields.top + Scale(top) + Scale(height)};
  };
  // Drawn anew where they land: the old picture may hold a taller toolbar's
  // pixels, which the system would otherwise copy along with them.
  const auto place = [](const TControl& control, const RECT& r) {
    SetWindowPos(control.Handle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  };
  place(QuestionLabel, at(8, 8, 89, 25));
  place(AnswerLabel, at(8, 40, 89, 25));
  // The fields stretch with the window, keeping their right margin. The
  // answer field starts a pixel left of the question field, as designed.
  const int right = std::max<int>(fields.right - Scale(8), fields.left + Scale(104) + 1);
  RECT question = at(104, 8, 489, 23), answer = at(103, 40, 489, 23);
  question.right = right;
  answer.right = right;
  place(QuestionField, question);
  place(AnswerField, answer);
  place(LogPane.Control(), logArea);
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = WindowObject<TMainForm>(window, message, lParam);
  if (form == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCCREATE) form->Window.Handle = window;
  return Guarded(
      window, message, [&] { return form->Dispatch(message, wParam, lParam); },
      [&] { return DefWindowProcA(window, message, wParam, lParam); });
}

// The answer field keeps its Enter, which checks the answer; the log's Enter
// starts a line.
LRESULT CALLBACK TMainForm::FieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data) {
  auto* form = reinterpret_cast<TMainForm*>(data);
  return Guarded(
      form->Window.Handle, message,
      [&]() -> LRESULT {
        switch (message) {
        case WM_GETDLGCODE: {
          // Only here is lParam the key message asked about (or null); other
          // messages carry coordinates and the like in it.
          const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
          if (keyMessage != nullptr && keyMessage->message == WM_KEYDOWN &&
              keyMessage->wParam == VK_RETURN)
            return DefSubclassProc(edit, message, wParam, lParam) | DLGC_WANTALLKEYS;
          break;
        }
        case WM_KEYDOWN: {
          if (id != kAnswerFieldId) break;
          TKeyCode key = static_cast<TKeyCode>(wParam);
          form->AnswerKeyDown(key);
          if (key == 0) {
            // Consumed: the character Enter would make is dropped too, so
            // the field neither beeps nor takes it.
            MSG pending;
            PeekMessageW(&pending, edit, WM_CHAR, WM_CHAR, PM_REMOVE);
            return 0;
          }
          break;
        }
        default:
          break;
        }
        return DefSubclassProc(edit, message, wParam, lParam);
      },
      [] { return LRESULT{0}; });
}

LRESULT TMainForm::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SIZE:
    LayoutControls();
    return 0;
  case WM_COMMAND:
    WMCommand(wParam, lParam);
    return 0;
  case WM_NOTIFY:
    return WMNotify(reinterpret_cast<NMHDR*>(lParam));
  case WM_NEXTDLGCTL:
    WMNextDlgCtl(wParam, lParam);
    return 0;
  case WM_DPICHANGED:
    WMDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return 0;
  case WM_SYSCOLORCHANGE:
  case WM_THEMECHANGED:
    WMThemeChanged(message, wParam, lParam);
    break;
  case WM_SETTINGCHANGE:
    if (wParam == SPI_SETHIGHCONTRAST) WMThemeChanged(message, wParam, lParam);
    break;
  case WM_GETOBJECT:
    Accessibility.ClientAsked();
    break;
  case WM_DROPFILES:
    WMDropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
  case WM_SHOWWINDOW:
    if (wParam && lParam == 0) FormShow();
    break;
  case WM_ENTERSIZEMOVE: // the user places the window now
    KeepingSavedPlace = false;
    break;
  case WM_ACTIVATE:
    if (WMActivate(LOWORD(wParam))) return 0;
    break;
  case WM_CLOSE: {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose) DestroyWindow(Window.Handle);
    return 0;
  }
  case WM_QUERYENDSESSION:
    return TRUE; // a run in progress is no reason to keep the session
  case WM_ENDSESSION:
    if (wParam) WMEndSession(lParam);
    return 0;
  case WM_DESTROY:
    WMDestroy();
    return 0;
  default:
    break;
  }
  return DefWindowProcA(Window.Handle, message, wParam, lParam);
}

// The dialog keys of the window ask for this as a dialog would: a label's
// mnemonic moves to the field after the label.
void TMainForm::WMNextDlgCtl(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(lParam))
    FocusDialogControl(reinterpret_cast<HWND>(wParam));
  else if (HWND next = GetNextDlgTabItem(Window.Handle, GetFocus(), wParam != 0))
    FocusDialogControl(next);
}

// The focus goes back to the control that had it; true when it was given.
bool TMainForm::WMActivate(WORD state) {
  if (state == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(Window.Handle, focus)) FocusBeforeDeactivation = focus;
    return false;
  }
  if (FocusBeforeDeactivation == nullptr || !IsWindow(FocusBeforeDeactivation)) return false;
  ::SetFocus(FocusBeforeDeactivation);
  return true;
}

// The process ends after this without a close. An installer's Restart
// Manager asks the program alone to end: it closes without a question, which
// would hold the installer up until it killed the program.
void TMainForm::WMEndSession(LPARAM reasons) {
  // During the start the settings are not yet all read: nothing is written.
  if (Created) SaveSettingsSilently();
  if (reasons & ENDSESSION_CLOSEAPP) DestroyWindow(Window.Handle);
}

void TMainForm::WMDestroy() {
  DragAcceptFiles(Window.Handle, FALSE);
  ReleaseWindowObject(Window.Handle);
  Window.Handle = nullptr;
  if (QuitOnDestroy) PostQuitMessage(0);
}

void TMainForm::WMCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const auto sender = reinterpret_cast<HWND>(lParam);
  if (sender == nullptr) {
    ClickMenuItem(id); // the menu or a shortcut
  } else if (sender == ToolBar.Handle) {
    ToolButtonClick(id);
  } else if (sender == LogPane.Control().Handle && HIWORD(wParam) == EN_CHANGE) {
    LogPane.ControlChanged();
  }
}

// As a dialog does: an edit control reached by the keyboard has its text
// selected whole.
void TMainForm::FocusDialogControl(HWND control) {
  ::SetFocus(control);
  if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageA(control, EM_SETSEL, 0, -1);
}

bool TMainForm::PreTranslateMessage(MSG& message) {
  if (Window.Handle == nullptr) return false;
  if (Accelerators && TranslateAcceleratorW(Window.Handle, Accelerators.Get(), &message))
    return true;
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && MoveFocus(message.hwnd))
    return true;
  return IsDialogMessageW(Window.Handle, &message) != 0;
}

// Tab and Shift+Tab go round the three fields, the log included: a multi-line
// edit would otherwise keep the Tab for itself.
bool TMainForm::MoveFocus(HWND from) {
  if (GetKeyState(VK_CONTROL) < 0) return false;
  const HWND fields[] = {QuestionField.Handle, AnswerField.Handle, LogPane.Control().Handle};
  for (int i = 0; i < 3; ++i)
    if (fields[i] == from) {
      const int step = GetKeyState(VK_SHIFT) < 0 ? 2 : 1;
      ::SetFocus(fields[(i + step) % 3]);
      return true;
    }
  return false;
}

void TMainForm::ApplicationIdle() {
  if (!IdleInstalled) return;
  IdleInstalled = false;
  // The window has been shown: a saved place need be held no longer than its
  // screen's dpi change.
  FirstShowOver = true;
  SettleSavedPlace();
  OpenCommandLineFiles();
}

void TMainForm::FormShow() {
  QuestionField.SetFocus();
  FocusBeforeDeactivation = QuestionField.Handle;
}

void TMainForm::FormCloseQuery(bool& canClose) {
  canClose = Run.ConfirmQuitExam();
  if (canClose) SaveSettings();
}
