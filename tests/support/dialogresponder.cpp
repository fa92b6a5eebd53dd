#include "dialogresponder.h"

#include <stdexcept>

#include <dlgs.h>
#include <gtest/gtest.h>

namespace {

constexpr const char* AnsweredProperty = "TesmoTestAnswered";
// The fallback looks this often; a dialog the hook saw is looked for at once.
constexpr UINT SlowInterval = 50;
constexpr UINT FastInterval = USER_TIMER_MINIMUM;
// An answered dialog still open this long would hang the test.
constexpr DWORD StillOpenLimit = 5000;

thread_local TDialogResponder* activeResponder = nullptr;

std::string ClassName(HWND window) {
  char name[64] = {0};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool IsDialog(HWND window) { return ClassName(window) == "#32770"; }

std::string SystemErrorText(DWORD code) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = text != nullptr ? text : "error " + std::to_string(code);
  LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

std::string Quoted(const TDialogSeen& seen) {
  return "the dialog \"" + seen.Caption + "\" saying \"" + seen.Text + "\"";
}

std::string IconName(HICON icon) {
  if (icon == nullptr) return "";
  const std::pair<LPCSTR, const char*> known[] = {{IDI_WARNING, "warning"},
                                                  {IDI_ERROR, "error"},
                                                  {IDI_INFORMATION, "information"},
                                                  {IDI_QUESTION, "question"}};
  for (const auto& [id, name] : known)
    if (LoadIconA(nullptr, id) == icon) return name;
  return "other";
}

struct TChildren {
  std::vector<HWND> Buttons;
  TDialogSeen* Seen;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
  auto* children = reinterpret_cast<TChildren*>(data);
  if (!IsWindowVisible(child)) return TRUE;
  const std::string kind = ClassName(child);
  if (_stricmp(kind.c_str(), "Button") == 0) {
    children->Buttons.push_back(child);
  } else if (_stricmp(kind.c_str(), "Static") == 0) {
    const LONG type = GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
    if (type == SS_ICON) {
      if (children->Seen->Icon.empty())
        children->Seen->Icon =
            IconName(reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)));
    } else if (type <= SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP) {
      const std::string text = WindowText(child);
      if (!text.empty()) children->Seen->Text += (children->Seen->Text.empty() ? "" : "\n") + text;
    }
  }
  return TRUE;
}

std::vector<HWND> VisibleButtons(HWND dialog, TDialogSeen& seen) {
  TChildren children{{}, &seen};
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children.Buttons;
}

// A modal dialog disables its owner; a dialog whose owner is still enabled
// is modeless and none of the responder's business.
bool IsModal(HWND window) {
  const HWND owner = GetWindow(window, GW_OWNER);
  return owner == nullptr || !IsWindowEnabled(owner);
}

bool IsUnanswered(HWND window) {
  return IsDialog(window) && GetPropA(window, AnsweredProperty) == nullptr && IsModal(window);
}

bool IsWaitingForAnswer(HWND window) {
  return IsUnanswered(window) && IsWindowVisible(window) && IsWindowEnabled(window);
}

BOOL CALLBACK CollectWaiting(HWND window, LPARAM data) {
  if (IsWaitingForAnswer(window)) reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

BOOL CALLBACK NoteUnanswered(HWND window, LPARAM data) {
  if (IsUnanswered(window)) *reinterpret_cast<bool*>(data) = true;
  return TRUE;
}

bool HasFocusIn(HWND dialog) {
  const HWND focus = GetFocus();
  return IsWindow(dialog) && focus != nullptr && (focus == dialog || IsChild(dialog, focus));
}

void DeliverToFocus(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // Once the dialog has ended, the focus may be back in the test's own
  // windows, which must not receive the rest of the keystroke.
  if (!HasFocusIn(dialog)) return;
  MSG msg{GetFocus(), message, wParam, lParam, GetTickCount(), {}};
  if (!IsDialogMessageA(dialog, &msg)) DispatchMessageA(&msg);
}

// A key sent to a dialog without the focus would go nowhere.
bool CheckFocusIn(HWND dialog) {
  if (HasFocusIn(dialog)) return true;
  ADD_FAILURE() << "No control of " << Quoted(DescribeDialog(dialog))
                << " has the focus to take a key";
  return false;
}

} // namespace

