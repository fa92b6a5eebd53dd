// The window on a screen of another density: the program declares that it
// follows its monitor, so the system scales only the caption and the menu,
// and everything the window sized from the dpi is sized again.
#include "mainform.h"
#include "resource.h"
#include "win/dpi.h"
#include "win/fonts.h"

void TMainForm::WMDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0 || StatusBar.Handle == nullptr) return;
  Dpi = dpi;
  SetWindowFont();
  SetWindowIcons();
  SetToolBarImages();
  // The fields' font, the toolbar's buttons and the layout, as at start-up.
  ApplyViewOptions();
  // The rectangle the system proposes keeps the window where the user put it,
  // at the new density; the new size lays the controls out again. A saved
  // rectangle not yet shown at its screen's dpi holds as it was saved
  // (ApplySavedPlace).
  if (!KeepingSavedPlace)
    SetWindowPos(Window.Handle, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();
  SettleSavedPlace();
}

// The labels, the toolbar and the status bar; the fields take the font of
// the view options.
void TMainForm::SetWindowFont() {
  TFontHandle font(CreateDefaultFont(9, Dpi));
  if (!font) return;
  for (HWND control : {StatusBar.Handle, ToolBar.Handle, QuestionLabel.Handle, AnswerLabel.Handle})
    TControl(control).SetFont(font.Get());
  WindowFont = std::move(font);
}

// The program's icon drawn at the sizes the caption and the task switcher
// use at this density, rather than the class's, made for the screen's.
void TMainForm::SetWindowIcons() {
  const auto load = [this](int index, TIconHandle& icon, WPARAM kind) {
    const int size = SystemMetricAt(index, Dpi);
    TIconHandle loaded(static_cast<HICON>(LoadImageA(Instance, MAKEINTRESOURCEA(IDI_TESMO),
                                                     IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!loaded) return;
    Window.Send(WM_SETICON, kind, reinterpret_cast<LPARAM>(loaded.Get()));
    icon = std::move(loaded);
  };
  load(SM_CXSMICON, SmallIcon, ICON_SMALL);
  load(SM_CXICON, LargeIcon, ICON_BIG);
}
