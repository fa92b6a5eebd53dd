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
  // The labels, the toolbar and the status bar; the fields take the font of
  // the view options.
  if (TFontHandle font(CreateDefaultFont(9, Dpi)); font) {
    StatusBar.SetFont(font.Get());
    CommandBar.ToolBar().SetFont(font.Get());
    DrillFields.SetLabelFont(font.Get());
    WindowFont = std::move(font);
  }
  Icons.Set(Window.Handle, Instance, MAKEINTRESOURCEA(IDI_TESMO), Dpi);
  CommandBar.DpiChanged(WindowFont.Get(), Dpi);
  // The fields' font, the toolbar's buttons and the layout, as at start-up.
  ApplyViewOptions();
  // The rectangle the system proposes keeps the window where the user put it,
  // at the new density; the new size lays the controls out again. A saved
  // rectangle not yet shown at its screen's dpi holds as it was saved
  // (ApplySavedPlace).
  if (!SavedPlace.Keeping())
    SetWindowPos(Window.Handle, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();
  SavedPlace.Settle(Window.Handle, Dpi);
}
