#include "mainform.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include <commctrl.h>

#include "appconst.h"
#include "commands.h"
#include "exam/examlog.h"
#include "failure.h"
#include "win/fonts.h"
#include "win/dpi.h"
#include "win/syserror.h"
#include "win/windowobject.h"
#include "util/textutil.h"

namespace {

constexpr const char* kClassName = "TesmoMainForm";
enum TControlId { idStatusBar = 10, idToolBar, idLabel1, idEdit1, idLabel2, idEdit2, idMemo1 };

} // namespace

bool TMainForm::RegisterClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.hIconSm = windowClass.hIcon;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

TMainForm::TMainForm(HINSTANCE instance, std::vector<std::string> arguments)
    : OpenDialog1(TFileDialog::fdOpen, "Open",
                  "Text files (*.txt)|*.txt|CSV files (*.csv)|*.csv|All files (*.*)|*.*"),
      SaveDialog1(TFileDialog::fdSave, "Save Log", "Text files (*.txt)|*.txt|All files (*.*)|*.*",
                  "txt"),
      Instance(instance), Arguments(std::move(arguments)) {
  if (!CreateWindowExA(0, kClassName, "MainForm", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                       instance, this))
    RaiseLastError("The main window cannot be created.");
  try {
    CreateControls();
    EnterDialog = std::make_unique<TEnterDialog>(instance);
    StrFindDialog = std::make_unique<TStrFindDialog>(instance);
    FileName.clear();
    History = std::make_unique<THistory>();
    Exam = std::make_unique<TExam>();
    SearchOptions = TSearchOptions();
    ViewOptions = TViewOptions();
    ExamOptions = TExamOptions();
    FileDialogs = std::make_unique<TFileDialogs>();
    Run = std::make_unique<TExamRun>(*Exam, *this);
    TitleText = AppTitle;
    IdleInstalled = true;
    Window.SetText(AppTitle);
    DragAcceptFiles(Window.Handle, TRUE);
    Memo1Change();
    UpdateTitle();
    History->SetCount(HistorySlots);
    UpdateHistoryMenu();
    UpdateCommands();
    UpdateFindCommands();
    ApplyViewOptions();
    ApplyExamOptions();
    FileDialogs->Register(0, OpenDialog1);
    FileDialogs->Register(1, SaveDialog1);
    LoadSettings();
    SetStatus("Ready");
  } catch (...) {
    DestroyWindow(Window.Handle);
    throw;
  }
}

TMainForm::~TMainForm() {
  FileDialogs.reset();
  Run.reset();
  Exam.reset();
  History.reset();
  if (Window.Handle != nullptr) DestroyWindow(Window.Handle);
  if (Accelerators != nullptr) DestroyAcceleratorTable(Accelerators);
  if (ImageList1 != nullptr) ImageList_Destroy(ImageList1);
  if (WindowFont != nullptr) DeleteObject(WindowFont);
  if (FieldFont != nullptr) DeleteObject(FieldFont);
  if (SmallIcon != nullptr) DestroyIcon(SmallIcon);
  if (LargeIcon != nullptr) DestroyIcon(LargeIcon);
}

int TMainForm::Scale(int designPixels) const { return ScaleDesign(designPixels, Dpi); }

