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
// The controls' ids, in tab order; the drill's fields take 12 to 15.
constexpr int kStatusBarId = 10;
constexpr int kLogId = 16;

// The client area left between the toolbar and the status bar.
RECT AreaBetweenBars(HWND window, const TControl& statusBar, const TControl& toolBar) {
  RECT client;
  GetClientRect(window, &client);
  // The bars' own visibility, which holds before the window is first shown.
  const auto shown = [](const TControl& bar) {
    return (GetWindowLongA(bar.Handle, GWL_STYLE) & WS_VISIBLE) != 0;
  };
  if (shown(statusBar)) {
    statusBar.Send(WM_SIZE);
    RECT bar;
    GetWindowRect(statusBar.Handle, &bar);
    client.bottom -= bar.bottom - bar.top;
  }
  if (shown(toolBar)) {
    toolBar.Send(TB_AUTOSIZE);
    RECT bar;
    GetWindowRect(toolBar.Handle, &bar);
    client.top += bar.bottom - bar.top;
  }
  return client;
}

// As a dialog does: an edit control reached by the keyboard has its text
// selected whole.
void FocusDialogControl(HWND control) {
  ::SetFocus(control);
  if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageA(control, EM_SETSEL, 0, -1);
}

// The dialog keys of the window ask for this as a dialog would: a label's
// mnemonic moves to the field after the label.
void NextDialogControl(HWND window, WPARAM wParam, LPARAM lParam) {
  if (LOWORD(lParam))
    FocusDialogControl(reinterpret_cast<HWND>(wParam));
  else if (HWND next = GetNextDlgTabItem(window, GetFocus(), wParam != 0))
    FocusDialogControl(next);
}

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
      FileDialogs{
          {TFileDialog::fdOpen, "Open",
           "Text files (*.txt)|*.txt|CSV files (*.csv)|*.csv|All files (*.*)|*.*"},
          {TFileDialog::fdSave, "Save Log", "Text files (*.txt)|*.txt|All files (*.*)|*.*", "txt"}},
      Run(Exam, *this), EnterDialog(instance), StrFindDialog(instance) {
  History.SetCount(kHistorySlots);
  LogPane.OnChange = [this] { UpdateCommands(); };
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
    IdleInstalled = true;
    Window.SetText(kAppTitle);
    DragAcceptFiles(Window.Handle, TRUE);
    UpdateHistoryMenu();
    ApplyViewOptions();
    UpdateCommands();
    LoadSettings();
    SetStatus("Ready");
    Created = true;
  } catch (...) {
    DestroyWindow(Window.Handle);
    throw;
  }
}

void TMainForm::CreateControls() {
  // The density of the monitor the window was made on; WM_DPICHANGED tells
  // of any other.
  Dpi = WindowDpi(Window.Handle);
  WindowFont.Reset(CreateDefaultFont(9, Dpi));
  Icons.Set(Window.Handle, Instance, MAKEINTRESOURCEA(IDI_TESMO), Dpi);

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
  // Created in tab order.
  CommandBar.CreateToolBar(Window.Handle, Instance, WindowFont.Get(), Dpi);
  DrillFields.Create(Window.Handle, Instance, WindowFont.Get(), Run);
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
  DrillFields.SetLog(LogPane.Control().Handle);
  CommandBar.CreateMenu();
}

