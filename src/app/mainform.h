// The main window: the drill's fields, the log, the command bar (menu,
// shortcuts, toolbar) and the status bar, and every command behind them. One
// class over several files, one subject each: mainform.cpp (the window, its
// layout and its messages), mainform_commands.cpp (the click, the command
// states and the general commands), mainform_files.cpp, mainform_view.cpp,
// mainform_find.cpp, mainform_settings.cpp and mainform_dpi.cpp. Its parts
// are classes of their own: the command bar (commandbar.h, built from the
// table of commandtable.cpp), the drill's fields (drillfields.h) and the log
// pane (logpane.h).
#pragma once

#include <array>
#include <string>
#include <type_traits>
#include <vector>

#include <windows.h>

#include <shellapi.h>

#include "commandbar.h"
#include "dialogs/enterdialog.h"
#include "dialogs/finddialog.h"
#include "drillfields.h"
#include "exam/exam.h"
#include "exam/examrun.h"
#include "exam/examwindow.h"
#include "exam/randomsource.h"
#include "logpane.h"
#include "settings/history.h"
#include "settings/options.h"
#include "win/controls.h"
#include "win/filedialog.h"
#include "win/handles.h"
#include "win/widenames.h"

class TIniDocument;

// The rectangle the settings saved, taken exactly as it was saved
// (mainform_settings.cpp). The window is made on the primary screen; moved to
// a screen of another scale, it receives WM_DPICHANGED with the rectangle
// scaled by new/old dpi, which would make a window saved on a 150 % screen
// half as large again at every start. Whether the system sends that change
// while the hidden window is placed or only when it is first shown (inside
// ShowWindow) is not settled, so the place is held through both: until the
// first show is over and the window has the dpi of the saved screen, a change
// of dpi rescales the contents only. Should the system have moved or sized
// the window anyway, the place is set once more. The user moving or sizing
// the window ends the hold, as a change that never came.
class TSavedPlace {
public:
  void Apply(HWND window, const RECT& place);
  // Held still: a change of dpi leaves the window's rectangle alone.
  bool Keeping() const { return Held; }
  void Release() { Held = false; }
  // After a change of dpi, or once the first show is over.
  void Settle(HWND window, int dpi, bool firstShowOver = false);

private:
  void Hold(HWND window) const;

  RECT Place{};
  int PlaceDpi = 0; // where the system tells it
  bool Held = false;
  bool ShowOver = false;
};

class TMainForm final : public TExamWindow {
public:
  // Registers the window class; call once before the first window is created.
  static bool RegisterClass(HINSTANCE instance);

  // The window's objects, whole before any message can reach them; the
  // arguments are the command line's files as Windows gives them, opened at
  // the first idle moment.
  explicit TMainForm(HINSTANCE instance, std::vector<std::wstring> arguments = {});
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;
  ~TMainForm() override;

  // Makes the window and its controls, applies the options and reads the
  // settings file. Throws when the window cannot be made, or the settings
  // file exists but cannot be read; the window is gone then.
  void Create();

  HWND Handle() const { return Window.Handle; }
  // When set, destroying the window ends the thread's message loop.
  bool QuitOnDestroy = false;

  // The message loop's part: the accelerators and the dialog keys (Tab,
  // Shift+Tab, the labels' mnemonics). True when the message was handled.
  bool PreTranslateMessage(MSG& message);
  // The idle handler: runs once, at the first moment the queue is empty.
  void ApplicationIdle();
  bool IdleHandlerInstalled() const { return IdleInstalled; }

  // One click on a menu item, from the menu, a shortcut, a toolbar button or
  // a test: nothing happens while the command is disabled.
  void ClickMenuItem(int id);

  // The commands of the table (commandtable.cpp) that are the window's own.
  void NewDocument();
  void OpenWithDialog();
  void SaveLog();
  void ClearRecentFiles();
  void Exit();
  void Find();
  // Find Next searches the way the dialog last did; Find Prev the other way.
  void FindAgain(bool reverse);
  void SelectAll();
  void ChangeFont();
  void ChangeTabWidth();
  // The defaults of one option record, after asking.
  template <typename TOptions> void ResetOptions() {
    if (Confirm("Set default settings?")) SetOptions(TOptions());
  }
  void ShowHelp();
  void ShowAbout();
  TExamRun& GetRun() { return Run; }

