// Building the menu, the shortcuts and the toolbar from the command table.
#include <algorithm>
#include <iterator>
#include <vector>

#include "commands.h"
#include "mainform.h"
#include "toolbarimages.h"
#include "win/syserror.h"

namespace {

// The caption with its shortcut shown after a TAB.
std::string MenuCaption(const TCommand& command) {
  std::string text = command.Caption;
  if (command.Shortcut.Key != 0) text.append("\t").append(command.Shortcut.Text);
  return text;
}

[[noreturn]] void RaiseMenuError() {
  RaiseLastError("The menu of the main window cannot be built.");
}

void Append(HMENU menu, UINT flags, UINT_PTR id, const std::string& caption) {
  if (!AppendMenuA(menu, flags, id, caption.empty() ? nullptr : caption.c_str())) RaiseMenuError();
}

TMenuHandle NewPopup() {
  TMenuHandle menu(CreatePopupMenu());
  if (!menu) RaiseMenuError();
  return menu;
}

// A popup appended to a menu, which owns it from then on.
HMENU AppendPopup(HMENU menu, const char* caption, TMenuHandle popup) {
  Append(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Get()), caption);
  return popup.Release();
}

bool HasButton(const TCommand* command) { return command != nullptr && command->Button.Caption; }

} // namespace

void TMainForm::CreateMainMenu() {
  TMenuHandle bar(CreateMenu());
  if (!bar) RaiseMenuError();
  HMENU popup = nullptr, history = nullptr;
  const TMenuColumn* column = kMenuColumns;
  for (const TCommand& command : CommandTable()) {
    if (column != std::end(kMenuColumns) && command.Id == column->First) {
      popup = AppendPopup(bar.Get(), column->Caption, NewPopup());
      ++column;
    } else if (command.Flags & cfSeparated) {
      Append(command.Flags & cfInHistory ? history : popup, MF_SEPARATOR, 0, "");
    }
    if (command.Id == cmHistoryFirst) {
      TMenuHandle slots = NewPopup();
      for (int slot = 0; slot < kHistorySlots; ++slot)
        Append(slots.Get(), MF_STRING, cmHistoryFirst + slot, "File " + std::to_string(slot + 1));
      history = AppendPopup(popup, command.Caption, std::move(slots));
    } else {
      Append(command.Flags & cfInHistory ? history : popup, MF_STRING, command.Id,
             MenuCaption(command));
    }
  }
  if (!SetMenu(Window.Handle, bar.Get())) RaiseMenuError();
  bar.Release(); // the window's now
  CreateAccelerators();
}

void TMainForm::CreateAccelerators() {
  std::vector<ACCEL> keys;
  for (const TCommand& command : CommandTable())
    if (command.Shortcut.Key != 0)
      keys.push_back({static_cast<BYTE>(FVIRTKEY | command.Shortcut.Modifiers),
                      command.Shortcut.Key, static_cast<WORD>(command.Id)});
  Accelerators.Reset(CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size())));
  if (!Accelerators) RaiseLastError("The shortcuts of the main window cannot be made.");
}

// A button's state when the toolbar is laid out anew.
BYTE TMainForm::ButtonState(int id) const {
  const TCommandShown shown = ShownState(id, CurrentStates());
  return static_cast<BYTE>((shown.Enabled ? TBSTATE_ENABLED : 0) |
                           (shown.Checked ? TBSTATE_CHECKED : 0));
}

void TMainForm::CreateToolBar() {
  ToolBar.Handle = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                       CCS_TOP | CCS_NODIVIDER,
                                   0, 0, 0, 0, Window.Handle, nullptr, Instance, nullptr);
  if (ToolBar.Handle == nullptr) RaiseLastError("The toolbar cannot be created.");
  ToolBar.Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  ToolBar.SetFont(WindowFont.Get());
  SetToolBarImages();
  SetToolBarCaptions(false);
}

// Pictures drawn for the window's density rather than scaled up. In a
// contrast theme they take the theme's colours, the greyed ones too, which
// the toolbar would otherwise make from the pictures' own.
void TMainForm::SetToolBarImages() {
  const int size = MulDiv(16, Dpi, 96);
  const bool contrast = HighContrastOn();
  const COLORREF face = GetSysColor(COLOR_BTNFACE), grey = GetSysColor(COLOR_GRAYTEXT);
  TImageListHandle images =
      CreateToolBarImages(size, contrast ? ThemePictureColors(GetSysColor(COLOR_BTNTEXT), face,
                                                              GetSysColor(COLOR_HIGHLIGHT))
                                         : kOwnPictureColors);
  TImageListHandle greyed;
  if (contrast) greyed = CreateToolBarImages(size, ThemePictureColors(grey, face, grey));
  if (!images || (contrast && !greyed)) {
    // At start-up a toolbar without pictures is a failure; later the buttons
    // keep the pictures they have.
    if (!ToolBarImages) RaiseLastError("The toolbar's pictures cannot be made.");
    return;
  }
  ToolBar.Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
  ToolBar.Send(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(greyed.Get()));
  ToolBarImages = std::move(images);
  ToolBarGreyedImages = std::move(greyed);
}

