#include "dialogresponder.h"

#include <cstring>

namespace {

thread_local TDialogResponder* activeResponder = nullptr;

std::string WindowText(HWND window) {
  char text[4096] = {0};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassName(HWND window) {
  char name[64] = {0};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct TChildren {
  std::vector<HWND> Buttons;
  std::string Text;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
  auto* children = reinterpret_cast<TChildren*>(data);
  const std::string kind = ClassName(child);
  if (_stricmp(kind.c_str(), "Button") == 0) {
    children->Buttons.push_back(child);
  } else if (_stricmp(kind.c_str(), "Static") == 0) {
    const std::string text = WindowText(child);
    if (!text.empty()) children->Text += (children->Text.empty() ? "" : "\n") + text;
  }
  return TRUE;
}

} // namespace

TDialogResponder::TDialogResponder() {
  activeResponder = this;
  Hook = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

TDialogResponder::~TDialogResponder() {
  if (Hook != nullptr) UnhookWindowsHookEx(Hook);
  activeResponder = nullptr;
}

void TDialogResponder::Press(const std::string& buttonCaption) { Answers.push_back(buttonCaption); }

LRESULT CALLBACK TDialogResponder::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && activeResponder != nullptr) {
    const auto dialog = reinterpret_cast<HWND>(wParam);
    if (ClassName(dialog) == "#32770") activeResponder->Answer(dialog);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TDialogResponder::Answer(HWND dialog) {
  // Activation can come more than once (focus moving back to the dialog);
  // answer each dialog once.
  if (GetPropA(dialog, "TesmoTestAnswered") != nullptr) return;
  SetPropA(dialog, "TesmoTestAnswered", reinterpret_cast<HANDLE>(1));

  TChildren children;
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
  TDialogSeen seen{WindowText(dialog), children.Text, {}};
  for (HWND button : children.Buttons) seen.Buttons.push_back(WindowText(button));
  SeenDialogs.push_back(seen);

  int id = IDCANCEL;
  HWND pressed = nullptr;
  if (Answers.empty()) {
    ++UnexpectedCount;
  } else {
    const std::string wanted = Answers.front();
    Answers.erase(Answers.begin());
    for (HWND button : children.Buttons)
      if (WindowText(button) == wanted) {
        pressed = button;
        id = GetDlgCtrlID(button);
      }
    if (pressed == nullptr) ++UnexpectedCount;
  }
  // The dialog's own message loop delivers the click once it is running.
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(pressed));
}
