#include "drillfields.h"

#include <algorithm>

#include <commctrl.h>

#include "failure.h"
#include "win/dpi.h"
#include "win/syserror.h"
#include "win/widenames.h"

namespace {

// The controls' ids, in tab order.
constexpr int kQuestionLabelId = 12;
constexpr int kQuestionFieldId = 13;
constexpr int kAnswerLabelId = 14;
constexpr int kAnswerFieldId = 15;

} // namespace

void TDrillFields::Create(HWND window, HINSTANCE instance, HFONT font, TExamRun& run) {
  Window = window;
  Run = &run;
  const auto child = [&](const char* className, DWORD style, int id, DWORD exStyle = 0) {
    HWND handle =
        CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (handle == nullptr) RaiseLastError("A control of the main window cannot be created.");
    SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return handle;
  };
  QuestionCaption.Handle = child("STATIC", SS_LEFT | SS_CENTERIMAGE, kQuestionLabelId);
  QuestionCaption.SetText("&Question:");
  QuestionField.Handle =
      child("EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, kQuestionFieldId, WS_EX_CLIENTEDGE);
  AnswerCaption.Handle = child("STATIC", SS_LEFT | SS_CENTERIMAGE, kAnswerLabelId);
  AnswerCaption.SetText("&Answer:");
  AnswerField.Handle =
      child("EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, kAnswerFieldId, WS_EX_CLIENTEDGE);
  SetWindowSubclass(AnswerField.Handle, FieldProc, kAnswerFieldId,
                    reinterpret_cast<DWORD_PTR>(this));
}

// The answer field keeps its Enter, which checks the answer.
LRESULT CALLBACK TDrillFields::FieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR data) {
  auto* fields = reinterpret_cast<TDrillFields*>(data);
  return Guarded(
      fields->Window, message,
      [&]() -> LRESULT {
        if (message == WM_GETDLGCODE) {
          // Only here is lParam the key message asked about (or null); other
          // messages carry coordinates and the like in it.
          const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
          if (keyMessage != nullptr && keyMessage->message == WM_KEYDOWN &&
              keyMessage->wParam == VK_RETURN)
            return DefSubclassProc(edit, message, wParam, lParam) | DLGC_WANTALLKEYS;
        } else if (message == WM_KEYDOWN && fields->AnswerKey(edit, wParam) == 0) {
          return 0;
        }
        return DefSubclassProc(edit, message, wParam, lParam);
      },
      [] { return LRESULT{0}; });
}

// 0 when the run consumed the key.
LRESULT TDrillFields::AnswerKey(HWND edit, WPARAM wParam) {
  TKeyCode key = static_cast<TKeyCode>(wParam);
  Run->AnswerKeyDown(key);
  if (key != 0) return 1;
  // Consumed: the character Enter would make is dropped too, so the field
  // neither beeps nor takes it.
  MSG pending;
  PeekMessageW(&pending, edit, WM_CHAR, WM_CHAR, PM_REMOVE);
  return 0;
}

// The names a screen reader gives the fields: the labels' captions, whose
// colon and mnemonic would be read too, and the log, which has no label.
void TDrillFields::SetLog(HWND log) {
  Log = log;
  Accessibility.Attach(Window, QuestionField.Handle);
  Accessibility.SetName(QuestionField.Handle, L"Question");
  Accessibility.SetName(AnswerField.Handle, L"Answer");
  Accessibility.SetName(Log, L"Log");
}

// Where the system has no notifications, the question field is read out as
// a live region when it shows a new question; the other texts are then in
// the log alone.
void TDrillFields::Announce(TAnnouncement kind, const std::string& text) {
  constexpr const wchar_t* kActivities[] = {L"Tesmo.Question", L"Tesmo.Verdict", L"Tesmo.Results"};
  if (!Accessibility.Announce(WideText(text), kActivities[kind]) && kind == anQuestion)
    Accessibility.LiveRegionChanged();
}

void TDrillFields::ShowReadOnly(bool readOnly) {
  if (readOnly != ReadOnlyShown) AnswerField.SetReadOnly(readOnly);
  ReadOnlyShown = readOnly;
}

void TDrillFields::LayOut(const RECT& area, int dpi) const {
  const auto scale = [dpi](int designPixels) { return ScaleDesign(designPixels, dpi); };
  const auto at = [&](int left, int top, int width, int height) {
    return RECT{area.left + scale(left), area.top + scale(top),
                area.left + scale(left) + scale(width), area.top + scale(top) + scale(height)};
  };
  QuestionCaption.Place(at(8, 8, 89, 25));
  AnswerCaption.Place(at(8, 40, 89, 25));
  // The fields stretch with the window, keeping their right margin. The
  // answer field starts a pixel left of the question field, as designed.
  const int right = std::max<int>(area.right - scale(8), area.left + scale(104) + 1);
  RECT question = at(104, 8, 489, 23), answer = at(103, 40, 489, 23);
  question.right = right;
  answer.right = right;
  QuestionField.Place(question);
  AnswerField.Place(answer);
}

void TDrillFields::SetLabelFont(HFONT font) const {
  QuestionCaption.SetFont(font);
  AnswerCaption.SetFont(font);
}

bool TDrillFields::IsTextField(HWND control) const {
  return control != nullptr &&
         (control == QuestionField.Handle || control == AnswerField.Handle || control == Log);
}

// A multi-line edit would otherwise keep the Tab for itself.
bool TDrillFields::MoveFocus(HWND from) const {
  if (GetKeyState(VK_CONTROL) < 0) return false;
  const HWND fields[] = {QuestionField.Handle, AnswerField.Handle, Log};
  for (int i = 0; i < 3; ++i)
    if (fields[i] == from) {
      const int step = GetKeyState(VK_SHIFT) < 0 ? 2 : 1;
      ::SetFocus(fields[(i + step) % 3]);
      return true;
    }
  return false;
}

void TDrillFields::FocusFirst() {
  QuestionField.SetFocus();
  FocusBeforeDeactivation = QuestionField.Handle;
}

bool TDrillFields::Activated(WORD state) {
  if (state == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(Window, focus)) FocusBeforeDeactivation = focus;
    return false;
  }
  if (FocusBeforeDeactivation == nullptr || !IsWindow(FocusBeforeDeactivation)) return false;
  ::SetFocus(FocusBeforeDeactivation);
  return true;
}
