// The menu, the shortcuts and the toolbar, from the command table.
#include "commandbar.h"

#include <algorithm>
#include <vector>

#include <commctrl.h>

#include "toolbarimages.h"
#include "win/dpi.h"
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

// A command's place among the states last shown.
size_t ShownIndex(int id) { return static_cast<size_t>(id - cmNew); }

} // namespace

void TCommandBar::CreateToolBar(HWND window, HINSTANCE instance, HFONT font, int dpi) {
  Window = window;
  Font = font;
  Dpi = dpi;
  Buttons.Handle = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                       CCS_TOP | CCS_NODIVIDER,
                                   0, 0, 0, 0, window, nullptr, instance, nullptr);
  if (Buttons.Handle == nullptr) RaiseLastError("The toolbar cannot be created.");
  Buttons.Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  Buttons.SetFont(Font);
  SetImages();
  ShowCaptions(false);
}

void TCommandBar::CreateMenu() {
  TMenuHandle bar(::CreateMenu());
  if (!bar) RaiseMenuError();
  HMENU popup = nullptr, history = nullptr;
  for (const TCommand& command : CommandTable()) {
    HMENU& into = command.Flags & cfInHistory ? history : popup;
    if (const TMenuColumn* column = ColumnOpenedBy(command.Id))
      popup = AppendPopup(bar.Get(), column->Caption, NewPopup());
    else if (command.Flags & cfSeparated)
      Append(into, MF_SEPARATOR, 0, "");
    if (command.Id == cmHistoryFirst) {
      TMenuHandle slots = NewPopup();
      for (int slot = 0; slot < kHistorySlots; ++slot)
        Append(slots.Get(), MF_STRING, cmHistoryFirst + slot, "File " + std::to_string(slot + 1));
      history = AppendPopup(popup, command.Caption, std::move(slots));
    } else {
      Append(into, MF_STRING, command.Id, MenuCaption(command));
    }
  }
  if (!SetMenu(Window, bar.Get())) RaiseMenuError();
  bar.Release(); // the window's now
  CreateAccelerators();
}

void TCommandBar::CreateAccelerators() {
  std::vector<ACCEL> keys;
  for (const TCommand& command : CommandTable())
    if (command.Shortcut.Key != 0)
      keys.push_back({static_cast<BYTE>(FVIRTKEY | command.Shortcut.Modifiers),
                      command.Shortcut.Key, static_cast<WORD>(command.Id)});
  Accelerators.Reset(CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size())));
  if (!Accelerators) RaiseLastError("The shortcuts of the main window cannot be made.");
}

// Only what changed is handed to the menu and the toolbar: a refresh follows
// every change of state, each key typed into the log among them.
void TCommandBar::Show(const TCommandStates& states) {
  if (Window == nullptr) return;
  const auto refresh = [&](int id) {
    const TCommandShown shown = ShownState(id, states);
    std::optional<TCommandShown>& before = Shown[ShownIndex(id)];
    if (before != shown) ShowState(id, shown);
    before = shown;
  };
  for (const TCommand& command : CommandTable()) {
    if (command.Id == cmHistoryFirst)
      for (int slot = 0; slot < kHistorySlots; ++slot) refresh(cmHistoryFirst + slot);
    else if (command.State != nullptr)
      refresh(command.Id);
  }
}

void TCommandBar::ButtonClicked(int id) {
  if (id >= cmNew && id <= cmAbout) Shown[ShownIndex(id)].reset();
}

// A menu item and the button that stands for it, together.
void TCommandBar::ShowState(int id, TCommandShown shown) const {
  const TMenuItem item{GetMenu(Window), static_cast<UINT>(id)};
  item.SetEnabled(shown.Enabled);
  item.SetChecked(shown.Checked);
  const TCommand* command = FindCommand(id);
  if (command == nullptr || !command->HasButton()) return;
  const TToolButton button{Buttons.Handle, id};
  button.SetEnabled(shown.Enabled);
  button.SetDown(shown.Checked);
}

void TCommandBar::SetCaption(int id, const std::string& caption) const {
  TMenuItem{GetMenu(Window), static_cast<UINT>(id)}.SetCaption(caption);
}

// A button laid out anew shows what its menu item shows.
BYTE TCommandBar::ButtonState(int id) const {
  const TCommandShown shown = Shown[ShownIndex(id)].value_or(TCommandShown{});
  return static_cast<BYTE>((shown.Enabled ? TBSTATE_ENABLED : 0) |
                           (shown.Checked ? TBSTATE_CHECKED : 0));
}

