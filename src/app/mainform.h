// The main window: the question and answer fields, the log, the menu, the
// toolbar and the status bar, and every command behind them. One class over
// several files: the window and its start-up (mainform.cpp), the general
// commands and command states (mainform_commands.cpp), the file commands and
// the history menu (mainform_files.cpp), the menu and toolbar it is built
// from (mainform_menus.cpp), a move to a screen of another density
// (mainform_dpi.cpp).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include <shellapi.h>

#include "win/controls.h"
#include "dialogs/enterdialog.h"
#include "exam/exam.h"
#include "exam/examrun.h"
#include "exam/examwindow.h"
#include "exam/randomsource.h"
#include "dialogs/finddialog.h"
#include "win/filedialog.h"
#include "settings/history.h"
#include "settings/options.h"

class TIniDocument;

class TMainForm final : public TExamWindow {
public:
  // Registers the window class; call once before the first window is created.
  static bool RegisterClass(HINSTANCE instance);

  // Creates the window and everything it owns; the arguments are the
  // command line's files, opened at the first idle moment.
  TMainForm(HINSTANCE instance, std::vector<std::string> arguments = {});
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;
  ~TMainForm() override;

  HWND Handle() const { return Window.Handle; }
  // When set, destroying the window ends the thread's message loop.
  bool QuitOnDestroy = false;

  // The message loop's part: the accelerators and the dialog keys (Tab,
  // Shift+Tab, the labels' mnemonics). True when the message was handled.
  bool PreTranslateMessage(MSG& message);
  // The idle handler: runs once, at the first moment the queue is empty.
  void ApplicationIdle(bool& done);
  bool IdleHandlerInstalled() const { return IdleInstalled; }

  // One click on a menu item, from the menu, a shortcut, a toolbar button or
  // a test: nothing happens while the item is disabled.
  void ClickMenuItem(int id);