// The system's colours or its contrast theme changed: the common controls
// hear of it only from their window, and the pictures are drawn anew.
void TMainForm::WMThemeChanged(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOLORCHANGE) {
    ToolBar.Send(message, wParam, lParam);
    StatusBar.Send(message, wParam, lParam);
  }
  SetToolBarImages();
  InvalidateRect(ToolBar.Handle, nullptr, TRUE);
}

// The width of the widest button caption in the toolbar's font.
int TMainForm::WidestCaption() const {
  const TWindowDC dc(ToolBar.Handle);
  const TSelection font(dc.Get(), WindowFont.Get());
  int widest = 0;
  for (const TCommand& command : CommandTable()) {
    SIZE size{};
    const char* caption = command.Button.Caption;
    if (caption != nullptr && GetTextExtentPoint32A(dc.Get(), caption, lstrlenA(caption), &size))
      widest = std::max<int>(widest, size.cx);
  }
  return widest;
}

// The buttons are laid out anew with or without their captions, each in its
// menu item's state. A separator stands where the menu has one or a new
// column starts.
void TMainForm::SetToolBarCaptions(bool captions) {
  while (ToolBar.Send(TB_BUTTONCOUNT) > 0) ToolBar.Send(TB_DELETEBUTTON, 0);
  std::vector<TBBUTTON> buttons;
  const TMenuColumn* column = kMenuColumns;
  for (const TCommand& command : CommandTable()) {
    const bool columnStarts = column != std::end(kMenuColumns) && command.Id == column->First;
    if (columnStarts) ++column;
    if (!HasButton(&command)) continue;
    if (!buttons.empty() && (columnStarts || (command.Flags & cfSeparated)))
      buttons.push_back({MulDiv(8, Dpi, 120), 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0});
    TBBUTTON button{};
    button.iBitmap = command.Button.Picture;
    button.idCommand = command.Id;
    button.fsState = ButtonState(command.Id);
    button.fsStyle = static_cast<BYTE>(command.Flags & cfCheck ? BTNS_CHECK : BTNS_BUTTON);
    // Without captions a button keeps the command's name as its text, which
    // is what a screen reader gives it, and shows no line of it.
    button.iString =
        reinterpret_cast<INT_PTR>(captions ? command.Button.Caption : command.Button.Hint);
    buttons.push_back(button);
  }
  // The padding and the text rows go first: the toolbar measures its buttons
  // as they come.
  ToolBar.Send(TB_SETMAXTEXTROWS, captions ? 1 : 0);
  const int imageSize = MulDiv(16, Dpi, 96);
  const int plainWidth = MulDiv(22, Dpi, 96), plainHeight = MulDiv(21, Dpi, 96);
  if (captions)
    ToolBar.Send(TB_SETPADDING, 0, MAKELPARAM(MulDiv(7, Dpi, 96), MulDiv(6, Dpi, 96)));
  else // just the picture: the padding is what 22 x 21 leaves around it
    ToolBar.Send(TB_SETPADDING, 0, MAKELPARAM(plainWidth - imageSize, plainHeight - imageSize));
  ToolBar.Send(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  if (captions) {
    // Room for the picture and the widest caption under it, at least the
    // designed size: a caption cut to "Shuf..." says nothing.
    const LRESULT measured = ToolBar.Send(TB_GETBUTTONSIZE);
    const int width = std::max(
        {static_cast<int>(LOWORD(measured)), WidestCaption() + MulDiv(12, Dpi, 96), Scale(53)});
    const int height = std::max<int>(HIWORD(measured), Scale(38));
    ToolBar.Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
  } else {
    ToolBar.Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(plainWidth, plainHeight));
  }
  ToolBar.Send(TB_AUTOSIZE);
  if (HWND tips = reinterpret_cast<HWND>(ToolBar.Send(TB_GETTOOLTIPS)))
    SendMessageA(tips, TTM_ACTIVATE, !captions, 0);
  ToolTipsShown = !captions;
}

LRESULT TMainForm::WMNotify(NMHDR* header) {
  // The hints of the buttons, shown as tooltips while there are no captions.
  if (header->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    info->lpszText = const_cast<char*>("");
    const TCommand* command = FindCommand(static_cast<int>(header->idFrom));
    if (ToolTipsShown && HasButton(command))
      info->lpszText = const_cast<char*>(command->Button.Hint);
  }
  return 0;
}