// Pictures drawn for the window's density rather than scaled up. In a
// contrast theme they take the theme's colours, the greyed ones too, which
// the toolbar would otherwise make from the pictures' own.
void TCommandBar::SetImages() {
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
    if (!Images) RaiseLastError("The toolbar's pictures cannot be made.");
    return;
  }
  Buttons.Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
  Buttons.Send(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(greyed.Get()));
  Images = std::move(images);
  GreyedImages = std::move(greyed);
}

void TCommandBar::ThemeChanged(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOLORCHANGE) Buttons.Send(message, wParam, lParam);
  SetImages();
  InvalidateRect(Buttons.Handle, nullptr, TRUE);
}

void TCommandBar::DpiChanged(HFONT font, int dpi) {
  Font = font;
  Dpi = dpi;
  SetImages();
  ShowCaptions(Captions);
}

// The width of the widest button caption in the toolbar's font.
int TCommandBar::WidestCaption() const {
  const TWindowDC dc(Buttons.Handle);
  const TSelection font(dc.Get(), Font);
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
// column starts. The toolbar's own sizes are pixels at 96 dpi, the design's
// at 120.
void TCommandBar::ShowCaptions(bool captions) {
  Captions = captions;
  const auto scaled = [this](int pixels, int atDpi) { return MulDiv(pixels, Dpi, atDpi); };
  while (Buttons.Send(TB_BUTTONCOUNT) > 0) Buttons.Send(TB_DELETEBUTTON, 0);
  std::vector<TBBUTTON> buttons;
  for (const TCommand& command : CommandTable()) {
    if (!command.HasButton()) continue;
    if (!buttons.empty() && (ColumnOpenedBy(command.Id) || (command.Flags & cfSeparated)))
      buttons.push_back({scaled(8, 120), 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0});
    TBBUTTON button{};
    button.iBitmap = command.Button.Picture;
    button.idCommand = command.Id;
    button.fsState = ButtonState(command.Id);
    button.fsStyle = static_cast<BYTE>(command.IsCheck() ? BTNS_CHECK : BTNS_BUTTON);
    // Without captions a button keeps the command's name as its text, which
    // is what a screen reader gives it, and shows no line of it.
    button.iString =
        reinterpret_cast<INT_PTR>(captions ? command.Button.Caption : command.Button.Hint);
    buttons.push_back(button);
  }
  // The padding and the text rows go first: the toolbar measures its buttons
  // as they come.
  Buttons.Send(TB_SETMAXTEXTROWS, captions ? 1 : 0);
  const int imageSize = scaled(16, 96);
  const int plainWidth = scaled(22, 96), plainHeight = scaled(21, 96);
  if (captions)
    Buttons.Send(TB_SETPADDING, 0, MAKELPARAM(scaled(7, 96), scaled(6, 96)));
  else // just the picture: the padding is what 22 x 21 leaves around it
    Buttons.Send(TB_SETPADDING, 0, MAKELPARAM(plainWidth - imageSize, plainHeight - imageSize));
  Buttons.Send(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  if (captions) {
    // Room for the picture and the widest caption under it, at least the
    // designed size: a caption cut to "Shuf..." says nothing.
    const LRESULT measured = Buttons.Send(TB_GETBUTTONSIZE);
    const int width = std::max(
        {static_cast<int>(LOWORD(measured)), WidestCaption() + scaled(12, 96), scaled(53, 120)});
    const int height = std::max<int>(HIWORD(measured), scaled(38, 120));
    Buttons.Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
  } else {
    Buttons.Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(plainWidth, plainHeight));
  }
  Buttons.Send(TB_AUTOSIZE);
  if (HWND tips = reinterpret_cast<HWND>(Buttons.Send(TB_GETTOOLTIPS)))
    SendMessageA(tips, TTM_ACTIVATE, !captions, 0);
}

bool TCommandBar::TranslateShortcut(MSG& message) const {
  return Accelerators && TranslateAcceleratorW(Window, Accelerators.Get(), &message);
}

// The hints of the buttons, shown as tooltips while there are no captions.
bool TCommandBar::Notify(NMHDR* header) const {
  if (header->code != TTN_GETDISPINFOA) return false;
  auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
  info->lpszText = const_cast<char*>("");
  const TCommand* command = FindCommand(static_cast<int>(header->idFrom));
  if (!Captions && command != nullptr && command->HasButton())
    info->lpszText = const_cast<char*>(command->Button.Hint);
  return true;
}
