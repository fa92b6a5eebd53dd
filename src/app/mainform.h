// The main window.
#pragma once

#include <string>

#include <windows.h>

#include "controls.h"

class TMainForm {
public:
  // Registers the window class; call once before the first window is created.
  static bool RegisterClass(HINSTANCE instance);

  explicit TMainForm(HINSTANCE instance);
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;
  virtual ~TMainForm();

  HWND Handle() const { return Window.Handle; }
  // When set, destroying the window ends the thread's message loop.
  bool QuitOnDestroy = false;

  void SetStatus(const std::string& text) { StatusBar1.SetSimpleText(text); }
  std::string GetStatus() const { return StatusBar1.GetSimpleText(); }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  void FormResize();
  void FormDestroy();

  HINSTANCE Instance;
  TControl Window;
  TStatusBar StatusBar1;
};

// Shows a failure that no command caught; the program goes on.
void ShowGeneralFailure(HWND owner, const std::string& text);