void TMainForm::CreateControls() {
  // The density of the monitor the window was made on; WM_DPICHANGED tells
  // of any other.
  Dpi = WindowDpi(Window.Handle);
  WindowFont = CreateDefaultFont(9, Dpi);
  SetWindowIcons();

  const auto child = [this](const char* className, DWORD style, int id, DWORD exStyle = 0) {
    HWND handle = CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                  Window.Handle, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  Instance, nullptr);
    if (handle == nullptr) RaiseLastError("A control of the main window cannot be created.");
    SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont), FALSE);
    return handle;
  };
  StatusBar1.Handle = child(STATUSCLASSNAMEA, SBARS_SIZEGRIP, idStatusBar);
  StatusBar1.MakeOnePart();
  CreateToolBar();
  // Created in tab order; a label comes right before the field its mnemonic
  // focuses.
  Label1.Handle = child("STATIC", SS_LEFT | SS_CENTERIMAGE, idLabel1);
  Label1.SetText("&Question:");
  Edit1.Handle =
      child("EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, idEdit1, WS_EX_CLIENTEDGE);
  Label2.Handle = child("STATIC", SS_LEFT | SS_CENTERIMAGE, idLabel2);
  Label2.SetText("&Answer:");
  Edit2.Handle =
      child("EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, idEdit2, WS_EX_CLIENTEDGE);
  SetWindowSubclass(Edit2.Handle, FieldProc, idEdit2, reinterpret_cast<DWORD_PTR>(this));
  Memo1.Handle =
      child("EDIT",
            WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
            idMemo1, WS_EX_CLIENTEDGE);
  // No limit: a long run's log must never be cut.
  Memo1.Send(EM_SETLIMITTEXT, 0);
  CreateMainMenu();
}

void TMainForm::LayoutControls() {
  // A minimized window has no room: laid out there, the log would wrap its
  // whole text to nothing, and again on restoring.
  if (IsIconic(Window.Handle)) return;
  RECT client;
  GetClientRect(Window.Handle, &client);
  // The bars' own visibility, which holds before the window is first shown.
  const auto shown = [](const TControl& bar) {
    return (GetWindowLongA(bar.Handle, GWL_STYLE) & WS_VISIBLE) != 0;
  };
  if (shown(StatusBar1)) {
    StatusBar1.Send(WM_SIZE);
    RECT bar;
    GetWindowRect(StatusBar1.Handle, &bar);
    client.bottom -= bar.bottom - bar.top;
  }
  if (shown(ToolBar1)) {
    ToolBar1.Send(TB_AUTOSIZE);
    RECT bar;
    GetWindowRect(ToolBar1.Handle, &bar);
    client.top += bar.bottom - bar.top;
  }
  // Panel1 is what is left; Panel2 holds the fields above or below Panel3,
  // which the log fills.
  RECT panel2 = client, panel3 = client;
  const int fieldsHeight = std::min<int>(Scale(73), std::max<int>(0, client.bottom - client.top));
  if (ViewOptions.SwapPanels) {
    panel2.top = client.bottom - fieldsHeight;
    panel3.bottom = panel2.top;
  } else {
    panel2.bottom = client.top + fieldsHeight;
    panel3.top = panel2.bottom;
  }
  const auto at = [&](int left, int top, int width, int height) {
    return RECT{panel2.left + Scale(left), panel2.top + Scale(top),
                panel2.left + Scale(left) + Scale(width), panel2.top + Scale(top) + Scale(height)};
  };
  // Drawn anew where they land: the old picture may hold a taller toolbar's
  // pixels, which the system would otherwise copy along with them.
  const auto place = [](const TControl& control, const RECT& r) {
    SetWindowPos(control.Handle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  };
  place(Label1, at(8, 8, 89, 25));
  place(Label2, at(8, 40, 89, 25));
  // The fields stretch with the window, keeping their right margin.
  const int right = std::max<int>(panel2.right - Scale(8), panel2.left + Scale(104) + 1);
  RECT edit1 = at(104, 8, 489, 23), edit2 = at(103, 40, 489, 23);
  edit1.right = right;
  edit2.right = right;
  place(Edit1, edit1);
  place(Edit2, edit2);
  place(Memo1, panel3);
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
          if (id != idEdit2) break;
          TKeyCode key = static_cast<TKeyCode>(wParam);
          TShiftState shift = 0;
          if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
          if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
          if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
          form->Edit2KeyDown(key, shift);
          if (key == 0) {
            // Consumed: the character Enter would make is dropped too, so
            // the field neither beeps nor takes it.
            MSG pending;
            PeekMessageA(&pending, edit, WM_CHAR, WM_CHAR, PM_REMOVE);
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
    // The dialog keys of the window ask for this as a dialog would: a label's
    // mnemonic moves to the field after the label.
    if (LOWORD(lParam))
      FocusDialogControl(reinterpret_cast<HWND>(wParam));
    else if (HWND next = GetNextDlgTabItem(Window.Handle, GetFocus(), wParam != 0))
      FocusDialogControl(next);
    return 0;
  case WM_DPICHANGED:
    WMDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return 0;
  case WM_DROPFILES:
    WMDropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
  case WM_SHOWWINDOW:
    if (wParam && lParam == 0) FormShow();
    break;
  case WM_ACTIVATE:
    // Give the focus back to the control that had it.
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = GetFocus();
      if (focus != nullptr && IsChild(Window.Handle, focus)) FocusBeforeDeactivation = focus;
    } else if (FocusBeforeDeactivation != nullptr && IsWindow(FocusBeforeDeactivation)) {
      ::SetFocus(FocusBeforeDeactivation);
      return 0;
    }
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
    // The process ends after this without a close.
    if (wParam) SaveSettingsSilently();
    return 0;
  case WM_DESTROY:
    DragAcceptFiles(Window.Handle, FALSE);
    ReleaseWindowObject(Window.Handle);
    Window.Handle = nullptr;
    if (QuitOnDestroy) PostQuitMessage(0);
    return 0;
  default:
    break;
  }
  return DefWindowProcA(Window.Handle, message, wParam, lParam);
}

void TMainForm::WMCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const auto sender = reinterpret_cast<HWND>(lParam);
  if (sender == nullptr) {
    ClickMenuItem(id); // the menu or a shortcut
  } else if (sender == ToolBar1.Handle) {
    ToolButtonClick(id);
  } else if (sender == Memo1.Handle && HIWORD(wParam) == EN_CHANGE) {
    if (!AppendingLog) LogEndKnown = false; // the user typed into the log
    Memo1Change();
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
  if (Accelerators != nullptr && TranslateAcceleratorA(Window.Handle, Accelerators, &message))
    return true;
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && MoveFocus(message.hwnd))
    return true;
  return IsDialogMessageA(Window.Handle, &message) != 0;
}

