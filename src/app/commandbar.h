// The main window's menu, shortcuts and toolbar, built from the command table,
// and the command states they last showed. The window hands the bar every
// state its one refresh computes; the bar passes on to the menu items and
// buttons only what changed.
#pragma once

#include <array>
#include <optional>
#include <string>

#include <windows.h>

#include "commands.h"
#include "exam/commandstates.h"
#include "win/controls.h"
#include "win/handles.h"

class TCommandBar {
public:
  // Builds the toolbar, drawn in font at dpi, then (once the window's
  // controls stand, in their tab order) the menu, which the window owns from
  // then on, and the accelerators. Each throws when it cannot be made.
  void CreateToolBar(HWND window, HINSTANCE instance, HFONT font, int dpi);
  void CreateMenu();

  // Shows the states on the menu items and their buttons.
  void Show(const TCommandStates& states);
  // A check button flips itself when clicked: the next Show shows its state
  // again, as the click left it.
  void ButtonClicked(int id);
  // Lays the buttons out again with or without their captions; the hints
  // show as tooltips while there are none.
  void ShowCaptions(bool captions);
  // The pictures and the buttons for another dpi, measured in the window's
  // new font, which the window has given the toolbar.
  void DpiChanged(HFONT font, int dpi);
  // The system's colours or its contrast theme changed: the pictures are
  // drawn anew.
  void ThemeChanged(UINT message, WPARAM wParam, LPARAM lParam);
  // The caption of a menu item (the recent files).
  void SetCaption(int id, const std::string& caption) const;

  // The shortcuts of the window's keys; true when one was handled.
  bool TranslateShortcut(MSG& message) const;
  // The toolbar's notices (the tooltips' texts); true when answered.
  bool Notify(NMHDR* header) const;

  const TControl& ToolBar() const { return Buttons; }

private:
  void CreateAccelerators();
  void SetImages();
  int WidestCaption() const;
  BYTE ButtonState(int id) const;
  void ShowState(int id, TCommandShown shown) const;

  HWND Window = nullptr;
  HFONT Font = nullptr; // the window's, which it keeps
  int Dpi = 96;
  TControl Buttons;
  TAcceleratorHandle Accelerators;
  TImageListHandle Images;
  TImageListHandle GreyedImages; // in a contrast theme only
  bool Captions = false;
  // The states last shown, by id from cmNew on.
  std::array<std::optional<TCommandShown>, cmAbout - cmNew + 1> Shown;
};