  // TExamWindow
  void SetStatus(const std::string& text) override { StatusBar1.SetSimpleText(text); }
  void SetEdit1Text(const std::string& text) override { Edit1.SetText(text); }
  std::string GetEdit2Text() const override { return Edit2.GetText(); }
  void SetEdit2Text(const std::string& text) override { Edit2.SetText(text); }
  void FocusEdit2() override { Edit2.SetFocus(); }
  void ReplaceLogText(const std::string& text) override;
  void AppendLogLine(std::string_view line) override;
  bool LogHoldsLine() const override;
  void FocusLog() override {
    FlushLog();
    Memo1.SetFocus();
  }
  void Memo1Change() override;
  void UpdateCommands() override;
  void ShowError(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  TExamOptions GetExamOptions() const override { return ExamOptions; }
  std::string GetFileName() const override { return FileName; }
  TRandomSource& GetRandomSource() override { return Random; }

  std::string GetStatus() const { return StatusBar1.GetSimpleText(); }

  // The controls, menu items and buttons, under their names.
  TStatusBar StatusBar1;
  TControl ToolBar1;
  TControl Label1, Label2;
  TEdit Edit1, Edit2, Memo1;
  TMenuItem NewM1, OpenM1, SaveLogM1, StartM1, ReviewM1, ListM1, ClearM1, ExitM1;
  TMenuItem FileM1s[5]; // File1M1 to File5M1
  TMenuItem FindM1, FindNextM1, FindPrevM1, SelectAllM1;
  TMenuItem ToolbarM1, ToolbarCaptionsM1, FontM1, TabWidthM1, SwapPanelsM1, StatusBarM1,
      LastPositionM1, TopmostM1, DefaultM1;
  TMenuItem ShuffleM1, SwapM1, CaseSensitiveM1, DefaultM2;
  TMenuItem HelpM2, AboutM1;
  TToolButton NewT1, OpenT1, LogT1, StartT1, ReviewT1, ListT1, ShuffleT1, SwapT1, CaseT1;
  TFileDialog OpenDialog1, SaveDialog1;

  // The state the window owns.
  const std::string& GetFileNameRef() const { return FileName; }
  THistory& GetHistory() { return *History; }
  TExam& GetExam() { return *Exam; }
  const TViewOptions& GetViewOptions() const { return ViewOptions; }
  const TSearchOptions& GetSearchOptions() const { return SearchOptions; }

  // The commands (mainform_commands.cpp).
  void NewM1Click();
  void ExitM1Click();
  void SelectAllM1Click();
  void HelpM2Click();
  void AboutM1Click();
  void ToolButtonClick(int id);
  void OptionsM1Click(int id);
  void Edit2KeyDown(TKeyCode& key, TShiftState shift);
  void ShowOpenError(const std::string& path);
  void ShowSaveError(const std::string& path);

  // Files (mainform_files.cpp).
  void OpenM1Click();
  void SaveLogM1Click();
  void HistoryM1Click(int id);
  void ClearM1Click();
  void OpenDocument(const std::string& path);
  bool DecideFileFormat(const std::string& path, int& format);
  bool AskFileFormat(const std::string& path, int& format);
  void ClearDocument();
  void SetFileName(const std::string& path);
  void UpdateTitle();
  void UpdateHistoryMenu();
  bool ExecuteFileDialog(int id, std::string& fileName);
  bool CheckLogEmpty();
  void OpenCommandLineFiles();
  void WMDropFiles(HDROP drop);
  void OpenFileList(const std::vector<std::string>& files);

  // View and Options (mainform_view.cpp, mainform_commands.cpp).
  void ViewM1Click(int id);
  bool EditFont(TViewOptions& options);
  bool EditTabWidth(TViewOptions& options);
  void SetExamOptions(const TExamOptions& options);
  void ApplyExamOptions();
  void SetViewOptions(const TViewOptions& options);
  void ApplyViewOptions();
  void SetSearchOptions(const TSearchOptions& options);
  void UpdateFindCommands();

  // Find (mainform_find.cpp).
  void FindM1Click(int id);

  // The window's title, which message boxes carry too.
  const std::string& Title() const { return TitleText; }

  void FormShow();
  void FormCloseQuery(bool& canClose);

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void WMCommand(WPARAM wParam, LPARAM lParam);
  LRESULT WMNotify(NMHDR* header);
  bool MoveFocus(HWND from);
  void FocusDialogControl(HWND control);

  // The settings file (mainform_settings.cpp).
  void LoadSettings();
  void SaveSettings();
  void SaveSettingsSilently();
  void WriteSettings(TIniDocument& document);

  // Building the window (mainform.cpp, mainform_menus.cpp).
  void CreateControls();
  void CreateMainMenu();
  void CreateToolBar();
  void SetToolBarImages();
  void SetToolBarCaptions(bool captions);
  int WidestCaption() const;
  void NameMenuItems();
  void LayoutControls();
  int Scale(int designPixels) const;

  // The window on a screen of another density (mainform_dpi.cpp).
  void WMDpiChanged(int dpi, const RECT& suggested);
  void SetWindowFont();
  void SetWindowIcons();

  HINSTANCE Instance;
  TControl Window;
  HACCEL Accelerators = nullptr;
  HIMAGELIST ImageList1 = nullptr;
  HFONT WindowFont = nullptr;
  HFONT FieldFont = nullptr;
  HICON SmallIcon = nullptr, LargeIcon = nullptr;
  int Dpi = 96;
  std::vector<std::string> Arguments;
  bool IdleInstalled = false;
  std::string TitleText;
  // The log's last line is known to be empty (the text ends with a line
  // break) as long as only the program wrote to it.
  bool LogEndKnown = true;
  bool LogEndsEmpty = true;
  bool AppendingLog = false;
  // Lines appended and not yet handed to the control.
  std::string PendingLog;
  void FlushLog();
  HWND FocusBeforeDeactivation = nullptr;
  bool ToolTipsShown = true;
  bool ToolBarCaptionsShown = false;

  // What the window owns, in the order it creates them.
  std::string FileName;
  std::unique_ptr<THistory> History;
  std::unique_ptr<TExam> Exam;
  TSearchOptions SearchOptions;
  TViewOptions ViewOptions;
  TExamOptions ExamOptions;
  std::unique_ptr<TFileDialogs> FileDialogs;
  TClockRandom Random;
  std::unique_ptr<TExamRun> Run;

public:
  // The two dialogs made once at start-up and reused.
  std::unique_ptr<TEnterDialog> EnterDialog;
  std::unique_ptr<TStrFindDialog> StrFindDialog;
};