std::string WindowText(HWND window) {
  char text[4096] = {0};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TDialogSeen DescribeDialog(HWND dialog) {
  TDialogSeen seen{WindowText(dialog), "", {}, ""};
  for (HWND button : VisibleButtons(dialog, seen)) seen.Buttons.push_back(WindowText(button));
  return seen;
}

HWND FindButton(HWND dialog, std::string_view caption) {
  TDialogSeen ignored;
  for (HWND button : VisibleButtons(dialog, ignored))
    if (WindowText(button) == caption) return button;
  return nullptr;
}

bool ClickButton(HWND dialog, std::string_view caption) {
  const HWND button = FindButton(dialog, caption);
  if (button == nullptr) {
    const TDialogSeen seen = DescribeDialog(dialog);
    std::string buttons;
    for (const std::string& shown : seen.Buttons) buttons += (buttons.empty() ? "" : ", ") + shown;
    ADD_FAILURE() << "No button \"" << caption << "\" in " << Quoted(seen)
                  << "; its buttons: " << buttons;
    return false;
  }
  if (!IsWindowEnabled(button)) {
    ADD_FAILURE() << "The button \"" << caption << "\" is disabled in "
                  << Quoted(DescribeDialog(dialog));
    return false;
  }
  SendMessageA(button, BM_CLICK, 0, 0);
  return true;
}

void PressKey(HWND dialog, WORD key) {
  if (!CheckFocusIn(dialog)) return;
  DeliverToFocus(dialog, WM_KEYDOWN, key, 1);
  DeliverToFocus(dialog, WM_KEYUP, key, 0xC0000001);
}

void TypeText(HWND dialog, std::string_view text) {
  if (!CheckFocusIn(dialog)) return;
  for (char c : text) DeliverToFocus(dialog, WM_CHAR, static_cast<unsigned char>(c), 1);
}

bool CloseCommandEnabled(HWND dialog) {
  const UINT state = GetMenuState(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void PressCloseBox(HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

void CancelDialog(HWND dialog) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  // Ending a dialog hides it; one that refuses Cancel is ended regardless.
  if (IsWindow(dialog) && IsWindowVisible(dialog)) EndDialog(dialog, IDCANCEL);
}

TDialogResponder::TDialogResponder() {
  if (activeResponder != nullptr)
    throw std::logic_error("A dialog responder is already answering on this thread");
  Hook = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
  if (Hook == nullptr)
    throw std::runtime_error("The dialog responder cannot hook the thread: " +
                             SystemErrorText(GetLastError()));
  SlowTimer = SetTimer(nullptr, 0, SlowInterval, TimerProc);
  if (SlowTimer == 0) {
    const DWORD error = GetLastError();
    UnhookWindowsHookEx(Hook);
    throw std::runtime_error("The dialog responder cannot set its timer: " +
                             SystemErrorText(error));
  }
  activeResponder = this;
}

TDialogResponder::~TDialogResponder() {
  activeResponder = nullptr;
  if (FastTimer != 0) KillTimer(nullptr, FastTimer);
  KillTimer(nullptr, SlowTimer);
  UnhookWindowsHookEx(Hook);
  for (const TAnswer& answer : Answers)
    ADD_FAILURE() << "No dialog came for the queued answer " << answer.Description;
}

void TDialogResponder::Press(const std::string& buttonCaption) {
  Answers.push_back({"Press(\"" + buttonCaption + "\")",
                     [buttonCaption](HWND dialog) { return ClickButton(dialog, buttonCaption); }});
}

void TDialogResponder::Handle(std::function<void(HWND dialog)> action) {
  Answers.push_back({"Handle(...)", [action = std::move(action)](HWND dialog) {
                       action(dialog);
                       return true;
                     }});
}

void TDialogResponder::ChooseFile(const std::string& path) {
  std::wstring wide(path.size(), L'\0');
  wide.resize(
      static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                              wide.data(), static_cast<int>(wide.size()))));
  ChooseFile(wide);
}

// Typed as a user types it: the name as Windows keeps it, whatever the code page.
void TDialogResponder::ChooseFile(const std::wstring& wide) {
  std::string path(wide.size() * 4, '\0');
  path.resize(static_cast<size_t>(
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), path.data(),
                          static_cast<int>(path.size()), nullptr, nullptr)));
  Answers.push_back({"ChooseFile(\"" + path + "\")", [wide, path](HWND dialog) {
                       HWND box = GetDlgItem(dialog, cmb13);
                       if (box == nullptr) box = GetDlgItem(dialog, edt1);
                       const HWND ok = GetDlgItem(dialog, IDOK);
                       if (box == nullptr || ok == nullptr) {
                         ADD_FAILURE() << "Not a file dialog: " << Quoted(DescribeDialog(dialog));
                         return false;
                       }
                       SetWindowTextW(box, wide.c_str());
                       if (!IsWindowEnabled(ok)) {
                         ADD_FAILURE() << "OK is disabled in " << Quoted(DescribeDialog(dialog));
                         return false;
                       }
                       SendMessageA(ok, BM_CLICK, 0, 0);
                       // The dialog ends within the click unless it refused the
                       // name (or a prompt about it was answered No).
                       if (IsWindow(dialog) && IsWindowVisible(dialog)) {
                         ADD_FAILURE() << "The file dialog \"" << WindowText(dialog)
                                       << "\" did not take \"" << path << "\"";
                         return false;
                       }
                       return true;
                     }});
}