  // Takes options as the window's; what changed is shown.
  template <typename TOptions> void SetOptions(const TOptions& options);
  template <typename TOptions> void ToggleOption(bool TOptions::*option) {
    TOptions options = HeldOptions<TOptions>();
    options.*option = !(options.*option);
    SetOptions(options);
  }

  // TExamWindow
  void SetStatus(const std::string& text) override { StatusBar.SetSimpleText(text); }
  TExamFields& Fields() override { return DrillFields; }
  TExamLogPane& Pane() override { return LogPane; }
  void Announce(TAnnouncement kind, const std::string& text) override {
    DrillFields.Announce(kind, text);
  }
  // The one refresh of the command states, which every change of state
  // calls: computed from what the window holds, shown by its parts.
  void UpdateCommands() override;
  void ShowError(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  TExamOptions GetExamOptions() const override { return ExamOptions; }
  std::string GetFileName() const override { return FileName; }
  TRandomSource& GetRandomSource() override { return Random; }

private:
  // The tests' view of the window's parts (tests/app/mainformprobe.h).
  friend struct TMainFormProbe;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DispatchEnd(UINT message, WPARAM wParam, LPARAM lParam);
  void WMCommand(WPARAM wParam, LPARAM lParam);
  void FormShow();
  void FormCloseQuery(bool& canClose);

  // The command states (mainform_commands.cpp).
  TCommandStates CurrentStates() const;
  void ShowOpenError(const std::string& path);
  void ShowSaveError(const std::string& path);
  // The application's title: the caption of every box the window shows.
  std::string TitleText() const;

  // Files (mainform_files.cpp).
  void OpenRecentFile(int slot);
  void OpenDocument(const std::string& path);
  void ClearDocument();
  void SetFileName(const std::string& path);
  void UpdateHistoryMenu();
  bool ExecuteFileDialog(TFileDialog& dialog, std::string& fileName);
  void WMDropFiles(HDROP drop);
  void OpenFileList(const std::vector<TCodePageName>& names);

  // View and Options (mainform_view.cpp).
  template <typename TOptions> TOptions& HeldOptions();
  void ApplyViewOptions();

  // The settings file (mainform_settings.cpp).
  void LoadSettings();
  // Silently at the session's end, where no box can be shown.
  void SaveSettings(bool silently = false);
  void WriteSettings(TIniDocument& document);

  // Building the window and laying it out (mainform.cpp, mainform_dpi.cpp).
  void CreateControls();
  void LayoutControls();
  void WMDpiChanged(int dpi, const RECT& suggested);

  HINSTANCE Instance;
  std::vector<std::wstring> Arguments;

  // The window and its parts, and what they are drawn with.
  TControl Window;
  TStatusBar StatusBar;
  TCommandBar CommandBar;
  TDrillFields DrillFields;
  TLogPane LogPane;
  TFontHandle WindowFont; // the labels, the toolbar and the status bar
  TFontHandle FieldFont;  // the fields and the log, from the view options
  TWindowIcons Icons;
  int Dpi = 96;
  bool IdleInstalled = false;
  bool Created = false; // the start is over
  TSavedPlace SavedPlace;

  // Both start in the folder either was last used in; the settings keep
  // them in this order.
  TFileDialogs FileDialogs;

  // What the window holds.
  std::string FileName;
  THistory History;
  TExam Exam;
  TSearchOptions SearchOptions;
  TViewOptions ViewOptions;
  TExamOptions ExamOptions;
  TClockRandom Random;
  TExamRun Run;
  // The two dialogs made once and reused.
  TEnterDialog EnterDialog;
  TStrFindDialog StrFindDialog;
};

// The option record of each kind the window holds.
template <typename TOptions> TOptions& TMainForm::HeldOptions() {
  if constexpr (std::is_same_v<TOptions, TViewOptions>)
    return ViewOptions;
  else if constexpr (std::is_same_v<TOptions, TExamOptions>)
    return ExamOptions;
  else
    return SearchOptions;
}

// The view options are applied to the window first; every kind shows on the
// commands.
template <typename TOptions> void TMainForm::SetOptions(const TOptions& options) {
  TOptions& held = HeldOptions<TOptions>();
  if (options == held) return;
  held = options;
  if constexpr (std::is_same_v<TOptions, TViewOptions>) ApplyViewOptions();
  UpdateCommands();
}
