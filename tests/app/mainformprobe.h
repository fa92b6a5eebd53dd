// What the tests and benchmarks reach of the main window beyond its handle:
// its parts and dialogs, through the one friend it has, and from them the
// controls. Menu items and toolbar buttons are found by command id.
#pragma once

#include <string>

#include <windows.h>

#include <commctrl.h>

#include "app/mainform.h"

// The window's parts; the tests use the accessors below.
struct TMainFormProbe {
  static const TDrillFields& Fields(const TMainForm& form) { return form.DrillFields; }
  static const TCommandBar& Bar(const TMainForm& form) { return form.CommandBar; }
  static const TLogPane& LogPane(const TMainForm& form) { return form.LogPane; }
  static const TStatusBar& Status(const TMainForm& form) { return form.StatusBar; }
  static TFileDialogs& FileDialogs(TMainForm& form) { return form.FileDialogs; }
  static THistory& History(TMainForm& form) { return form.History; }
  static TExam& Exam(TMainForm& form) { return form.Exam; }
  static const TViewOptions& View(const TMainForm& form) { return form.ViewOptions; }
  static TStrFindDialog& Find(TMainForm& form) { return form.StrFindDialog; }
  static void Open(TMainForm& form, const std::string& path) { form.OpenDocument(path); }
  static void ShowHistory(TMainForm& form) { form.UpdateHistoryMenu(); }
};

using Probe = TMainFormProbe;
inline const TEdit& QuestionField(const TMainForm& form) { return Probe::Fields(form).Question(); }
inline const TEdit& AnswerField(const TMainForm& form) { return Probe::Fields(form).Answer(); }
inline const TControl& QuestionLabel(const TMainForm& form) {
  return Probe::Fields(form).QuestionLabel();
}
inline const TControl& AnswerLabel(const TMainForm& form) {
  return Probe::Fields(form).AnswerLabel();
}
inline const TEdit& Log(const TMainForm& form) { return Probe::LogPane(form).Control(); }
inline const TStatusBar& StatusBar(const TMainForm& form) { return Probe::Status(form); }
inline std::string GetStatus(const TMainForm& form) { return StatusBar(form).GetSimpleText(); }
inline THistory& GetHistory(TMainForm& form) { return Probe::History(form); }
inline TExam& GetExam(TMainForm& form) { return Probe::Exam(form); }
inline const TViewOptions& GetViewOptions(const TMainForm& form) { return Probe::View(form); }
inline const TControl& ToolBar(const TMainForm& form) { return Probe::Bar(form).ToolBar(); }
inline TFileDialog& OpenDialog(TMainForm& form) { return Probe::FileDialogs(form).Open; }
inline TFileDialog& SaveLogDialog(TMainForm& form) { return Probe::FileDialogs(form).Save; }
inline TStrFindDialog& FindDialog(TMainForm& form) { return Probe::Find(form); }
inline void OpenDocument(TMainForm& form, const std::string& path) { Probe::Open(form, path); }
inline void UpdateHistoryMenu(TMainForm& form) { Probe::ShowHistory(form); }

// The menu item of a command, as the window's menu holds it.
inline TMenuItem MenuItem(const TMainForm& form, int id) {
  return {GetMenu(form.Handle()), static_cast<UINT>(id)};
}
// The toolbar button of a command.
inline TToolButton Button(const TMainForm& form, int id) { return {ToolBar(form).Handle, id}; }