LRESULT CALLBACK TDialogResponder::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if ((code == HCBT_CREATEWND || code == HCBT_ACTIVATE) && activeResponder != nullptr &&
      IsDialog(reinterpret_cast<HWND>(wParam)))
    activeResponder->LookSoon();
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TDialogResponder::LookSoon() {
  if (FastTimer == 0) FastTimer = SetTimer(nullptr, 0, FastInterval, TimerProc);
}

void CALLBACK TDialogResponder::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  TDialogResponder* responder = activeResponder;
  if (responder == nullptr) return;
  if (id == responder->FastTimer) {
    // A dialog is shown the first time its modal loop finds the queue empty,
    // so the fast look goes on until nothing is left to answer.
    bool waiting = false;
    EnumThreadWindows(GetCurrentThreadId(), NoteUnanswered, reinterpret_cast<LPARAM>(&waiting));
    if (!waiting) {
      KillTimer(nullptr, responder->FastTimer);
      responder->FastTimer = 0;
    }
  }
  responder->Scan();
}

void TDialogResponder::Scan() {
  std::vector<HWND> waiting;
  EnumThreadWindows(GetCurrentThreadId(), CollectWaiting, reinterpret_cast<LPARAM>(&waiting));
  for (HWND dialog : waiting)
    // An earlier answer in this pass may have ended or disabled it.
    if (IsWindow(dialog) && IsWaitingForAnswer(dialog)) Answer(dialog);
  CheckStillOpen();
}

void TDialogResponder::Answer(HWND dialog) {
  // Marked first: the answer may open a nested dialog, whose modal loop runs
  // this timer again before the answer returns.
  SetPropA(dialog, AnsweredProperty, reinterpret_cast<HANDLE>(1));
  Answered.push_back({dialog, GetTickCount()});
  const TDialogSeen seen = DescribeDialog(dialog);
  SeenDialogs.push_back(seen);

  if (Answers.empty()) {
    ++UnexpectedCount;
    ADD_FAILURE() << "No answer was queued for " << Quoted(seen) << "; it is cancelled";
    CancelDialog(dialog);
    return;
  }
  const TAnswer answer = std::move(Answers.front());
  Answers.erase(Answers.begin());
  bool answered = false;
  try {
    answered = answer.Action(dialog);
  } catch (const std::exception& error) {
    ADD_FAILURE() << answer.Description << " threw \"" << error.what() << "\" in " << Quoted(seen);
  } catch (...) {
    ADD_FAILURE() << answer.Description << " threw in " << Quoted(seen);
  }
  if (!answered) {
    ++UnexpectedCount;
    if (IsWindow(dialog) && IsWindowVisible(dialog)) CancelDialog(dialog);
  }
}

void TDialogResponder::CheckStillOpen() {
  const DWORD now = GetTickCount();
  for (size_t i = 0; i < Answered.size();) {
    const HWND dialog = Answered[i].Dialog;
    if (!IsWindow(dialog) || GetPropA(dialog, AnsweredProperty) == nullptr ||
        !IsWindowVisible(dialog)) {
      Answered.erase(Answered.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    // A disabled dialog waits for a dialog of its own.
    if (IsWindowEnabled(dialog) && now - Answered[i].Time > StillOpenLimit) {
      ++UnexpectedCount;
      ADD_FAILURE() << "The answer left " << Quoted(DescribeDialog(dialog))
                    << " open; it is cancelled";
      Answered.erase(Answered.begin() + static_cast<std::ptrdiff_t>(i));
      CancelDialog(dialog);
      continue;
    }
    ++i;
  }
}
