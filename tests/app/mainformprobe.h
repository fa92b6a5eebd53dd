// What the tests and benchmarks reach of the main window beyond its handle:
// its controls and dialogs, and a few of its operations, through the one
// friend it has. Menu items and toolbar buttons are found by command id.
#pragma once

#include <string>

#include <windows.h>

#include <commctrl.h>

#include "app/mainform.h"

struct TMainFormProbe {
  static const TEdit& QuestionField(const TMainForm& form) { return form.QuestionField; }
  static const TEdit& AnswerField(const TMainForm& form) { return form.AnswerField; }
  static const TEdit& Log(const TMainForm& form) { return form.LogPane.Control(); }
  static const TControl& QuestionLabel(const TMainForm& form) { return form.QuestionLabel; }
  static const TControl& AnswerLabel(const TMainForm& form) { return form.AnswerLabel; }
  static const TStatusBar& StatusBar(const TMainForm& form) { return form.StatusBar; }
  static const TControl& ToolBar(const TMainForm& form) { return form.ToolBar; }
  static TFileDialog& OpenDialog(TMainForm& form) { return form.OpenDialog; }
  static TFileDialog& SaveLogDialog(TMainForm& form) { return form.SaveLogDialog; }
  static TStrFindDialog& FindDialog(TMainForm& form) { return form.StrFindDialog; }
  static void OpenDocument(TMainForm& form, const std::string& path) { form.OpenDocument(path); }
  static void SetViewOptions(TMainForm& form, const TViewOptions& options) {
    form.SetViewOptions(options);
  }
  static void SetSearchOptions(TMainForm& form, const TSearchOptions& options) {
    form.SetSearchOptions(options);
  }
  static void UpdateHistoryMenu(TMainForm& form) { form.UpdateHistoryMenu(); }
};

inline const TEdit& QuestionField(const TMainForm& form) {
  return TMainFormProbe::QuestionField(form);
}
inline const TEdit& AnswerField(const TMainForm& form) { return TMainFormProbe::AnswerField(form); }
inline const TEdit& Log(const TMainForm& form) { return TMainFormProbe::Log(form); }
inline const TControl& QuestionLabel(const TMainForm& form) {
  return TMainFormProbe::QuestionLabel(form);
}
inline const TControl& AnswerLabel(const TMainForm& form) {
  return TMainFormProbe::AnswerLabel(form);
}
inline const TStatusBar& StatusBar(const TMainForm& form) {
  return TMainFormProbe::StatusBar(form);
}
inline const TControl& ToolBar(const TMainForm& form) { return TMainFormProbe::ToolBar(form); }
inline TFileDialog& OpenDialog(TMainForm& form) { return TMainFormProbe::OpenDialog(form); }
inline TFileDialog& SaveLogDialog(TMainForm& form) { return TMainFormProbe::SaveLogDialog(form); }
inline void OpenDocument(TMainForm& form, const std::string& path) {
  TMainFormProbe::OpenDocument(form, path);
}

// The menu item of a command, as the window's menu holds it.
inline TMenuItem MenuItem(const TMainForm& form, int id) {
  return {GetMenu(form.Handle()), static_cast<UINT>(id)};
}
// The toolbar button of a command.
inline TToolButton Button(const TMainForm& form, int id) { return {ToolBar(form).Handle, id}; }
