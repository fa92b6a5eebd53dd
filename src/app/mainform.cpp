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
enum TControlId {
  idStatusBar = 10,
  idToolBar,
  idQuestionLabel,
  idQuestionField,
  idAnswerLabel,
  idAnswerField,
  idLog
};

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
    : OpenDialog(TFileDialog::fdOpen, "Open",
                 "Text files (*.txt)|*.txt|CSV files (*.csv)|*.csv|All files (*.*)|*.*"),
      SaveLogDialog(TFileDialog::fdSave, "Save Log", "Text files (*.txt)|*.txt|All files (*.*)|*.*",
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
    Run = std::make_unique<TExamRun>(*Exam, *this);
    TitleText = AppTitle;
    IdleInstalled = true;
    Window.SetText(AppTitle);
    DragAcceptFiles(Window.Handle, TRUE);
    LogChanged();
    UpdateTitle();
    History->SetCount(HistorySlots);
    UpdateHistoryMenu();
    UpdateCommands();
    UpdateFindCommands();
    ApplyViewOptions();
    ApplyExamOptions();
    LoadSettings();
    SetStatus("Ready");
  } catch (...) {
    DestroyWindow(Window.Handle);
    throw;
  }
}

TMainForm::~TMainForm() {
  Run.reset();
  Exam.reset();
  History.reset();
  if (Window.Handle != nullptr) DestroyWindow(Window.Handle);
  if (Accelerators != nullptr) DestroyAcceleratorTable(Accelerators);
  if (ToolBarImages != nullptr) ImageList_Destroy(ToolBarImages);
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
  StatusBar.Handle = child(STATUSCLASSNAMEA, SBARS_SIZEGRIP, idStatusBar);
  StatusBar.MakeOnePart();
  CreateToolBar();
  // Created in tab order; a label comes right before the field its mnemonic
  // focuses.
  QuestionLabel.Handle = child("STATIC", SS_LEFT | SS_CENTERIMAGE, idQuestionLabel);
  QuestionLabel.SetText("&Question:");
  QuestionField.Handle =
      child("EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, idQuestionField, WS_EX_CLIENTEDGE);
  AnswerLabel.Handle = child("STATIC", SS_LEFT | SS_CENTERIMAGE, idAnswerLabel);
  AnswerLabel.SetText("&Answer:");
  AnswerField.Handle =
      child("EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, idAnswerField, WS_EX_CLIENTEDGE);
  SetWindowSubclass(AnswerField.Handle, FieldProc, idAnswerField,
                    reinterpret_cast<DWORD_PTR>(this));
  Log.Handle =
      child("EDIT",
            WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
            idLog, WS_EX_CLIENTEDGE);
  // No limit: a long run's log must never be cut.
  Log.Send(EM_SETLIMITTEXT, 0);
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
  place(Log, logArea);
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
          if (id != idAnswerField) break;
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
    if (!wParam) return 0;
    // The process ends after this without a close. An installer's Restart
    // Manager asks the program alone to end: it closes without a question, which
    // would hold the installer up until it killed the program.
    SaveSettingsSilently();
    if (lParam & ENDSESSION_CLOSEAPP) DestroyWindow(Window.Handle);
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
  } else if (sender == ToolBar.Handle) {
    ToolButtonClick(id);
  } else if (sender == Log.Handle && HIWORD(wParam) == EN_CHANGE) {
    if (!AppendingLog) LogEndKnown = false; // the user typed into the log
    LogChanged();
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
  if (Accelerators != nullptr && TranslateAcceleratorW(Window.Handle, Accelerators, &message))
    return true;
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && MoveFocus(message.hwnd))
    return true;
  return IsDialogMessageW(Window.Handle, &message) != 0;
}

// Tab and Shift+Tab go round the three fields, the log included: a multi-line
// edit would otherwise keep the Tab for itself.
bool TMainForm::MoveFocus(HWND from) {
  if (GetKeyState(VK_CONTROL) < 0) return false;
  const HWND fields[] = {QuestionField.Handle, AnswerField.Handle, Log.Handle};
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
  OpenCommandLineFiles();
}

void TMainForm::FormShow() {
  QuestionField.SetFocus();
  FocusBeforeDeactivation = QuestionField.Handle;
}

void TMainForm::FormCloseQuery(bool& canClose) {
  canClose = Run->ConfirmQuitExam();
  if (canClose) SaveSettings();
}

void TMainForm::ReplaceLogText(const std::string& text) {
  PendingLog.clear();
  Log.SetText(text);
  LogEndsEmpty = logpane::LastLineEmpty(text);
  LogEndKnown = true;
}

void TMainForm::AppendLogLine(std::string_view line) {
  if (!LogEndKnown) {
    LogEndsEmpty = logpane::LastLineEmpty(Log.GetText());
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
  Log.SetSel(0x7FFFFFFF, 0x7FFFFFFF);
  Log.ReplaceSel(lines.c_str());
  AppendingLog = false;
}

bool TMainForm::LogHoldsLine() const {
  if (!PendingLog.empty()) return true;
  // From the control's own line figures, which it keeps: more than one line,
  // or a first line that is not empty.
  return Log.Send(EM_GETLINECOUNT) > 1 || Log.Send(EM_LINELENGTH, 0) > 0;
}
