// The drill's fields: the question field and the answer field with their
// labels. They are what the examination writes to and reads from; the answer
// field keeps its Enter, which checks the answer; and the focus goes round
// the two fields and the log and comes back to where it was.
#pragma once

#include <string>

#include <windows.h>

#include "exam/examrun.h"
#include "exam/examwindow.h"
#include "win/accessibility.h"
#include "win/controls.h"

class TDrillFields final : public TExamFields {
public:
  // Makes the labels and the fields in tab order, each label right before
  // the field its mnemonic focuses, the labels drawn in font. The answer
  // field's keys go to run; the log is the control after the fields.
  void Create(HWND window, HINSTANCE instance, HFONT font, TExamRun& run);
  // The log, which also gets its name for screen readers with the fields.
  void SetLog(HWND log);

  // TExamFields
  void SetQuestionText(const std::string& text) override { QuestionField.SetText(text); }
  std::string GetAnswerText() const override { return AnswerField.GetText(); }
  void SetAnswerText(const std::string& text) override { AnswerField.SetText(text); }
  void FocusAnswer() override { AnswerField.SetFocus(); }

  // What a screen reader is told of the run (TExamWindow::Announce), and its
  // first question for what the window shows (WM_GETOBJECT).
  void Announce(TAnnouncement kind, const std::string& text);
  void ClientAsked() { Accessibility.ClientAsked(); }

  // The answer field read-only outside a run; handed over only when it changed.
  void ShowReadOnly(bool readOnly);
  // The design's places inside area, at dpi: the fields stretch with it.
  void LayOut(const RECT& area, int dpi) const;
  void SetLabelFont(HFONT font) const;

  // The question field, the answer field or the log: what Select All selects in.
  bool IsTextField(HWND control) const;
  // Tab and Shift+Tab go round the three; true when the focus moved.
  bool MoveFocus(HWND from) const;
  // The window's focus at the start, and kept while another window is active:
  // given back when the window is active again, which is then true.
  void FocusFirst();
  bool Activated(WORD state);

  const TControl& QuestionLabel() const { return QuestionCaption; }
  const TControl& AnswerLabel() const { return AnswerCaption; }
  const TEdit& Question() const { return QuestionField; }
  const TEdit& Answer() const { return AnswerField; }

private:
  static LRESULT CALLBACK FieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data);
  LRESULT AnswerKey(HWND edit, WPARAM key);

  HWND Window = nullptr;
  TExamRun* Run = nullptr;
  TControl QuestionCaption, AnswerCaption;
  TEdit QuestionField, AnswerField;
  HWND Log = nullptr;
  bool ReadOnlyShown = true;
  HWND FocusBeforeDeactivation = nullptr;
  // Names for screen readers and the announcements of the run.
  TAccessibility Accessibility;
};
