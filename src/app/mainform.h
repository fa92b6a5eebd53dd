// The main window: the question and answer fields, the log, the menu, the
// toolbar and the status bar, and every command behind them. One class over
// several files, one subject each: mainform.cpp (the window, its layout and
// its messages), mainform_menus.cpp (the menu, shortcuts and toolbar from the
// command table), mainform_commands.cpp (the click, the command states and
// the general commands), commandtable.cpp (what each command does),
// mainform_files.cpp, mainform_view.cpp, mainform_find.cpp,
// mainform_settings.cpp and mainform_dpi.cpp; the log pane is a class of its
// own (logpane.h).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include <shellapi.h>

#include "commands.h"
#include "dialogs/enterdialog.h"
#include "dialogs/finddialog.h"
#include "exam/commandstates.h"
#include "exam/exam.h"
#include "exam/examrun.h"
#include "exam/examwindow.h"
#include "exam/randomsource.h"
#include "logpane.h"
#include "settings/history.h"
#include "settings/options.h"
#include "win/accessibility.h"
#include "win/controls.h"
#include "win/filedialog.h"
#include "win/handles.h"
#include "win/widenames.h"

class TIniDocument;

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

  // TExamWindow
  void SetStatus(const std::string& text) override { StatusBar.SetSimpleText(text); }
  void SetQuestionText(const std::string& text) override { QuestionField.SetText(text); }
  std::string GetAnswerText() const override { return AnswerField.GetText(); }
  void SetAnswerText(const std::string& text) override { AnswerField.SetText(text); }
  void FocusAnswer() override { AnswerField.SetFocus(); }
  void ReplaceLogText(const std::string& text) override { LogPane.Replace(text); }
  void AppendLogLines(const std::vector<std::string>& lines) override { LogPane.Append(lines); }
  bool LogHoldsLine() const override { return LogPane.HoldsLine(); }
  void FocusLog() override { LogPane.Control().SetFocus(); }
  void Announce(TAnnouncement kind, const std::string& text) override;
  void UpdateCommands() override { RefreshCommands(); }
  void ShowError(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  TExamOptions GetExamOptions() const override { return ExamOptions; }
  std::string GetFileName() const override { return FileName; }
  TRandomSource& GetRandomSource() override { return Random; }

  std::string GetStatus() const { return StatusBar.GetSimpleText(); }
  THistory& GetHistory() { return History; }
  TExam& GetExam() { return Exam; }
  const TViewOptions& GetViewOptions() const { return ViewOptions; }

private:
  // The tests' view of the controls and dialogs (tests/app/mainformprobe.h).
  friend struct TMainFormProbe;
  // The command table's handlers (commandtable.cpp).
  friend struct TCommandTable;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void WMCommand(WPARAM wParam, LPARAM lParam);
  LRESULT WMNotify(NMHDR* header);
  void WMNextDlgCtl(WPARAM wParam, LPARAM lParam);
  bool WMActivate(WORD state);
  void WMEndSession(LPARAM reasons);
  void WMDestroy();
  bool MoveFocus(HWND from);
  void FocusDialogControl(HWND control);
  void FormShow();
  void FormCloseQuery(bool& canClose);

  // The command states (mainform_commands.cpp): computed from what the window
  // holds, shown on the menu items and buttons by the one refresh that every
  // change of state calls.
  TCommandStates CurrentStates() const;
  bool CommandEnabled(int id) const;
  void RefreshCommands();
  void ShowCommandState(int id, TCommandShown shown);
  BYTE ButtonState(int id) const;

  // The commands (mainform_commands.cpp).
  void NewDocument();
  void Exit();
  void SelectAll();
  void ShowHelp();
  void ShowAbout();
  void ToolButtonClick(int id);
  void AnswerKeyDown(TKeyCode& key);
  void ShowOpenError(const std::string& path);
  void ShowSaveError(const std::string& path);

  // Files (mainform_files.cpp).
  void OpenWithDialog();
  void SaveLog();
  void OpenRecentFile(int slot);
  void ClearRecentFiles();
  void OpenDocument(const std::string& path);
  bool DecideFileFormat(const std::string& path, int& format);
  bool AskFileFormat(const std::string& path, int& format);
  void ClearDocument();
  void SetFileName(const std::string& path);
  void UpdateTitle();
  void UpdateHistoryMenu();
  bool ExecuteFileDialog(TFileDialog& dialog, std::string& fileName);
  bool CheckLogEmpty();
  void OpenCommandLineFiles();
  void WMDropFiles(HDROP drop);
  void OpenNames(const std::vector<TCodePageName>& names);
  void OpenFileList(const std::vector<std::string>& files);

  // View and Options (mainform_view.cpp, mainform_commands.cpp).
  void ToggleViewOption(bool TViewOptions::*option);
  void ChangeFont();
  void ChangeTabWidth();
  void ResetViewOptions();
  bool EditFont(TViewOptions& options);
  bool EditTabWidth(TViewOptions& options);
  void ToggleExamOption(bool TExamOptions::*option);
  void ResetExamOptions();
  void SetExamOptions(const TExamOptions& options);
  void SetViewOptions(const TViewOptions& options);
  void ApplyViewOptions();
  void SetSearchOptions(const TSearchOptions& options);

  // Find (mainform_find.cpp).
  void Find();
  void FindAgain(bool reverse);
  void SearchLog(const TSearchOptions& request);

  // The settings file (mainform_settings.cpp).
  void LoadSettings();
  void SaveSettings();
  void SaveSettingsSilently();
  void WriteSettings(TIniDocument& document);
  void ApplySavedPlace(const RECT& place);
  void HoldSavedPlace();
  void SettleSavedPlace();

  // Building the window (mainform.cpp, mainform_menus.cpp).
  void CreateControls();
  void NameControls();
  void CreateMainMenu();
  void CreateAccelerators();
  void CreateToolBar();
  void SetToolBarImages();
  void WMThemeChanged(UINT message, WPARAM wParam, LPARAM lParam);
  void SetToolBarCaptions(bool captions);
  int WidestCaption() const;
  RECT AreaBetweenBars() const;
  void LayoutControls();
  int Scale(int designPixels) const;

  // The window on a screen of another density (mainform_dpi.cpp).
  void WMDpiChanged(int dpi, const RECT& suggested);
  void SetWindowFont();
  void SetWindowIcons();

  HINSTANCE Instance;
  std::vector<std::wstring> Arguments;

  // The window and its controls, and what they are drawn with.
  TControl Window;
  TStatusBar StatusBar;
  TControl ToolBar;
  TControl QuestionLabel, AnswerLabel;
  TEdit QuestionField, AnswerField;
  TLogPane LogPane;
  // Names for screen readers and the announcements of the run.
  TAccessibility Accessibility;
  TAcceleratorHandle Accelerators;
  TImageListHandle ToolBarImages;
  TImageListHandle ToolBarGreyedImages; // in a contrast theme only
  TFontHandle WindowFont;               // the labels, the toolbar and the status bar
  TFontHandle FieldFont;                // the fields and the log, from the view options
  TIconHandle SmallIcon, LargeIcon;
  int Dpi = 96;
  std::string TitleText;
  bool IdleInstalled = false;
  bool Created = false; // the start is over
  bool ToolTipsShown = true;
  // The saved rectangle, held until the window is shown at its screen's dpi
  // (ApplySavedPlace), and that dpi where the system tells it.
  bool KeepingSavedPlace = false;
  RECT SavedPlace{};
  int SavedPlaceDpi = 0;
  bool FirstShowOver = false;
  // The command states last shown, by id from cmNew on.
  std::array<std::optional<TCommandShown>, cmAbout - cmNew + 1> CommandsShown;
  bool AnswerReadOnlyShown = true;
  HWND FocusBeforeDeactivation = nullptr;

  // Both start in the folder either was last used in; the settings keep
  // them in this order.
  TFileDialog OpenDialog, SaveLogDialog;
  std::array<TFileDialog*, 2> FileDialogs() { return {&OpenDialog, &SaveLogDialog}; }

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