// Tab and Shift+Tab go round the three fields, the log included: a multi-line
// edit would otherwise keep the Tab for itself.
bool TMainForm::MoveFocus(HWND from) {
  if (GetKeyState(VK_CONTROL) < 0) return false;
  const HWND fields[] = {Edit1.Handle, Edit2.Handle, Memo1.Handle};
  for (int i = 0; i < 3; ++i)
    if (fields[i] == from) {
      const int step = GetKeyState(VK_SHIFT) < 0 ? 2 : 1;
      ::SetFocus(fields[(i + step) % 3]);
      return true;
    }
  return false;
}

void TMainForm::ApplicationIdle(bool& done) {
  done = true;
  if (!IdleInstalled) return;
  IdleInstalled = false;
  OpenCommandLineFiles();
}

void TMainForm::FormShow() {
  Edit1.SetFocus();
  FocusBeforeDeactivation = Edit1.Handle;
}

void TMainForm::FormCloseQuery(bool& canClose) {
  canClose = Run->ConfirmQuitExam();
  if (canClose) SaveSettings();
}

void TMainForm::ReplaceLogText(const std::string& text) {
  PendingLog.clear();
  Memo1.SetText(text);
  LogEndsEmpty = logpane::LastLineEmpty(text);
  LogEndKnown = true;
}

void TMainForm::AppendLogLine(std::string_view line) {
  if (!LogEndKnown) {
    LogEndsEmpty = logpane::LastLineEmpty(Memo1.GetText());
    LogEndKnown = true;
  }
  // The lines of one block reach the control together (FlushLog): each
  // insertion costs the control a repaint, whatever its length.
  PendingLog += logpane::LineInsertion(line, LogEndsEmpty);
  LogEndsEmpty = true;
}

void TMainForm::FlushLog() {
  if (PendingLog.empty()) return;
  // Taken out first: the control's change notice comes back here.
  const std::string lines = std::move(PendingLog);
  PendingLog.clear();
  AppendingLog = true;
  // The caret goes to the end without asking for the text's length, which
  // the control may have to count from the start every time.
  Memo1.SetSel(0x7FFFFFFF, 0x7FFFFFFF);
  Memo1.ReplaceSel(lines.c_str());
  AppendingLog = false;
}

bool TMainForm::LogHoldsLine() const {
  if (!PendingLog.empty()) return true;
  // From the control's own line figures, which it keeps: more than one line,
  // or a first line that is not empty.
  return Memo1.Send(EM_GETLINECOUNT) > 1 || Memo1.Send(EM_LINELENGTH, 0) > 0;
}