void TMainForm::LayoutControls() {
  // A minimized window has no room: laid out there, the log would wrap its
  // whole text to nothing, and again on restoring.
  if (IsIconic(Window.Handle)) return;
  const RECT client = AreaBetweenBars(Window.Handle, StatusBar, CommandBar.ToolBar());
  // What is left holds the fields above or below the log, which fills the
  // rest.
  RECT fields = client, logArea = client;
  const int fieldsHeight =
      std::min<int>(ScaleDesign(73, Dpi), std::max<int>(0, client.bottom - client.top));
  if (ViewOptions.SwapPanels) {
    fields.top = client.bottom - fieldsHeight;
    logArea.bottom = fields.top;
  } else {
    fields.bottom = client.top + fieldsHeight;
    logArea.top = fields.bottom;
  }
  DrillFields.LayOut(fields, Dpi);
  LogPane.Control().Place(logArea);
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = WindowObject<TMainForm>(window, message, lParam);
  if (form == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCCREATE) form->Window.Handle = window;
  return Guarded(
      window, message, [&] { return form->Dispatch(message, wParam, lParam); },
      [&] { return DefWindowProcA(window, message, wParam, lParam); });
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
    CommandBar.Notify(reinterpret_cast<NMHDR*>(lParam));
    return 0;
  case WM_NEXTDLGCTL:
    NextDialogControl(Window.Handle, wParam, lParam);
    return 0;
  case WM_DPICHANGED:
    WMDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return 0;
  case WM_SYSCOLORCHANGE:
  case WM_THEMECHANGED:
  case WM_SETTINGCHANGE:
    // The common controls hear of a change of colours or of a contrast theme
    // only from their window.
    if (message == WM_SETTINGCHANGE && wParam != SPI_SETHIGHCONTRAST) break;
    if (message == WM_SYSCOLORCHANGE) StatusBar.Send(message, wParam, lParam);
    CommandBar.ThemeChanged(message, wParam, lParam);
    break;
  case WM_GETOBJECT:
    DrillFields.ClientAsked();
    break;
  case WM_DROPFILES:
    WMDropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
  case WM_SHOWWINDOW:
    if (wParam && lParam == 0) FormShow();
    break;
  case WM_ENTERSIZEMOVE: // the user places the window now
    SavedPlace.Release();
    break;
  case WM_ACTIVATE:
    if (DrillFields.Activated(LOWORD(wParam))) return 0;
    break;
  default:
    break;
  }
  return DispatchEnd(message, wParam, lParam);
}

// The window's end: asked to close, the session's end, destroyed.
LRESULT TMainForm::DispatchEnd(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CLOSE: {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose) DestroyWindow(Window.Handle);
    return 0;
  }
  case WM_QUERYENDSESSION:
    return TRUE; // a run in progress is no reason to keep the session
  case WM_ENDSESSION:
    // The process ends after this without a close. An installer's Restart
    // Manager asks the program alone to end: it closes without a question,
    // which would hold the installer up until it killed the program. During
    // the start the settings are not yet all read: nothing is written.
    if (wParam && Created) SaveSettings(true);
    if (wParam && (lParam & ENDSESSION_CLOSEAPP)) DestroyWindow(Window.Handle);
    return 0;
  case WM_DESTROY:
    DragAcceptFiles(Window.Handle, FALSE);
    ReleaseWindowObject(Window.Handle);
    Window.Handle = nullptr;
    if (QuitOnDestroy) PostQuitMessage(0);
    return 0;
  default:
    return DefWindowProcA(Window.Handle, message, wParam, lParam);
  }
}

void TMainForm::WMCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const auto sender = reinterpret_cast<HWND>(lParam);
  if (sender == nullptr) {
    ClickMenuItem(id); // the menu or a shortcut
  } else if (sender == CommandBar.ToolBar().Handle) {
    ClickMenuItem(id);
    CommandBar.ButtonClicked(id);
    UpdateCommands();
  } else if (sender == LogPane.Control().Handle && HIWORD(wParam) == EN_CHANGE) {
    LogPane.ControlChanged();
  }
}

bool TMainForm::PreTranslateMessage(MSG& message) {
  if (Window.Handle == nullptr) return false;
  if (CommandBar.TranslateShortcut(message)) return true;
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
      DrillFields.MoveFocus(message.hwnd))
    return true;
  return IsDialogMessageW(Window.Handle, &message) != 0;
}

void TMainForm::ApplicationIdle() {
  if (!IdleInstalled) return;
  IdleInstalled = false;
  // The window has been shown: a saved place need be held no longer than its
  // screen's dpi change.
  SavedPlace.Settle(Window.Handle, Dpi, true);
  // The command line's files; relative names are taken against the current
  // folder, in UTF-16 too.
  if (Arguments.empty()) return;
  std::vector<TCodePageName> names;
  for (const std::wstring& argument : Arguments) names.push_back(FullCodePageName(argument));
  OpenFileList(names);
}

void TMainForm::FormShow() { DrillFields.FocusFirst(); }

void TMainForm::FormCloseQuery(bool& canClose) {
  canClose = Run.ConfirmQuitExam();
  if (canClose) SaveSettings();
}
